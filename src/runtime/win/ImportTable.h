#pragma once
// Loading the table of functions imported by name (the table itself is portable).

#include "runtime/ImportTable.h"

// Loads every library of `table` (first next to the program, then by the system's
// search) and resolves every function. Returns true; a library or function that cannot
// be found raises CNimbException with the message naming it.
bool LoadImportedFunctions(CNimbImportEntry* table);
