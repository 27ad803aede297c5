#pragma once
// The framework's message loop, shared by the application and by modal hosts: idle
// processing while the queue is empty, then each message pre-translated (the owner's
// hook, then the relay that gives framework windows their children's keyboard and mouse
// messages) and, unless that consumed it, translated and dispatched.

#include "runtime/win/Win32.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNimbMessageLoop {
public:
    CNimbMessageLoop() noexcept = default;
    CNimbMessageLoop(const CNimbMessageLoop&) = delete;
    CNimbMessageLoop& operator=(const CNimbMessageLoop&) = delete;
    virtual ~CNimbMessageLoop() = default;

    // Runs until WM_QUIT and returns its exit code; with `stop`, also returns (-1) as soon
    // as `*stop` is true after a message, leaving a WM_QUIT that arrives meanwhile in the
    // queue for the loop outside.
    int Run(const bool* stop = nullptr);

    // Offers `message` to the framework windows from its window up through its parents
    // (keyboard and mouse messages only); true when one consumed it.
    static bool RelayPreTranslate(MSG& message);

protected:
    // The hook before the relay; true consumes the message. The default consumes nothing.
    virtual bool PreTranslateMessage(MSG& message);
    // Called while the queue is empty with a count that starts at 0 and rises; false when
    // there is nothing more to do until the next message.
    virtual bool OnIdle(int32_t count);
};

} // namespace rg_nimb_MFCJieMian_base
