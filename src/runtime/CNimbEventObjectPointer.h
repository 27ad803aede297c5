#pragma once

#include "runtime/CNimbReentrantLock.h"
#include "runtime/CRefObject.h"

#include <cstdint>

// The counted back-pointer through which event slots call the handlers of an object
// (a form). It protects handler calls against the destruction of their target: once the
// target's destructor has run DetachTarget, every further call is refused, and a
// destruction on another thread waits for calls in progress. A handler that destroys
// its own target on the calling thread passes, the locks being re-entrant.
//
// A call through the pointer (CallThrough does all of it):
//   AddRef; target = BeginCall(); if (target) { handler(target); EndCall(); } Release.
class CNimbEventObjectPointer : public CRefObject {
public:
    // Open, with one reference owned by `target`.
    explicit CNimbEventObjectPointer(CNimbObject* target) noexcept : Target(target) {}
    ~CNimbEventObjectPointer() override = default;

    // The target when the call may run, or null when it is refused.
    CNimbObject* BeginCall();
    // Ends a call that BeginCall admitted.
    void EndCall();
    // Run by the target's destructor before anything else of it is destroyed: waits for
    // calls on other threads, closes the pointer for good and drops the target's
    // reference.
    void DetachTarget();

    int64_t GetCallDepth() const noexcept { return CallDepth; }

private:
    int64_t CallDepth = 0;
    CNimbReentrantLock StateLock;
    // Held while calls are in progress, and by the detaching thread forever after.
    CNimbReentrantLock BusyLock;
    CNimbObject* Target;
};

// Runs handler(target) through `pointer` when the call is admitted; a null pointer or a
// refused call runs nothing. Returns whether the handler ran.
template <class Handler>
bool CallThrough(CNimbEventObjectPointer* pointer, Handler&& handler) {
    if (pointer == nullptr)
        return false;
    pointer->AddRef();
    struct Hold {
        CNimbEventObjectPointer* Pointer;
        CNimbObject* Target;
        ~Hold() {
            if (Target != nullptr)
                Pointer->EndCall();
            Pointer->Release();
        }
    } hold{pointer, pointer->BeginCall()};
    if (hold.Target == nullptr)
        return false;
    handler(hold.Target);
    return true;
}
