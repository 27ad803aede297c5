#pragma once

#include "runtime/CNimbObject.h"
#include "runtime/CPoolMem.h"

// The process instance: exactly one, constructed before every other static object of the
// program and destroyed after all of them, so that the pool it owns outlives every object
// allocated from it.
class CNimbAppInstance : public CNimbCommonBase {
public:
    CNimbAppInstance() noexcept = default;
    virtual ~CNimbAppInstance();

    CNimbAppInstance(const CNimbAppInstance&) = delete;
    CNimbAppInstance& operator=(const CNimbAppInstance&) = delete;

    CPoolMem Pool;
};

extern CNimbAppInstance TheNimbAppInstance;
