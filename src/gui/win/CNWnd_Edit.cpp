#include "gui/win/CNWnd_Edit.h"

#include "gui/EditRules.h"
#include "gui/win/PictureDrawing.h"
#include "gui/win/WndCreateParams.h"
#include "runtime/NumberText.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace rg_nimb_MFCJieMian_base {

namespace {

CWString WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    CWString text;
    if (length > 0) {
        char16_t* units = text.PrepareUnits(length);
        text.SetLength(::GetWindowTextW(window, Wide(units), length + 1));
    }
    return text;
}

int32_t EditNotifyCode(WPARAM first) {
    return HIWORD(first);
}

} // namespace

bool CEditSpin::OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result) {
    if (Edit == nullptr)
        return false;
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(second)->code == UDN_DELTAPOS) {
        Edit->OnSpinPressed(reinterpret_cast<const NMUPDOWN*>(second)->iDelta);
        result = 0;
        return true;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        result = Edit->AnswerColours(reinterpret_cast<HDC>(first));
        return true;
    }
    return false;
}

CNWnd_Edit::CNWnd_Edit()
    : BackBrush(::CreateSolidBrush(RGB(255, 255, 255))), Spin(new CEditSpin()) {}

CNWnd_Edit::~CNWnd_Edit() {
    Spin->Edit = nullptr;
    Spin->DestroyWindow();
    Spin->Delete();
}

const wchar_t* CNWnd_Edit::WindowClassName() const {
    return L"EDIT";
}

void CNWnd_Edit::PrepareCreation(WndCreateParams& params) {
    if (MultiLine) {
        params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (ScrollBars == 1 || ScrollBars == 3)
            params.Style |= ES_AUTOHSCROLL;
        if (ScrollBars == 1)
            params.Style |= WS_HSCROLL;
        else if (ScrollBars == 2)
            params.Style |= WS_VSCROLL;
        else if (ScrollBars == 3)
            params.Style |= WS_HSCROLL | WS_VSCROLL;
    } else {
        params.Style |= ES_AUTOHSCROLL;
    }
    if (InputType == kEditReadOnly)
        params.Style |= ES_READONLY;
    else if (InputType == kEditPassword)
        params.Style |= ES_PASSWORD;
}

