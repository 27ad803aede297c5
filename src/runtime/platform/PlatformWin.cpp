// The platform seam on Windows.

#include "runtime/Platform.h"

#include <windows.h>

#include <cwctype>

namespace Platform {

void* HeapAllocate(size_t size) noexcept {
    return ::HeapAlloc(::GetProcessHeap(), 0, size);
}

void* HeapReallocate(void* block, size_t size) noexcept {
    return ::HeapReAlloc(::GetProcessHeap(), 0, block, size);
}

void HeapFree(void* block) noexcept {
    if (block != nullptr)
        ::HeapFree(::GetProcessHeap(), 0, block);
}

namespace {

int64_t Decode(UINT codePage, const char* bytes, int64_t count, char16_t* out) {
    if (bytes == nullptr || count <= 0 || count > INT_MAX)
        return 0;
    const int units = static_cast<int>(count);
    return ::MultiByteToWideChar(codePage, 0, bytes, units, reinterpret_cast<wchar_t*>(out), units);
}

} // namespace

int64_t Utf8ToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept {
    return Decode(CP_UTF8, bytes, count, out);
}

uint32_t AnsiCodePage() noexcept {
    return ::GetACP();
}

int64_t AnsiToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept {
    return Decode(CP_ACP, bytes, count, out);
}

bool IsPrintable(char16_t unit) noexcept {
    return std::iswprint(unit) != 0;
}

bool IsDebuggerAttached() noexcept {
    return ::IsDebuggerPresent() != FALSE;
}

void ShowErrorMessage(const char16_t* message, const char16_t* caption) noexcept {
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message),
                  reinterpret_cast<const wchar_t*>(caption), MB_OK | MB_ICONERROR);
}

void* CodeModule() noexcept {
    MEMORY_BASIC_INFORMATION region = {};
    if (::VirtualQuery(reinterpret_cast<const void*>(&CodeModule), &region, sizeof region) == 0)
        return nullptr;
    return region.AllocationBase;
}

void FreeLibrary(void* library) noexcept {
    if (library != nullptr)
        ::FreeLibrary(static_cast<HMODULE>(library));
}

} // namespace Platform
