#pragma once

#include "runtime/CNimbMem.h"
#include "runtime/CNimbObject.h"
#include "runtime/CPoolMem.h"

// The process instance: exactly one, constructed before every other static object of the
// program and destroyed after all of them, so that the pool it owns outlives every object
// allocated from it.
class CNimbAppInstance : public CNimbCommonBase {
public:
    CNimbAppInstance() noexcept { LoadedLibraries.SetStep(256); }
    // Frees libraries still loaded, then the pool goes with the instance.
    virtual ~CNimbAppInstance();

    CNimbAppInstance(const CNimbAppInstance&) = delete;
    CNimbAppInstance& operator=(const CNimbAppInstance&) = delete;

    // The module whose resources the program uses: ModuleHandle once start-up has
    // recorded it, else the module that holds the runtime's code.
    virtual void* GetResourceModule() const;

    CPoolMem Pool;
    // Handles of the libraries loaded for the import table, in loading order.
    CNimbMem LoadedLibraries;
    void* ModuleHandle = nullptr;
};

extern CNimbAppInstance TheNimbAppInstance;
