#include "runtime/CNimbReentrantLock.h"

void CNimbReentrantLock::Enter() {
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(Mutex);
    Freed.wait(guard, [&] { return Depth == 0 || Owner == self; });
    Owner = self;
    ++Depth;
}

bool CNimbReentrantLock::TryEnter() {
    const std::thread::id self = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(Mutex);
    if (Depth != 0 && Owner != self)
        return false;
    Owner = self;
    ++Depth;
    return true;
}

void CNimbReentrantLock::Leave() {
    std::lock_guard<std::mutex> guard(Mutex);
    if (Depth == 0 || Owner != std::this_thread::get_id())
        return;
    if (--Depth == 0) {
        Owner = std::thread::id();
        Freed.notify_all();
    }
}
