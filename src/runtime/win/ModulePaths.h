#pragma once
// Finding files next to the program: module directories, library loading with the
// library's own directory current, and existence tests.

#include "runtime/CWString.h"

// The directory of `module`'s file with its trailing backslash; false (and `out` empty)
// when the name cannot be read.
bool GetModuleDirectory(void* module, CWString& out);

// Loads the library at `path`. For an absolute path the library's directory is made
// current for the load, so that its own dependencies are found next to it. Null for a
// null or empty path or a failed load.
void* LoadLibraryInDirectory(const char16_t* path);

// Whether the system reports attributes for `path`; a trailing backslash is ignored
// unless it follows a drive's colon.
bool PathExists(const char16_t* path);
