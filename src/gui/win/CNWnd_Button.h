#pragma once
// The native window of push buttons and group boxes: the platform's BUTTON, with its
// colours answered by the wrapper and its clicks reported to the button's listener.

#include "gui/win/CNWnd_Base.h"
#include "gui/win/GdiHandles.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Button : public CNWnd_Base {
public:
    CNWnd_Button();

    uint32_t TextColor = 0x000000;
    uint32_t BackColor = 0xFF000000; // 0xFF000000: the system's button face colour
    CGdiBrush BackBrush;             // of the button face colour, made at construction

protected:
    const wchar_t* WindowClassName() const override;
    // A default push button becomes the default button of the form it is on.
    void CompleteCreation(WndCreateParams& params) override;
    bool OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;
};

} // namespace rg_nimb_MFCJieMian_base
