#include "gui/win/CNWnd_Timer.h"

#include "gui/win/WindowClasses.h"
#include "gui/win/WndCreateParams.h"

#include <algorithm>

namespace rg_nimb_MFCJieMian_base {

namespace {

constexpr UINT_PTR kTimerId = 1000;

} // namespace

const wchar_t* CNWnd_Dummy::WindowClassName() const {
    return kDummyClass;
}

void CNWnd_Dummy::PrepareCreation(WndCreateParams& params) {
    RegisterFrameworkClass(WindowClassName());
    params.Style &= ~static_cast<uint32_t>(WS_VISIBLE);
}

void CNWnd_Timer::SetInterval(int64_t milliseconds) {
    Interval = std::max<int64_t>(milliseconds, 0);
    if (!HasWindow())
        return;
    if (Running) {
        ::KillTimer(GetHwnd(), kTimerId);
        Running = 0;
    }
    if (Interval > 0) {
        const auto period = static_cast<UINT>(std::min<int64_t>(Interval, USER_TIMER_MAXIMUM));
        Running = ::SetTimer(GetHwnd(), kTimerId, period, nullptr) != 0;
    }
}

void CNWnd_Timer::CompleteCreation(WndCreateParams&) {
    SetInterval(Interval);
}

LRESULT CNWnd_Timer::OnMessage(UINT message, WPARAM first, LPARAM second) {
    if (message == WM_TIMER) {
        const LRESULT result = CallDefault(message, first, second);
        if (Listener != nullptr)
            static_cast<ITimerEventListener*>(Listener)->OnTimer();
        return result;
    }
    if (message == WM_DESTROY && Running) {
        ::KillTimer(GetHwnd(), kTimerId);
        Running = 0;
    }
    return CallDefault(message, first, second);
}

} // namespace rg_nimb_MFCJieMian_base
