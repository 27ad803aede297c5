#pragma once
// Push buttons: the button base with its click event, the push button, and the group box
// that shares their native window.

#include "gui/win/CNWnd_Button.h"
#include "gui/win/CNimbWinContainer.h"

namespace rg_nimb_MFCJieMian_base {

// The base of push buttons; it has no payload of its own.
class rg_AnNiuJiChuLei : public CNimbWinControl, public IButtonEventListener {
    NIMB_DECLARE_CONTROL(rg_AnNiuJiChuLei, CNimbWinControl,
                         "rg_nimb_MFCJieMian_base::rg_AnNiuJiChuLei")

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnClicked() override;

    CNWnd_Button* GetButton() const noexcept { return static_cast<CNWnd_Button*>(GetNativeWnd()); }

    EventSlot<> Clicked;
};

// A push button: visible, clip siblings, tab stop, multi-line text.
class rg_button2 : public rg_AnNiuJiChuLei {
    NIMB_DECLARE_CONTROL(rg_button2, rg_AnNiuJiChuLei, "rg_nimb_MFCJieMian_base::rg_button2")

    rg_button2();
    rg_button2(const rg_button2& other) = default;
    rg_button2& operator=(const rg_button2& other) = default;
};

// A group frame whose children are created inside it; a click on it does nothing.
class rg_FenZuKuang1 : public CNimbWinContainer, public IButtonEventListener {
    NIMB_DECLARE_CONTROL(rg_FenZuKuang1, CNimbWinContainer,
                         "rg_nimb_MFCJieMian_base::rg_FenZuKuang1")

    rg_FenZuKuang1();
    rg_FenZuKuang1(const rg_FenZuKuang1& other) = default;
    rg_FenZuKuang1& operator=(const rg_FenZuKuang1& other) = default;

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnClicked() override {}

    CNWnd_Button* GetButton() const noexcept { return static_cast<CNWnd_Button*>(GetNativeWnd()); }
};

} // namespace rg_nimb_MFCJieMian_base
