#include "runtime/win/ImportTable.h"

#include "runtime/CNimbAppInstance.h"
#include "runtime/CNimbException.h"
#include "runtime/PathText.h"
#include "runtime/win/ModulePaths.h"

#include "runtime/win/Win32.h"

#include <cstdlib>

namespace {

// The library named `name`: next to the program when its directory is known, then, for a
// name with a directory part, its file name next to the program, then by the system's
// search for the bare name.
void* LoadNamedLibrary(const CWString& moduleDirectory, bool directoryKnown, const CWString& name) {
    const CWString first =
        directoryKnown ? CombinePath(moduleDirectory.GetText(), name.GetText()) : name;
    void* library = LoadLibraryInDirectory(first.GetText());
    const int64_t slash = name.Find(u"\\", -1, false, true);
    if (library == nullptr && directoryKnown && slash >= 0)
        library = LoadLibraryInDirectory(
            CWString::Concat(moduleDirectory, name.Mid(slash + 1, INT64_MAX)).GetText());
    if (library == nullptr && !first.IsEqual(name))
        library = LoadLibraryInDirectory(name.GetText());
    return library;
}

void* FindFunction(void* library, const char* function) {
    HMODULE module = static_cast<HMODULE>(library);
    if (function == nullptr)
        return nullptr;
    if (function[0] != '@')
        return reinterpret_cast<void*>(::GetProcAddress(module, function));
    // An ordinal; numbers that are not one find nothing rather than a truncated ordinal.
    const long ordinal = std::atol(function + 1);
    if (ordinal < 1 || ordinal > 0xFFFF)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

} // namespace

bool LoadImportedFunctions(CNimbImportEntry* table) {
    CWString directory;
    const bool directoryKnown =
        GetModuleDirectory(TheNimbAppInstance.GetResourceModule(), directory);
    void* current = nullptr;
    CWString libraryName; // the last non-empty one
    for (CNimbImportEntry* entry = table; entry->Library != nullptr; ++entry) {
        if (entry->Library[0] != 0) {
            libraryName.SetText(entry->Library);
            current = LoadNamedLibrary(directory, directoryKnown, libraryName);
            if (current != nullptr)
                TheNimbAppInstance.LoadedLibraries.AppendBytes(&current, sizeof current);
        }
        if (current == nullptr) {
            CWString message;
            message.Format(u"载入运行时所需要的外部动态链接库文件\"%s\"失败!", libraryName);
            throw CNimbException(message.GetText());
        }
        entry->Address = FindFunction(current, entry->Function);
        if (entry->Address == nullptr) {
            CWString message;
            message.Format(u"在外部动态链接库\"%s\"中未找到所需要的输出函数\"%s\"!", libraryName,
                           CWString(entry->Function));
            throw CNimbException(message.GetText());
        }
    }
    return true;
}
