#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// A lock that its owning thread may enter again, with a non-waiting attempt. Unlike a
// platform critical section it may be destroyed while a thread still holds it, which
// the event object pointer relies on: the thread that detaches the target keeps the
// lock for the rest of the pointer's life.
class CNimbReentrantLock {
public:
    CNimbReentrantLock() = default;
    CNimbReentrantLock(const CNimbReentrantLock&) = delete;
    CNimbReentrantLock& operator=(const CNimbReentrantLock&) = delete;

    void Enter();
    // Enters when the lock is free or already held by this thread; never waits.
    bool TryEnter();
    // Leaves one level; the lock is free again when every Enter has been matched.
    void Leave();

private:
    std::mutex Mutex;
    std::condition_variable Freed;
    std::thread::id Owner;
    int64_t Depth = 0;
};
