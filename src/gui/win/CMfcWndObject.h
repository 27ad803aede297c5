#pragma once
// The window payload: the counted object that every copy of one control shares. It owns
// the control's native wrapper and keeps what exists before the window does.

#include "gui/win/GdiHandles.h"
#include "runtime/CRefObject.h"
#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Base;

class CMfcWndObject : public CRefObject {
    NIMB_DECLARE_REF_CLASS(CMfcWndObject, CRefObject, "CMfcWndObject")

    // Takes over `wrapper`.
    explicit CMfcWndObject(CNWnd_Base* wrapper) noexcept : NativeWnd(wrapper) {}
    // Deletes the font and the wrapper.
    ~CMfcWndObject() override;
    // Destroys the window if it still exists.
    void OnFinalRelease() override;

    CWString PendingCaption;     // the window text at creation
    uint32_t Style = 0x14000000; // visible, clip siblings
    uint32_t ExStyle = 0;
    HCURSOR Cursor = nullptr; // set whenever the pointer is over the control
    CGdiFont Font;            // made on first use by FillCreateParams
    CNWnd_Base* NativeWnd;
};

} // namespace rg_nimb_MFCJieMian_base
