#include "gui/EventSlot.h"

#include <gtest/gtest.h>

#include <thread>

using namespace rg_nimb_MFCJieMian_base;

namespace {

// An object whose handlers the slots call.
class Target : public CNimbObject {
public:
    Target() : Events(new CNimbEventObjectPointer(this)) {}
    ~Target() override { Events->DetachTarget(); }

    CNimbEventObjectPointer* Events;
    int32_t Calls = 0;
    int32_t LastX = 0;
    uint32_t LastUser = 0;
    CNimbObject* LastControl = nullptr;
};

int32_t Moved(CNimbObject* target, CNimbObject* control, uint32_t user, int32_t x, int32_t y) {
    auto& self = *static_cast<Target*>(target);
    ++self.Calls;
    self.LastX = x;
    self.LastUser = user;
    self.LastControl = control;
    return x + y;
}

int32_t Doubled(CNimbObject* target, CNimbObject*, uint32_t, int32_t x, int32_t) {
    ++static_cast<Target*>(target)->Calls;
    return 2 * x;
}

} // namespace

TEST(EventSlot, BindRebindUnbindAndFire) {
    CNimbObject control;
    EventSlot<int32_t, int32_t> slot;
    EXPECT_EQ(slot.Fire(&control, -7, 1, 2), -7); // nothing bound: the default

    Target target;
    const int64_t references = target.Events->GetRefCount();
    slot.Bind(&Moved, target.Events, 42);
    EXPECT_EQ(target.Events->GetRefCount(), references + 1);
    EXPECT_EQ(slot.Fire(&control, 0, 3, 4), 7);
    EXPECT_EQ(target.LastX, 3);
    EXPECT_EQ(target.LastUser, 42u);
    EXPECT_EQ(target.LastControl, &control);

    slot.Bind(&Doubled, target.Events, 0); // the same pointer: no second reference
    EXPECT_EQ(target.Events->GetRefCount(), references + 1);
    EXPECT_EQ(slot.Fire(&control, 0, 5, 0), 10);

    Target other;
    slot.Bind(&Moved, other.Events, 1); // another pointer: the old one's reference goes
    EXPECT_EQ(target.Events->GetRefCount(), references);
    EXPECT_EQ(slot.Fire(&control, 0, 1, 1), 2);
    EXPECT_EQ(other.Calls, 1);

    slot.Bind(&Moved, nullptr, 9); // unbinding releases the pointer
    EXPECT_EQ(other.Events->GetRefCount(), references);
    EXPECT_FALSE(slot.IsBound());
    EXPECT_EQ(slot.Fire(&control, -1, 1, 1), -1);
    EXPECT_EQ(other.Calls, 1);
}

TEST(EventSlot, ATargetBeingDestroyedRunsNoHandler) {
    CNimbObject control;
    EventSlot<int32_t, int32_t> slot;
    auto* target = new Target();
    CNimbEventObjectPointer* pointer = target->Events;
    pointer->AddRef(); // as a second slot would hold it
    slot.Bind(&Moved, pointer, 0);
    delete target; // detaches: from now on calls are refused
    EXPECT_EQ(slot.Fire(&control, 5, 1, 1), 5);
    slot.Unbind();
    pointer->Release();
}

// Firing on one thread while another binds never loses a reference or calls a stale pair.
TEST(EventSlot, BindingAndFiringOnTwoThreads) {
    CNimbObject control;
    Target first, second;
    EventSlot<int32_t, int32_t> slot;
    const int64_t references = first.Events->GetRefCount();
    std::thread binder([&] {
        for (int i = 0; i < 20000; ++i)
            slot.Bind(&Moved, i % 2 == 0 ? first.Events : second.Events, 0);
        slot.Unbind();
    });
    int64_t fired = 0;
    for (int i = 0; i < 20000; ++i)
        fired += slot.Fire(&control, 0, 1, 0);
    binder.join();
    EXPECT_EQ(fired, first.Calls + second.Calls);
    EXPECT_EQ(first.Events->GetRefCount(), references);
    EXPECT_EQ(second.Events->GetRefCount(), references);
}
