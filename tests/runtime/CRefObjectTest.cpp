#include "runtime/CRefObject.h"
#include "runtime/CNimbEventObjectPointer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

// A payload that records what happens to it.
class Probe : public CRefObject {
    NIMB_DECLARE_REF_CLASS(Probe, CRefObject, "Probe")

    explicit Probe(std::string& log) : Log(log) {}
    ~Probe() override { Log += "destroyed;"; }
    void OnFinalRelease() override { Log += "final;"; }

private:
    std::string& Log;
};

} // namespace

TEST(CRefObject, LastReleaseCallsOnFinalReleaseOnceThenDestroys) {
    std::string log;
    auto* probe = new Probe(log);
    EXPECT_EQ(probe->GetRefCount(), 1);
    probe->AddRef();
    EXPECT_FALSE(probe->Release());
    probe->AddRef();
    EXPECT_FALSE(probe->Release());
    EXPECT_EQ(probe->GetRefCount(), 1);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(probe->Release());
    EXPECT_EQ(log, "final;destroyed;");
}

TEST(CRefObject, RecordsOfTheCountedFamilyHaveNoFactory) {
    std::string log;
    auto* probe = new Probe(log);
    EXPECT_TRUE(probe->IsKindOf(CRefObject::ClassRecord()));
    EXPECT_TRUE(probe->IsKindOf(Probe::ClassRecord()));
    EXPECT_EQ(probe->GetClassInfo().Factory, nullptr);
    probe->Release();

    // The event object pointer has no record of its own.
    auto* pointer = new CNimbEventObjectPointer(nullptr);
    EXPECT_STREQ(pointer->GetClassInfo().Name, "CRefObject");
    pointer->Release();
}

TEST(CNimbRefObject, HandlesShareOnePayloadAndReleaseItTogether) {
    std::string log;
    auto* probe = new Probe(log);
    {
        CNimbRefObject first;
        first.AdoptPayload(probe);
        CNimbRefObject second(first);
        EXPECT_EQ(probe->GetRefCount(), 2);
        EXPECT_TRUE(first.IsEqual(second));

        // Assigning a handle that shares the payload keeps it alive with its count.
        second = first;
        first = second;
        EXPECT_EQ(probe->GetRefCount(), 2);
        EXPECT_EQ(log, "");

        CNimbObject* clone = first.Clone();
        EXPECT_EQ(probe->GetRefCount(), 3);
        CNimbObject::DeleteObject(clone);
        EXPECT_EQ(probe->GetRefCount(), 2);

        second.Reset();
        EXPECT_EQ(second.GetPayload(), nullptr);
        EXPECT_EQ(probe->GetRefCount(), 1);
        EXPECT_FALSE(first.IsEqual(second));

        second.Tag = 4;
        ASSERT_TRUE(second.AssignFrom(first));
        EXPECT_EQ(second.Tag, 0);
        EXPECT_EQ(probe->GetRefCount(), 2);
    }
    EXPECT_EQ(log, "final;destroyed;");
}

namespace {

// A form-like target: it owns an event object pointer and detaches it first thing in its
// destructor, as forms do.
class Target : public CNimbObject {
public:
    explicit Target(CNimbEventObjectPointer* events) : Events(events) {}
    ~Target() override { Events->DetachTarget(); }

    CNimbEventObjectPointer* Events;
    int Calls = 0;
};

// Counts its own destruction.
class CountedPointer : public CNimbEventObjectPointer {
public:
    CountedPointer(CNimbObject* target, int& destroyed)
        : CNimbEventObjectPointer(target), Destroyed(destroyed) {}
    ~CountedPointer() override { ++Destroyed; }

private:
    int& Destroyed;
};

// What an event slot does: hold a reference and call through it.
struct Slot {
    explicit Slot(CNimbEventObjectPointer* pointer) : Pointer(pointer) { Pointer->AddRef(); }
    ~Slot() { Pointer->Release(); }
    template <class F>
    bool Fire(F&& handler) {
        return CallThrough(Pointer, handler);
    }
    CNimbEventObjectPointer* Pointer;
};

} // namespace

TEST(CNimbEventObjectPointer, CallsAfterDetachRunNothingAndStillDropTheirReference) {
    int destroyed = 0;
    auto* target = new Target(nullptr);
    target->Events = new CountedPointer(target, destroyed);
    {
        Slot slot(target->Events);
        EXPECT_TRUE(slot.Fire([](CNimbObject* t) { ++static_cast<Target*>(t)->Calls; }));
        EXPECT_EQ(target->Calls, 1);
        EXPECT_EQ(slot.Pointer->GetRefCount(), 2);

        CNimbObject::DeleteObject(target);
        EXPECT_EQ(slot.Pointer->GetRefCount(), 1);
        bool ran = false;
        EXPECT_FALSE(slot.Fire([&](CNimbObject*) { ran = true; }));
        EXPECT_FALSE(ran);
        EXPECT_EQ(slot.Pointer->GetRefCount(), 1);
        EXPECT_EQ(slot.Pointer->GetCallDepth(), 0);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1); // the last slot's release
}

TEST(CNimbEventObjectPointer, AHandlerMayDestroyItsOwnTarget) {
    int destroyed = 0;
    auto* target = new Target(nullptr);
    target->Events = new CountedPointer(target, destroyed);
    Slot slot(target->Events);
    bool nestedRan = false;
    EXPECT_TRUE(slot.Fire([&](CNimbObject* t) {
        // A nested call while the handler runs is admitted.
        nestedRan = slot.Fire([](CNimbObject*) {});
        CNimbObject::DeleteObject(t);
    }));
    EXPECT_TRUE(nestedRan);
    EXPECT_EQ(slot.Pointer->GetCallDepth(), 0);
    EXPECT_FALSE(slot.Fire([](CNimbObject*) { ADD_FAILURE() << "ran after destruction"; }));
    EXPECT_EQ(destroyed, 0);
}

TEST(CNimbEventObjectPointer, DestructionOnAnotherThreadWaitsForTheCallInProgress) {
    int destroyed = 0;
    auto* target = new Target(nullptr);
    target->Events = new CountedPointer(target, destroyed);
    Slot slot(target->Events);

    std::atomic<int> stage{0};
    std::atomic<bool> detached{false};
    std::thread destroyer;
    EXPECT_TRUE(slot.Fire([&](CNimbObject*) {
        destroyer = std::thread([&] {
            stage = 1;
            CNimbObject::DeleteObject(target);
            detached = true;
        });
        while (stage.load() == 0)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // The destroyer is blocked in DetachTarget until this handler returns.
        EXPECT_FALSE(detached.load());
    }));
    destroyer.join();
    EXPECT_TRUE(detached.load());

    // Closed for good, for this thread and any other.
    EXPECT_FALSE(slot.Fire([](CNimbObject*) { ADD_FAILURE() << "ran after destruction"; }));
    std::thread([&] {
        EXPECT_FALSE(slot.Fire([](CNimbObject*) { ADD_FAILURE() << "ran after destruction"; }));
    }).join();
}

TEST(CNimbEventObjectPointer, AHandlerThatThrowsStillEndsItsCall) {
    auto* target = new Target(nullptr);
    target->Events = new CNimbEventObjectPointer(target);
    {
        Slot slot(target->Events);
        EXPECT_THROW(slot.Fire([](CNimbObject*) { throw 1; }), int);
        EXPECT_EQ(slot.Pointer->GetCallDepth(), 0);
        EXPECT_EQ(slot.Pointer->GetRefCount(), 2);
        EXPECT_TRUE(slot.Fire([](CNimbObject*) {}));
    }
    CNimbObject::DeleteObject(target);
}
