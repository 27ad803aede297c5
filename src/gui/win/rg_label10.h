#pragma once
// The label control.

#include "gui/win/CNWnd_Label.h"
#include "gui/win/CNimbWinControl.h"

namespace rg_nimb_MFCJieMian_base {

class rg_label10 : public CNimbWinControl, public ILabelEventListener {
    NIMB_DECLARE_CONTROL(rg_label10, CNimbWinControl, "rg_nimb_MFCJieMian_base::rg_label10")

    // A label wrapper, without the border bit.
    rg_label10();
    rg_label10(const rg_label10& other) = default;
    rg_label10& operator=(const rg_label10& other) = default;

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    // Fires LabelNotify; its result is the request's.
    intptr_t OnLabelNotify(uintptr_t first, intptr_t second) override;

    CNWnd_Label* GetLabel() const noexcept { return static_cast<CNWnd_Label*>(GetNativeWnd()); }

    EventSlot<uintptr_t, intptr_t> LabelNotify;
};

} // namespace rg_nimb_MFCJieMian_base
