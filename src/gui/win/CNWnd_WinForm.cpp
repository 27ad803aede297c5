#include "gui/win/CNWnd_WinForm.h"

#include "gui/GuiMessages.h"
#include "gui/KeyInput.h"
#include "gui/rg_ChuangKouWeiZhiXianZhiXinXi.h"
#include "gui/win/CNimbEnvelopeDialog.h"
#include "gui/win/WindowClasses.h"
#include "gui/win/WndCreateParams.h"
#include "gui/win/rg_CaiChanLei.h"
#include "runtime/win/ModulePaths.h"
#include "runtime/win/WideText.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

namespace rg_nimb_MFCJieMian_base {

namespace {

HWND gMainWindow = nullptr;

constexpr UINT kTrayIconId = 100;
constexpr uint32_t kHasDefaultId = 0x534B0000; // DC_HASDEFID in the high word

bool IsDown(int key) {
    return ::GetKeyState(key) < 0;
}

bool HasClass(HWND window, const wchar_t* name, bool ignoreCase) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    return ignoreCase ? ::lstrcmpiW(className, name) == 0 : std::wcscmp(className, name) == 0;
}

// The rectangle of the monitor nearest `reference`, or of the primary screen.
RECT MonitorOf(HWND reference) {
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (reference == nullptr)
        return screen;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &info))
        return screen;
    return info.rcMonitor;
}

// The first descendant with identifier `id`, looking only into visible, enabled windows.
HWND FindById(HWND parent, int id) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id)
            return child;
        if (::IsWindowVisible(child) && ::IsWindowEnabled(child)) {
            if (HWND found = FindById(child, id))
                return found;
        }
    }
    return nullptr;
}

} // namespace

HWND GetNimbMainWindow() noexcept {
    return gMainWindow;
}

void SetNimbMainWindow(HWND window) noexcept {
    gMainWindow = window;
}

CNWnd_WinForm::~CNWnd_WinForm() {
    SetFormMenu(nullptr);
    if (TrayIcon != nullptr)
        ::DestroyIcon(TrayIcon);
}

CNimbFormFrame CNWnd_WinForm::Frame() const noexcept {
    return {BorderStyle, ControlBox, MaxButton, MinButton, StartPosition};
}

HWND CNWnd_WinForm::FrameWindow() const noexcept {
    return HostDialog != nullptr ? HostDialog : GetHwnd();
}

IWinFormEventListener* CNWnd_WinForm::FormListener() const {
    return static_cast<IWinFormEventListener*>(Listener);
}

const wchar_t* CNWnd_WinForm::WindowClassName() const {
    return ClassName.IsEmpty() ? kFormClass : Wide(ClassName);
}

bool CNWnd_WinForm::TakeDefaultButton(int32_t id) {
    DefaultButtonId = id;
    return true;
}

void CNWnd_WinForm::SetFormMenu(CRefNimbMenu* menu) {
    if (menu == FormMenu)
        return;
    if (menu != nullptr)
        menu->AddRef();
    CRefNimbMenu* old = FormMenu;
    FormMenu = menu;
    if (HasWindow())
        ::SetMenu(FrameWindow(), MenuHandleOf(menu));
    if (old != nullptr)
        old->Release();
}

bool CNWnd_WinForm::CreateFor(WndCreateParams& params) {
    HostDialog = nullptr;
    const bool child = params.ParentWnd != nullptr && (params.Style & WS_CHILD) != 0;
    if (!child) {
        // Placed on the monitor of a reference window: the popup's parent, or for a form
        // without a parent the application's main window.
        HWND reference = nullptr;
        if (params.ParentWnd == nullptr || !params.ParentWnd->HasWindow())
            reference = GetNimbMainWindow();
        else if ((params.Style & WS_POPUP) != 0)
            reference = params.ParentWnd->GetHwnd();
        const RECT monitor = MonitorOf(reference);
        if (StartPosition == 1) {
            params.X = CentredIn(monitor.left, monitor.right, params.Width);
            params.Y = CentredIn(monitor.top, monitor.bottom, params.Height);
        } else {
            params.X += monitor.left;
            params.Y += monitor.top;
        }
    }
    if (params.Modal)
        return CNimbEnvelopeDialog::Run(*this, params);
    return CreateOrdinary(params);
}

