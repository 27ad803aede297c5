#pragma once

#include "runtime/Platform.h"

#include <atomic>
#include <cstdint>

// A one-word lock for sections of a few instructions (a free-list pop, a swap of two
// fields). The word is 1 when the lock is free; an acquirer decrements it and owns the
// lock when the result is 0. Waiters spin on reads with a processor pause and only try
// the decrement again once the word is positive.
class CNimbSpinLock {
public:
    CNimbSpinLock() noexcept = default;
    CNimbSpinLock(const CNimbSpinLock&) = delete;
    CNimbSpinLock& operator=(const CNimbSpinLock&) = delete;

    void Acquire() noexcept {
        while (Word.fetch_sub(1, std::memory_order_acquire) != 1) {
            do {
                Platform::CpuPause();
            } while (Word.load(std::memory_order_relaxed) <= 0);
        }
    }

    void Release() noexcept { Word.store(1, std::memory_order_release); }

    bool IsFree() const noexcept { return Word.load(std::memory_order_relaxed) == 1; }

private:
    std::atomic<int64_t> Word{1};
};

// Holds a spin lock for the lifetime of a scope.
class CNimbSpinLockGuard {
public:
    explicit CNimbSpinLockGuard(CNimbSpinLock& lock) noexcept : Lock(lock) { Lock.Acquire(); }
    ~CNimbSpinLockGuard() { Lock.Release(); }
    CNimbSpinLockGuard(const CNimbSpinLockGuard&) = delete;
    CNimbSpinLockGuard& operator=(const CNimbSpinLockGuard&) = delete;

private:
    CNimbSpinLock& Lock;
};
