#include "runtime/CNimbEventObjectPointer.h"

CNimbObject* CNimbEventObjectPointer::BeginCall() {
    StateLock.Enter();
    // The first call in progress takes BusyLock without waiting: failing means the target
    // is being destroyed on another thread.
    if (CallDepth == 0 && !BusyLock.TryEnter()) {
        StateLock.Leave();
        return nullptr;
    }
    ++CallDepth;
    CNimbObject* target = Target;
    if (target == nullptr) {
        if (--CallDepth == 0)
            BusyLock.Leave();
        StateLock.Leave();
        return nullptr;
    }
    StateLock.Leave();
    return target;
}

void CNimbEventObjectPointer::EndCall() {
    StateLock.Enter();
    if (CallDepth > 0 && --CallDepth == 0)
        BusyLock.Leave();
    StateLock.Leave();
}

void CNimbEventObjectPointer::DetachTarget() {
    BusyLock.Enter();
    if (Target == nullptr)
        return; // already closed; the target's reference is gone
    Target = nullptr;
    Release();
}
