#include "runtime/CNimbAppInstance.h"

#include "runtime/ImportTable.h"
#include "runtime/Platform.h"

// Priority 101 is the first that ordinary code may use: the instance is built before, and
// destroyed after, every static object with default priority, in this program and in the
// tests alike.
CNimbAppInstance TheNimbAppInstance __attribute__((init_priority(101)));

CNimbAppInstance::~CNimbAppInstance() {
    FreeImportedLibraries();
}

void* CNimbAppInstance::GetResourceModule() const {
    return ModuleHandle != nullptr ? ModuleHandle : Platform::CodeModule();
}
