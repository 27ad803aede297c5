#include "gui/win/CNimbEnvelopeDialog.h"

#include "gui/FormRules.h"
#include "gui/GuiMessages.h"
#include "gui/win/CNWnd_WinForm.h"
#include "gui/win/CNimbMessageLoop.h"
#include "gui/win/WndCreateParams.h"
#include "gui/win/rg_CaiChanLei.h"
#include "runtime/win/WideText.h"

namespace rg_nimb_MFCJieMian_base {

namespace {

// The dialog class, as creation reports it: an atom or its name.
bool IsDialogClass(const wchar_t* name) {
    const auto atom = reinterpret_cast<ULONG_PTR>(name);
    return atom == 0x8002 || (atom > 0xFFFF && ::lstrcmpiW(name, L"#32770") == 0);
}

// The platform's choice of an owner for a modal dialog without one.
HWND DefaultOwner() {
    if (HWND active = ::GetActiveWindow())
        return active;
    if (HWND main = GetNimbMainWindow())
        return main;
    return ::GetDesktopWindow();
}

} // namespace

const wchar_t* CNimbEnvelopeDialog::WindowClassName() const {
    return L"#32770";
}

bool CNimbEnvelopeDialog::AcceptsCreation(const CREATESTRUCTW& creation) const {
    return IsDialogClass(creation.lpszClass);
}

bool CNimbEnvelopeDialog::Run(CNWnd_WinForm& form, WndCreateParams& params) {
    const bool fixed = params.ModalFixedFrame != 0;
    if (fixed) {
        form.BorderStyle = 2;
        form.ControlBox = 1;
        form.MaxButton = 0;
        form.MinButton = 0;
    }
    const CNimbMem dialogTemplate =
        DialogTemplate(HostTemplateStyle(params.Style, fixed), fixed ? 0 : params.ExStyle, u"");
    HWND owner = params.ParentWnd != nullptr ? params.ParentWnd->GetHwnd() : nullptr;
    if (owner == nullptr)
        owner = DefaultOwner();
    const HWND focus = ::GetFocus();
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);

    CNimbEnvelopeDialog host(form, params);
    if (owner != nullptr)
        ::EnableWindow(owner, FALSE);
    if (host.CreateDialogFrom(dialogTemplate.GetData(), owner)) {
        if (GetNimbMainWindow() == nullptr) {
            SetNimbMainWindow(host.GetHwnd());
            host.MainWindowMine = true;
        }
        CNimbMessageLoop loop;
        loop.Run(&host.Ended);
    }
    // The owner first: with the host gone first nothing would be active any more.
    if (owner != nullptr && ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    host.DestroyWindow();
    if (focus != nullptr && ::IsWindow(focus))
        ::SetFocus(focus);
    params.ModalResult = host.Result;
    return true;
}

void CNimbEnvelopeDialog::EndRun(int32_t result) {
    if (Ended)
        return;
    Result = result;
    Ended = true;
    ::PostMessageW(GetHwnd(), WM_NULL, 0, 0); // wakes the loop if nothing else does
}

void CNimbEnvelopeDialog::Initialise() {
    const HWND host = GetHwnd();
    Form.HostDialog = host;
    ::SetWindowLongPtrW(host, GWLP_USERDATA, kNimbFrameworkMark);
    const bool fixed = Params.ModalFixedFrame != 0;
    const HMENU menu = MenuHandleOf(Params.Menu);
    Form.SetFormMenu(Params.Menu);

    // The form asked for its outer rectangle; the host's client area is that less the
    // form's frame, and the host gets its own frame around it.
    RECT grown = {200, 200, 300, 300};
    ::AdjustWindowRectEx(&grown, Params.Style, menu != nullptr, Params.ExStyle);
    const CNimbRect client = HostClientRect({grown.left, grown.top, grown.right, grown.bottom},
                                            Params.X, Params.Y, Params.Width, Params.Height);
    LONG_PTR style = ::GetWindowLongPtrW(host, GWL_STYLE);
    if (!fixed && (Params.Style & WS_BORDER) == 0 && (style & WS_BORDER) != 0) {
        style &= ~static_cast<LONG_PTR>(WS_BORDER);
        ::SetWindowLongPtrW(host, GWL_STYLE, style);
    }
    RECT outer = {client.Left, client.Top, client.Right, client.Bottom};
    ::AdjustWindowRectEx(&outer, static_cast<DWORD>(style), menu != nullptr,
                         static_cast<DWORD>(::GetWindowLongPtrW(host, GWL_EXSTYLE)));
    ::MoveWindow(host, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 FALSE);
    ::SetMenu(host, menu);
    ::SetWindowTextW(host, Wide(Params.Caption));

    RECT area;
    ::GetClientRect(host, &area);
    WndCreateParams inner;
    inner.ParentWnd = this;
    inner.Width = area.right;
    inner.Height = area.bottom;
    inner.Id = 0xFFFF;
    inner.Style = WS_VISIBLE | WS_CHILD;
    inner.ExStyle = WS_EX_CONTROLPARENT;
    inner.Caption = Params.Caption;
    inner.Font = Params.Font;
    if (!Form.CreateOrdinary(inner)) {
        EndRun(-1);
        return;
    }
    if (Form.DefaultButtonId != 0)
        ::SendMessageW(host, DM_SETDEFID, static_cast<WPARAM>(Form.DefaultButtonId), 0);
    ::SetFocus(Form.GetHwnd());
    if (Form.Listener != nullptr)
        static_cast<IWinFormEventListener*>(Form.Listener)->OnModalStart();
}

void CNimbEnvelopeDialog::PaintMinimised() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(GetHwnd(), &paint);
    ::SendMessageW(GetHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(GetHwnd(), &client);
    const int width = ::GetSystemMetrics(SM_CXICON);
    const int height = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - width + 1) / 2, (client.bottom - height + 1) / 2, Form.Icon);
    ::EndPaint(GetHwnd(), &paint);
}

