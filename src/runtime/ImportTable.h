#pragma once
// The table of functions the program calls in external libraries by name, loaded once
// at the start of the run and released when the application exits.

// One function; a table ends with an entry whose library is null.
struct CNimbImportEntry {
    const char16_t* Library; // file name; empty means the library of the previous entry
    const char* Function;    // exported name, or "@" followed by a decimal ordinal
    void* Address;           // filled in by LoadImportedFunctions
};

// Frees the loaded libraries in loading order and empties the list.
void FreeImportedLibraries() noexcept;
