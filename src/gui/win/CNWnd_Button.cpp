#include "gui/win/CNWnd_Button.h"

#include "gui/win/PictureDrawing.h"
#include "gui/win/WndCreateParams.h"

namespace rg_nimb_MFCJieMian_base {

CNWnd_Button::CNWnd_Button() : BackBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))) {}

const wchar_t* CNWnd_Button::WindowClassName() const {
    return L"BUTTON";
}

void CNWnd_Button::CompleteCreation(WndCreateParams& params) {
    if ((params.Style & 0xF) != BS_DEFPUSHBUTTON)
        return;
    for (HWND window = ::GetParent(GetHwnd()); window != nullptr; window = ::GetParent(window)) {
        auto* wrapper = dynamic_cast<CNWnd_Base*>(FromHandle(window));
        if (wrapper != nullptr && wrapper->TakeDefaultButton(params.Id))
            return;
    }
}

bool CNWnd_Button::OnReflected(UINT message, WPARAM first, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(first) == BN_CLICKED) {
        if (Listener != nullptr)
            static_cast<IButtonEventListener*>(Listener)->OnClicked();
        result = 0;
        return true;
    }
    if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(first);
        ::SetTextColor(dc, static_cast<COLORREF>(TextColor));
        ::SetBkColor(dc, ColourOr(BackColor, COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(BackBrush.Get());
        return true;
    }
    return false;
}

LRESULT CNWnd_Button::OnMessage(UINT message, WPARAM first, LPARAM second) {
    // Check boxes, radio buttons and group boxes have a background of their own to erase;
    // push buttons paint all of theirs.
    if (message == WM_ERASEBKGND && (::GetWindowLongPtrW(GetHwnd(), GWL_STYLE) & 7) != 0) {
        RECT client;
        ::GetClientRect(GetHwnd(), &client);
        ::FillRect(reinterpret_cast<HDC>(first), &client, BackBrush.Get());
    }
    return CallDefault(message, first, second);
}

} // namespace rg_nimb_MFCJieMian_base