void CNWnd_Edit::CompleteCreation(WndCreateParams& params) {
    const HWND window = GetHwnd();
    ::SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(static_cast<uint32_t>(MaxLength)), 0);
    if (InputType == kEditPassword)
        ::SendMessageW(window, EM_SETPASSWORDCHAR, PasswordChar, 0);
    if (MultiLine || SpinMode == 0)
        return;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    if (!Spin->CreateEx(0, UPDOWN_CLASSW, L"", (style & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD, 0,
                        0, 0, 0, ::GetParent(window),
                        reinterpret_cast<HMENU>(static_cast<intptr_t>(params.Id) + 1000))) {
        SpinMode = 0;
        return;
    }
    Spin->Edit = this;
    Spin->Stepping = SpinMode == 1;
    const auto lower = static_cast<int16_t>(std::min(SpinMin, SpinMax));
    const auto upper = static_cast<int16_t>(std::max(SpinMin, SpinMax));
    ::SendMessageW(Spin->GetHwnd(), UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
    PlaceSpin();
}

void CNWnd_Edit::SetCueBanner(const char16_t* text) {
    if (HasWindow())
        ::SendMessageW(GetHwnd(), EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(Wide(text)));
}

void CNWnd_Edit::PlaceSpin() {
    if (!Spin->HasWindow() || !HasWindow())
        return;
    const HWND window = GetHwnd();
    const HWND parent = ::GetParent(window);
    if (::GetParent(Spin->GetHwnd()) != parent)
        ::SetParent(Spin->GetHwnd(), parent);
    RECT bounds;
    ::GetWindowRect(window, &bounds);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    // Just in front of the box, reordered only when it is not there already.
    const HWND before = ::GetWindow(window, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE;
    if (before == Spin->GetHwnd())
        flags |= SWP_NOZORDER;
    ::SetWindowPos(Spin->GetHwnd(), before != nullptr ? before : HWND_TOP, bounds.right, bounds.top,
                   18, bounds.bottom - bounds.top, flags);
    ::InvalidateRect(window, nullptr, TRUE);
}

void CNWnd_Edit::OnSpinPressed(int delta) {
    const HWND window = GetHwnd();
    if (window == nullptr || !::IsWindowEnabled(window) || !::IsWindowVisible(window))
        return;
    if (!Spin->Stepping) {
        if (Listener != nullptr)
            static_cast<IEditEventListener*>(Listener)->OnSpin(delta < 0 ? -1 : 1);
        return;
    }
    int lower = 0;
    int upper = 0;
    ::SendMessageW(Spin->GetHwnd(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                   reinterpret_cast<LPARAM>(&upper));
    const CWString text = WindowText(window);
    const int32_t value = StepSpinValue(TextToInt32(text.GetText()), lower, upper, delta < 0);
    ::SetWindowTextW(window, Wide(Int64ToText(value)));
    ::SendMessageW(window, EM_SETSEL, 0, -1);
    ::SendMessageW(window, EM_SCROLLCARET, 0, 0);
    ::SetFocus(window);
}

LRESULT CNWnd_Edit::AnswerColours(HDC dc) const {
    ::SetTextColor(dc, static_cast<COLORREF>(TextColor));
    ::SetBkColor(dc, ColourOr(BackColor, COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(BackBrush.Get());
}

bool CNWnd_Edit::ListenerSees(UINT message) const {
    return message != WM_SETFOCUS && message != WM_KILLFOCUS;
}

bool CNWnd_Edit::OnReflected(UINT message, WPARAM first, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND) {
        const HWND window = GetHwnd();
        switch (EditNotifyCode(first)) {
        case EN_CHANGE:
            if (Listener != nullptr)
                static_cast<IEditEventListener*>(Listener)->OnChanged();
            break;
        case EN_SETFOCUS:
            if (Listener != nullptr) {
                CNimbMessageRecord record{window, WM_SETFOCUS, 0, 0};
                Listener->OnWindowMessage(record);
            }
            break;
        case EN_KILLFOCUS:
            OnFocusLost();
            break;
        default:
            return false;
        }
        result = 0;
        return true;
    }
    if (!MultiLine && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        result = AnswerColours(reinterpret_cast<HDC>(first));
        return true;
    }
    return false;
}

void CNWnd_Edit::OnFocusLost() {
    const HWND window = GetHwnd();
    const CWString text = WindowText(window);
    const CWString normal = NormaliseEditText(InputType, text);
    if (!normal.HasSameText(text)) {
        DWORD start = 0;
        ::SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        ::SetWindowTextW(window, Wide(normal));
        ::SendMessageW(window, EM_SETSEL, start, start);
        ::SendMessageW(window, EM_SCROLLCARET, 0, 0);
    }
    if (Listener != nullptr && GetHwnd() != nullptr) {
        CNimbMessageRecord record{window, WM_KILLFOCUS, 0, 0};
        Listener->OnWindowMessage(record);
    }
}

void CNWnd_Edit::OnFontSet(HFONT font) {
    const HWND window = GetHwnd();
    TextHeight = 0;
    if (font != nullptr) {
        const HDC dc = ::GetDC(window);
        const HGDIOBJ old = ::SelectObject(dc, font);
        TEXTMETRICW metrics = {};
        if (::GetTextMetricsW(dc, &metrics))
            TextHeight = metrics.tmHeight;
        ::SelectObject(dc, old);
        ::ReleaseDC(window, dc);
    }
    RECT bounds;
    ::GetWindowRect(window, &bounds);
    const int64_t least = TextHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
    if (bounds.bottom - bounds.top < least)
        ::SetWindowPos(window, nullptr, 0, 0, bounds.right - bounds.left, static_cast<int>(least),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CNWnd_Edit::PaintNonClient() {
    const HWND window = GetHwnd();
    RECT bounds;
    ::GetWindowRect(window, &bounds);
    RECT client;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -bounds.left, -bounds.top);
    ::OffsetRect(&bounds, -bounds.left, -bounds.top);
    const HDC dc = ::GetWindowDC(window);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    ::FillRect(dc, &bounds, BackBrush.Get());
    ::ReleaseDC(window, dc);
}

LRESULT CNWnd_Edit::OnMessage(UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_CHAR: {
        const auto character = static_cast<char16_t>(first);
        if (!AcceptsTypedCharacter(InputType, character)) {
            ::MessageBeep(MB_ICONEXCLAMATION);
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (MultiLine && first == VK_ESCAPE)
            return 0;
        break;
    case WM_SIZE:
    case WM_MOVE: {
        const LRESULT result = CallDefault(message, first, second);
        PlaceSpin();
        return result;
    }
    case WM_ENABLE:
        if (Spin->HasWindow())
            ::EnableWindow(Spin->GetHwnd(), first != 0);
        break;
    case WM_SHOWWINDOW:
        if (Spin->HasWindow())
            ::ShowWindow(Spin->GetHwnd(), first != 0 ? SW_SHOWNA : SW_HIDE);
        break;
    default:
        break;
    }
    if (MultiLine)
        return CallDefault(message, first, second);
    switch (message) {
    case WM_SETFONT:
        OnFontSet(reinterpret_cast<HFONT>(first));
        return CallDefault(message, first, second);
    case WM_NCCALCSIZE: {
        const LRESULT result = CallDefault(message, first, second);
        if (TextHeight > 0) {
            RECT& area = first != 0 ? reinterpret_cast<NCCALCSIZE_PARAMS*>(second)->rgrc[0]
                                    : *reinterpret_cast<RECT*>(second);
            area.top += (area.bottom - area.top - static_cast<LONG>(TextHeight)) / 2;
            area.bottom = area.top + static_cast<LONG>(TextHeight);
        }
        return result;
    }
    case WM_NCPAINT:
        PaintNonClient();
        return CallDefault(message, first, second);
    case WM_NCHITTEST: {
        POINT point = {static_cast<int16_t>(LOWORD(second)), static_cast<int16_t>(HIWORD(second))};
        ::ScreenToClient(GetHwnd(), &point);
        RECT client;
        ::GetClientRect(GetHwnd(), &client);
        if (!::PtInRect(&client, point))
            return HTBORDER; // the band above and below the text is no text area
        return CallDefault(message, first, second);
    }
    default:
        return CallDefault(message, first, second);
    }
}

} // namespace rg_nimb_MFCJieMian_base
