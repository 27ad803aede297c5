#pragma once
// The functions the viewer calls in system libraries by name, resolved at the start of
// the program run.

#include "runtime/ImportTable.h"

#include <cstdint>

namespace rg_nimb_app {

// kernel32's GetDriveTypeA and GetLogicalDriveStringsA (named as "kernel32" and as
// "kernel32.dll": two loads of the one library), then the end of the table.
extern CNimbImportEntry rg_imported_functions[3];

using rg_GetDriveTypeA = uint32_t (*)(const char* rootPath);
using rg_GetLogicalDriveStringsA = uint32_t (*)(uint32_t bufferLength, char* buffer);

inline rg_GetDriveTypeA rg_get_drive_type() {
    return reinterpret_cast<rg_GetDriveTypeA>(rg_imported_functions[0].Address);
}

inline rg_GetLogicalDriveStringsA rg_get_logical_drive_strings() {
    return reinterpret_cast<rg_GetLogicalDriveStringsA>(rg_imported_functions[1].Address);
}

} // namespace rg_nimb_app