bool CNWnd_WinForm::CreateOrdinary(WndCreateParams& params) {
    const bool child = params.ParentWnd != nullptr && (params.Style & WS_POPUP) == 0;
    HMENU menuOrId;
    if (child) {
        // A form inside its modal host keeps its menu: the host shows it.
        if (HostDialog == nullptr)
            SetFormMenu(nullptr);
        menuOrId = reinterpret_cast<HMENU>(static_cast<intptr_t>(params.Id));
    } else {
        SetFormMenu(params.Menu);
        menuOrId = MenuHandleOf(FormMenu);
    }
    RegisterFrameworkClass(WindowClassName());
    const HWND parent = params.ParentWnd != nullptr ? params.ParentWnd->GetHwnd() : nullptr;
    if (!CreateEx(params.ExStyle, WindowClassName(), Wide(params.Caption), params.Style, params.X,
                  params.Y, params.Width, params.Height, parent, menuOrId))
        return false;
    const HWND window = GetHwnd();
    if (HostDialog == nullptr)
        ::SetWindowLongPtrW(window, GWLP_USERDATA, kNimbFrameworkMark);
    UpdateTitleBar();
    const HWND frame = FrameWindow();
    if (Icon == nullptr)
        Icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100));
    ::SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
    ::SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
    if (Shape != 0)
        ApplyShape();
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(params.Font), TRUE);
    if (TopMost)
        ::SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!Movable)
        ::DeleteMenu(::GetSystemMenu(frame, FALSE), SC_MOVE, MF_BYCOMMAND);
    PlaceByStartPosition(frame, (params.Style & WS_CHILD) != 0);
    return true;
}

