#include "runtime/win/ModulePaths.h"

#include "runtime/PathText.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <string>

bool GetModuleDirectory(void* module, CWString& out) {
    out.Clear();
    wchar_t name[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(static_cast<HMODULE>(module), name, MAX_PATH);
    // A name that fills the buffer was cut short; its directory would be a wrong one.
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::u16string_view path(FromWide(name), length);
    const size_t slash = path.rfind(u'\\');
    out.SetTextN(path.data(),
                 slash == std::u16string_view::npos ? 0 : static_cast<int64_t>(slash + 1));
    return true;
}

void* LoadLibraryInDirectory(const char16_t* path) {
    if (path == nullptr || *path == 0)
        return nullptr;
    std::u16string directory;
    if (IsAbsolutePath(path)) {
        const std::u16string_view text(path);
        const size_t slash = text.rfind(u'\\');
        // C:\x.dll lives in C:\, not in "C:".
        directory = text.substr(0, slash > 0 && text[slash - 1] == u':' ? slash + 1 : slash);
    }
    wchar_t saved[MAX_PATH];
    const DWORD savedLength = ::GetCurrentDirectoryW(MAX_PATH, saved);
    if (directory.empty() || savedLength == 0 || savedLength >= MAX_PATH)
        return ::LoadLibraryW(Wide(path));
    ::SetCurrentDirectoryW(Wide(directory.c_str()));
    HMODULE library = ::LoadLibraryW(Wide(path));
    ::SetCurrentDirectoryW(saved);
    return library;
}

bool PathExists(const char16_t* path) {
    if (path == nullptr || *path == 0)
        return false;
    std::u16string text(path);
    if (text.size() >= 2 && text.back() == u'\\' && text[text.size() - 2] != u':')
        text.pop_back();
    return ::GetFileAttributesW(Wide(text.c_str())) != INVALID_FILE_ATTRIBUTES;
}
