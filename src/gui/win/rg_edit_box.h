#pragma once
// The edit box control.

#include "gui/win/CNWnd_Edit.h"
#include "gui/win/CNimbWinControl.h"

namespace rg_nimb_MFCJieMian_base {

class rg_edit_box : public CNimbWinControl, public IEditEventListener {
    NIMB_DECLARE_CONTROL(rg_edit_box, CNimbWinControl, "rg_nimb_MFCJieMian_base::rg_edit_box")

    // An edit wrapper; tab stop, and the client edge.
    rg_edit_box();
    rg_edit_box(const rg_edit_box& other) = default;
    rg_edit_box& operator=(const rg_edit_box& other) = default;

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnChanged() override;
    void OnSpin(int32_t direction) override;

    // The cue text (gone while the box has the focus); nothing before the window exists.
    void SetCueBanner(const CWString& text);

    CNWnd_Edit* GetEdit() const noexcept { return static_cast<CNWnd_Edit*>(GetNativeWnd()); }

    EventSlot<> TextChanged;
    EventSlot<int32_t> SpinPressed; // direction: -1 down, +1 up
};

} // namespace rg_nimb_MFCJieMian_base
