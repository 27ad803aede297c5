#pragma once
// The native windows that are never shown: the dummy window of the "NimbDummyWnd" class,
// and the timer built on it, which ticks while its window exists.

#include "gui/win/CNWnd_Base.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Dummy : public CNWnd_Base {
protected:
    const wchar_t* WindowClassName() const override;
    // Registers the class and keeps the window hidden.
    void PrepareCreation(WndCreateParams& params) override;
};

class CNWnd_Timer : public CNWnd_Dummy {
public:
    int32_t Running = 0;
    int64_t Interval = 0; // milliseconds

    // Stores the interval (0 or less: stopped); with a window, restarts the timer with it.
    void SetInterval(int64_t milliseconds);

protected:
    // Starts the timer with the interval stored before the window existed.
    void CompleteCreation(WndCreateParams& params) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;
};

} // namespace rg_nimb_MFCJieMian_base
