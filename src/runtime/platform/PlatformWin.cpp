// The platform seam on Windows.

#include "runtime/Platform.h"

#include <windows.h>

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

} // namespace Platform
