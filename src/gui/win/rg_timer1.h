#pragma once
// The timer control: a hidden window that fires TimerTick every Interval milliseconds.

#include "gui/win/CNWnd_Timer.h"
#include "gui/win/CNimbWinControl.h"

namespace rg_nimb_MFCJieMian_base {

class rg_timer1 : public CNimbWinControl, public ITimerEventListener {
    NIMB_DECLARE_CONTROL(rg_timer1, CNimbWinControl, "rg_nimb_MFCJieMian_base::rg_timer1")

    rg_timer1();
    rg_timer1(const rg_timer1& other) = default;
    rg_timer1& operator=(const rg_timer1& other) = default;

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnTimer() override;

    CNWnd_Timer* GetTimer() const noexcept { return static_cast<CNWnd_Timer*>(GetNativeWnd()); }

    EventSlot<> TimerTick;
};

} // namespace rg_nimb_MFCJieMian_base
