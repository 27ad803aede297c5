// The platform seam on Windows.

#include "runtime/Platform.h"
#include "runtime/DoubleByte.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

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
    return ::MultiByteToWideChar(codePage, 0, bytes, units, Wide(out), units);
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

int64_t AnsiCompleteLength(const char* bytes, int64_t count) noexcept {
    CPINFO info = {};
    if (bytes == nullptr || count <= 0 || !::GetCPInfo(CP_ACP, &info) || info.MaxCharSize <= 1)
        return count > 0 ? count : 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    if (::GetACP() == CP_UTF8) {
        // Back up over continuation bytes to the last lead byte and see if it is complete.
        int64_t lead = count - 1;
        while (lead > 0 && count - lead < 4 && (data[lead] & 0xC0) == 0x80)
            --lead;
        const unsigned char first = data[lead];
        const int64_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        return lead + needed > count ? lead : count;
    }
    return WholeDoubleByteCharacters(
        data, count, [](unsigned char b) { return ::IsDBCSLeadByteEx(CP_ACP, b) != FALSE; });
}

bool IsPrintable(char16_t unit) noexcept {
    return std::iswprint(unit) != 0;
}

bool IsDebuggerAttached() noexcept {
    return ::IsDebuggerPresent() != FALSE;
}

void ShowErrorMessage(const char16_t* message, const char16_t* caption) noexcept {
    ::MessageBoxW(nullptr, Wide(message), Wide(caption), MB_OK | MB_ICONERROR);
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