LRESULT CNimbEnvelopeDialog::OnMessage(UINT message, WPARAM first, LPARAM second) {
    const HWND form = Form.GetHwnd();
    switch (message) {
    case WM_INITDIALOG:
        CallDefault(message, first, second);
        Initialise();
        return FALSE; // the focus is set already
    case WM_SIZE:
        if (form != nullptr)
            ::MoveWindow(form, 0, 0, LOWORD(second), HIWORD(second), TRUE);
        return CallDefault(message, first, second);
    case WM_SETFOCUS:
        if (form != nullptr) {
            ::SetFocus(form);
            return 0;
        }
        return CallDefault(message, first, second);
    case WM_CLOSE:
        if (Form.AskToClose())
            EndRun(-1);
        return 0;
    case WM_QUERYENDSESSION:
        return Form.Listener == nullptr ||
               static_cast<IWinFormEventListener*>(Form.Listener)->OnQueryClose();
    case WM_MENUSELECT:
        Form.ReportMenuSelect(first);
        return CallDefault(message, first, second);
    case WM_GETMINMAXINFO: {
        const LRESULT result = CallDefault(message, first, second);
        auto& limits = *reinterpret_cast<MINMAXINFO*>(second);
        limits.ptMinTrackSize = {1, 1};
        Form.QuerySizeLimits(limits);
        return result;
    }
    case WM_COMMAND:
        // Menus and accelerators go to the form, as if it had them itself.
        if (second == 0 && form != nullptr)
            return ::SendMessageW(form, message, first, second);
        return CallDefault(message, first, second);
    case WM_NCACTIVATE:
        if (first == FALSE && Form.KeepActiveLook)
            return CallDefault(message, ::IsWindowEnabled(GetHwnd()) ? TRUE : FALSE, second);
        return CallDefault(message, first, second);
    case WM_PAINT:
        if (::IsIconic(GetHwnd()) && Form.Icon != nullptr) {
            PaintMinimised();
            return 0;
        }
        return CallDefault(message, first, second);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(Form.Icon);
    case WM_DESTROY:
        HostDestroyed = 1;
        if (MainWindowMine && GetNimbMainWindow() == GetHwnd())
            SetNimbMainWindow(nullptr);
        return CallDefault(message, first, second);
    case WMU_PRETRANSLATE:
        if (static_cast<uint32_t>(second) == kNimbFrameworkMark && first != 0 && form != nullptr)
            return Form.HandleKeyboard(*reinterpret_cast<MSG*>(first)) ? kNimbFrameworkMark : 0;
        return CallDefault(message, first, second);
    case WMU_HOST_COMMAND:
        switch (first) {
        case 1: // the form's window was destroyed
            if (!HostDestroyed)
                EndRun(-1);
            return 0;
        case 2:
            ::ShowWindow(GetHwnd(), second != 0 ? SW_SHOW : SW_HIDE);
            return 0;
        case 3:
            EndRun(static_cast<int32_t>(second));
            return 0;
        case 4:
            ::SetWindowTextW(GetHwnd(), reinterpret_cast<const wchar_t*>(second));
            return 0;
        default:
            return CallDefault(message, first, second);
        }
    default:
        return CallDefault(message, first, second);
    }
}

} // namespace rg_nimb_MFCJieMian_base