void CNWnd_WinForm::PlaceByStartPosition(HWND frame, bool child) {
    StartPosition = std::clamp<int64_t>(StartPosition, 0, 3);
    if (!::IsWindowVisible(frame) || child)
        return;
    switch (StartPosition) {
    case 2:
        ::ShowWindow(frame, SW_SHOWMINIMIZED);
        return;
    case 3:
        ::ShowWindow(frame, SW_SHOWMAXIMIZED);
        return;
    case 0:
        ::ShowWindow(frame, SW_SHOWNORMAL);
        return;
    default:
        break;
    }
    if (::IsIconic(frame) || ::IsZoomed(frame))
        ::ShowWindow(frame, SW_RESTORE);
    RECT bounds;
    ::GetWindowRect(frame, &bounds);
    const RECT monitor = MonitorOf(frame);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = CentredIn(monitor.left, monitor.right, width);
    const int y = CentredIn(monitor.top, monitor.bottom, height);
    if (x != bounds.left || y != bounds.top)
        ::SetWindowPos(frame, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CNWnd_WinForm::AddTrayIcon(HICON icon, const char16_t* tip) {
    if (!HasWindow())
        return false;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = GetHwnd();
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WMU_TRAY_NOTIFY;
    data.hIcon = icon;
    if (tip != nullptr)
        std::wcsncpy(data.szTip, Wide(tip), std::size(data.szTip) - 1);
    if (!::Shell_NotifyIconW(TrayIcon != nullptr ? NIM_MODIFY : NIM_ADD, &data))
        return false;
    if (TrayIcon != nullptr && TrayIcon != icon)
        ::DestroyIcon(TrayIcon);
    TrayIcon = icon;
    return true;
}

void CNWnd_WinForm::UpdateTitleBar() {
    const HWND frame = FrameWindow();
    if (frame == nullptr)
        return;
    wchar_t text[256] = {};
    ::GetWindowTextW(frame, text, 256);
    const auto bits = static_cast<LONG_PTR>(TitleBarBits(Frame(), FromWide(text)));
    const LONG_PTR style = ::GetWindowLongPtrW(frame, GWL_STYLE);
    constexpr LONG_PTR kTitleBits = 0xCB0000;
    if ((style & kTitleBits) == bits)
        return;
    ::SetWindowLongPtrW(frame, GWL_STYLE, (style & ~kTitleBits) | bits);
    ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CNWnd_WinForm::ApplyShape() {
    Shape = std::clamp<int64_t>(Shape, 0, 2);
    const HWND frame = FrameWindow();
    if (frame == nullptr)
        return;
    RECT bounds;
    ::GetWindowRect(frame, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    HRGN region = nullptr;
    if (Shape == 1) {
        region = ::CreateEllipticRgn(0, 0, width, height);
    } else if (Shape == 2) {
        const int corner = RoundedCorner(width, height);
        region = ::CreateRoundRectRgn(0, 0, width, height, corner, corner);
    }
    // The window owns the region from here on.
    if (Shape == 0 || region != nullptr)
        ::SetWindowRgn(frame, region, TRUE);
}

bool CNWnd_WinForm::AskToClose() {
    IWinFormEventListener* listener = FormListener();
    if (listener == nullptr)
        return true;
    const HWND window = GetHwnd();
    if (!listener->OnCloseRequest() || !::IsWindow(window) || GetHwnd() != window)
        return false;
    return FormListener() != nullptr && FormListener()->OnQueryClose() && GetHwnd() == window;
}

void CNWnd_WinForm::QuerySizeLimits(MINMAXINFO& limits) {
    IWinFormEventListener* listener = FormListener();
    if (listener == nullptr)
        return;
    rg_ChuangKouWeiZhiXianZhiXinXi asked;
    asked.MaxSize = {limits.ptMaxSize.x, limits.ptMaxSize.y};
    asked.MaxPosition = {limits.ptMaxPosition.x, limits.ptMaxPosition.y};
    asked.MinTrackSize = {limits.ptMinTrackSize.x, limits.ptMinTrackSize.y};
    asked.MaxTrackSize = {limits.ptMaxTrackSize.x, limits.ptMaxTrackSize.y};
    if (!listener->OnGetMinMaxInfo(asked))
        return;
    limits.ptMaxSize = {asked.MaxSize.Width, asked.MaxSize.Height};
    limits.ptMaxPosition = {asked.MaxPosition.X, asked.MaxPosition.Y};
    limits.ptMinTrackSize = {asked.MinTrackSize.Width, asked.MinTrackSize.Height};
    limits.ptMaxTrackSize = {asked.MaxTrackSize.Width, asked.MaxTrackSize.Height};
}

void CNWnd_WinForm::ReportMenuSelect(WPARAM first) {
    if (FormListener() != nullptr)
        FormListener()->OnMenuSelect(MenuSelectItem(LOWORD(first), HIWORD(first)));
}

bool CNWnd_WinForm::SwallowsBeforeReflection(UINT message, WPARAM, LPARAM second) {
    // Enter turned into a button's command by the dialog-key processing: only the default
    // push button may act on it.
    if (message != WM_COMMAND || second == 0 || !EnterPending)
        return false;
    const auto control = reinterpret_cast<HWND>(second);
    return HasClass(control, L"BUTTON", true) &&
           (::GetWindowLongPtrW(control, GWL_STYLE) & 0xF) != BS_DEFPUSHBUTTON;
}

LRESULT CNWnd_WinForm::OnMessage(UINT message, WPARAM first, LPARAM second) {
    IWinFormEventListener* listener = FormListener();
    switch (message) {
    case WM_CLOSE:
        if (HostDialog == nullptr && !AskToClose())
            return 0;
        return CallDefault(message, first, second);
    case WM_QUERYENDSESSION:
        if (!CallDefault(message, first, second))
            return FALSE;
        if (HostDialog != nullptr || listener == nullptr)
            return TRUE;
        return listener->OnQueryClose();
    case WM_DESTROY:
        OnDestroy();
        return CallDefault(message, first, second);
    case WM_SHOWWINDOW: {
        if (HostDialog != nullptr && second == 0)
            ::SendMessageW(HostDialog, WMU_HOST_COMMAND, 2, static_cast<LPARAM>(first));
        const LRESULT result = CallDefault(message, first, second);
        if (FormListener() != nullptr)
            FormListener()->OnShowChanged(first != 0);
        return result;
    }
    case WM_SETTEXT:
        if (HostDialog != nullptr)
            ::SendMessageW(HostDialog, WMU_HOST_COMMAND, 4, second);
        else
            UpdateTitleBar();
        return CallDefault(message, first, second);
    case WM_ACTIVATE: {
        const LRESULT result = CallDefault(message, first, second);
        OnActivate(first);
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = CallDefault(message, first, second);
        if (listener != nullptr)
            listener->OnResized();
        if (Shape != 0 && HasWindow())
            ApplyShape();
        return result;
    }
    case WM_NCACTIVATE:
        if (HostDialog == nullptr && first == FALSE && KeepActiveLook)
            return CallDefault(message, ::IsWindowEnabled(GetHwnd()) ? TRUE : FALSE, second);
        return CallDefault(message, first, second);
    case WM_MENUSELECT: {
        const LRESULT result = CallDefault(message, first, second);
        ReportMenuSelect(first);
        return result;
    }
    case WM_GETMINMAXINFO: {
        const LRESULT result = CallDefault(message, first, second);
        if (HostDialog == nullptr) {
            auto& limits = *reinterpret_cast<MINMAXINFO*>(second);
            limits.ptMinTrackSize = {1, 1};
            QuerySizeLimits(limits);
        }
        return result;
    }
    case WMU_TRAY_NOTIFY: {
        const int32_t kind = TrayNotifyKind(static_cast<uint32_t>(second));
        if (kind != 0 && listener != nullptr)
            listener->OnTrayNotify(kind);
        return 0;
    }
    case DM_GETDEFID:
        return OnDefaultIdRequest(first, second);
    default:
        return CNWnd_Container::OnMessage(message, first, second);
    }
}

void CNWnd_WinForm::OnDestroy() {
    const HWND window = GetHwnd();
    if (TrayIcon != nullptr) {
        NOTIFYICONDATAW data = {};
        data.cbSize = sizeof data;
        data.hWnd = window;
        data.uID = kTrayIconId;
        ::Shell_NotifyIconW(NIM_DELETE, &data);
        ::DestroyIcon(TrayIcon);
        TrayIcon = nullptr;
    }
    ActivatedOnce = 0;
    if (HelpOpen) {
        ::WinHelpW(window, nullptr, HELP_QUIT, 0);
        HelpOpen = 0;
    }
    if (HostDialog != nullptr)
        ::PostMessageW(HostDialog, WMU_HOST_COMMAND, 1, 0);
    if (FormListener() != nullptr)
        FormListener()->OnWindowDestroyed();
    DestroyToolTip();
}

void CNWnd_WinForm::OnActivate(WPARAM first) {
    if (FormListener() == nullptr || InActivation)
        return;
    const HWND window = GetHwnd();
    InActivation = 1;
    if (LOWORD(first) == WA_INACTIVE) {
        FormListener()->OnDeactivate();
    } else {
        if (!ActivatedOnce) {
            ActivatedOnce = 1;
            FormListener()->OnFirstActivate();
        }
        // A first activation's handler may have destroyed the window.
        if (GetHwnd() == window && FormListener() != nullptr)
            FormListener()->OnActivate();
    }
    InActivation = 0;
}

LRESULT CNWnd_WinForm::OnDefaultIdRequest(WPARAM first, LPARAM second) {
    const HWND window = GetHwnd();
    if (DefaultButtonId != 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
        FindById(window, DefaultButtonId) != nullptr)
        return static_cast<LRESULT>(kHasDefaultId + static_cast<uint32_t>(DefaultButtonId));
    return CallDefault(DM_GETDEFID, first, second);
}

LRESULT CNWnd_WinForm::OnPreTranslate(MSG& message) {
    return HandleKeyboard(message) ? kNimbFrameworkMark : 0;
}

bool CNWnd_WinForm::HandleKeyboard(MSG& message) {
    const HWND window = GetHwnd();
    if (FormListener() != nullptr) {
        CNimbMessageRecord record{message.hwnd, message.message, message.wParam, message.lParam};
        if (FormListener()->OnPreTranslate(record) || GetHwnd() != window)
            return true;
    }
    CNWnd_Container::OnPreTranslate(message); // the tooltip
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const uint32_t key =
        keyDown ? NormaliseKeyCode(static_cast<uint32_t>(message.wParam), IsDown(VK_CONTROL),
                                   IsDown(VK_SHIFT), IsDown(VK_MENU))
                : 0;
    bool dialogKeys = message.message != WM_CHAR;
    if (key != 0) {
        if (!::IsWindowEnabled(message.hwnd))
            return false;
        if (key == VK_ESCAPE) {
            if (EscCloses || HostDialog != nullptr) {
                if (HostDialog != nullptr)
                    ::PostMessageW(HostDialog, WMU_HOST_COMMAND, 3, -1);
                else
                    ::PostMessageW(window, WM_CLOSE, 0, 0);
                return true;
            }
            dialogKeys = false;
        }
    }
    if (DragByClient && message.message == WM_LBUTTONDOWN &&
        (message.hwnd == window ||
         (::SendMessageW(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message)) &
          DLGC_STATIC) != 0)) {
        POINT point;
        ::GetCursorPos(&point);
        ::PostMessageW(FrameWindow(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        return true;
    }
    if (key != 0) {
        const bool inEdit = HasClass(message.hwnd, L"Edit", false);
        constexpr uint32_t kClipboardKeys[] = {0x2041, 0x2043, 0x2056, 0x2058};
        if (inEdit && std::find(std::begin(kClipboardKeys), std::end(kClipboardKeys), key) !=
                          std::end(kClipboardKeys))
            return false; // the edit box's own
        const HACCEL accelerators = FormMenu != nullptr ? FormMenu->AcceleratorHandle : nullptr;
        if (accelerators != nullptr && message.message >= 0x100 && message.message <= 0x109 &&
            ::TranslateAcceleratorW(window, accelerators, &message))
            return true;
        if (inEdit && (key == VK_TAB || key == (kNimbKeyShift | VK_TAB))) {
            const HWND next = ::GetNextDlgTabItem(window, message.hwnd, key != VK_TAB);
            if (next != nullptr) {
                ::SetFocus(next);
                return true;
            }
        }
        if (key == VK_RETURN && DefaultButtonId == 0)
            dialogKeys = false;
        if (key == VK_F1 && !HelpFile.IsEmpty()) {
            CWString directory;
            GetModuleDirectory(nullptr, directory);
            const CWString path = ResolveHelpPath(directory, HelpFile);
            if (PathExists(path.GetText())) {
                HelpOpen = 1;
                ::WinHelpW(window, Wide(path), HelpContext != 0 ? HELP_CONTEXT : HELP_CONTENTS,
                           static_cast<ULONG_PTR>(HelpContext));
                return true;
            }
        }
    }
    if (!dialogKeys)
        return false;
    EnterPending = key == VK_RETURN;
    const bool taken = ::IsDialogMessageW(window, &message) != FALSE;
    EnterPending = 0;
    return taken;
}

} // namespace rg_nimb_MFCJieMian_base
