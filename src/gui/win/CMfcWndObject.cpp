#include "gui/win/CMfcWndObject.h"

#include "gui/win/CNWnd_Base.h"

namespace rg_nimb_MFCJieMian_base {

CMfcWndObject::~CMfcWndObject() {
    // The wrapper goes at once, or when the message it is handling returns.
    if (NativeWnd != nullptr)
        NativeWnd->Delete();
}

void CMfcWndObject::OnFinalRelease() {
    if (NativeWnd != nullptr)
        NativeWnd->DestroyWindow();
}

} // namespace rg_nimb_MFCJieMian_base
