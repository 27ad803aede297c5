#pragma once
// The native window of a form: a container window of its own class that reports to the
// form's listener. Its form behaviour (frame, keyboard, closing, modal hosting) builds on
// the container's.

#include "gui/win/CNWnd_Container.h"
#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_WinForm : public CNWnd_Container {
public:
    // The identifier of the default push button; 0: none.
    int32_t DefaultButtonId = 0;
    // The window class; empty: "NimbWinForm".
    CWString ClassName;

    bool TakeDefaultButton(int32_t id) override;

protected:
    const wchar_t* WindowClassName() const override;
    void PrepareCreation(WndCreateParams& params) override;
};

} // namespace rg_nimb_MFCJieMian_base
