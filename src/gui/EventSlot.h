#pragma once
// An event slot: the one place where the framework keeps the handler of one event of one
// control, and from which it calls it. The handler runs on the object behind a
// CNimbEventObjectPointer, so that an event fired after that object began its destruction
// runs nothing.

#include "runtime/CNimbEventObjectPointer.h"
#include "runtime/CNimbSpinLock.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

// A slot for handlers taking `Args` after the target object, the firing control and the
// slot's user value, and returning a signed 32-bit result whose meaning each event states.
// Binding and firing may happen on different threads: the slot's lock guards its fields
// for a few instructions only, and the handler runs with no lock held.
template <class... Args>
class EventSlot {
public:
    using Handler = int32_t (*)(CNimbObject* target, CNimbObject* control, uint32_t userValue,
                                Args... args);

    EventSlot() noexcept = default;
    // Handlers belong to the object they were bound on: a copy of a control starts
    // without any, and assigning one control to another keeps each one's own.
    EventSlot(const EventSlot&) noexcept {}
    EventSlot& operator=(const EventSlot&) noexcept { return *this; }
    ~EventSlot() { Unbind(); }

    // Stores `handler` to run on the target of `pointer` with `userValue`; a null pointer
    // unbinds. The slot holds a reference on the pointer; binding the same pointer again
    // only replaces the handler and the user value.
    void Bind(Handler handler, CNimbEventObjectPointer* pointer, uint32_t userValue) {
        CNimbEventObjectPointer* replaced = nullptr;
        Lock.Acquire();
        UserValue = userValue;
        if (pointer == nullptr) {
            replaced = TargetPointer;
            HandlerFunction = nullptr;
            TargetPointer = nullptr;
        } else {
            HandlerFunction = handler;
            if (pointer != TargetPointer) {
                replaced = TargetPointer;
                pointer->AddRef();
                TargetPointer = pointer;
            }
        }
        Lock.Release();
        if (replaced != nullptr)
            replaced->Release();
    }

    void Unbind() { Bind(nullptr, nullptr, 0); }

    // Runs the handler for `control` and returns its result, or `defaultResult` when no
    // handler is bound or its target refuses the call (it is being destroyed).
    int32_t Fire(CNimbObject* control, int32_t defaultResult, Args... args) {
        Lock.Acquire();
        const Handler handler = HandlerFunction;
        const uint32_t userValue = UserValue;
        CNimbEventObjectPointer* pointer = TargetPointer;
        if (pointer != nullptr)
            pointer->AddRef();
        Lock.Release();
        if (pointer == nullptr)
            return defaultResult;
        // The call ends and the reference goes on every path, an exception's included.
        struct Call {
            CNimbEventObjectPointer* Pointer;
            CNimbObject* Target;
            ~Call() {
                if (Target != nullptr)
                    Pointer->EndCall();
                Pointer->Release();
            }
        } call{pointer, pointer->BeginCall()};
        if (call.Target == nullptr || handler == nullptr)
            return defaultResult;
        return handler(call.Target, control, userValue, args...);
    }

    bool IsBound() const noexcept { return TargetPointer != nullptr; }

private:
    CNimbSpinLock Lock;
    Handler HandlerFunction = nullptr;
    CNimbEventObjectPointer* TargetPointer = nullptr;
    uint32_t UserValue = 0;
};

} // namespace rg_nimb_MFCJieMian_base
