#include "gui/win/CNWnd_Container.h"

#include "gui/GuiMessages.h"
#include "gui/win/PictureDrawing.h"
#include "gui/win/WindowClasses.h"
#include "gui/win/WndCreateParams.h"

#include <commctrl.h>

#include <vector>

namespace rg_nimb_MFCJieMian_base {

namespace {

constexpr LRESULT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;

bool IsShownAndEnabled(HWND window) {
    return ::IsWindowVisible(window) && ::IsWindowEnabled(window);
}

// The first descendant, depth first in z-order, that `wanted` accepts; a child's own
// children are looked at only when it is visible and enabled.
template <class Wanted>
HWND FindDescendant(HWND parent, Wanted&& wanted) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (wanted(child))
            return child;
        if (IsShownAndEnabled(child)) {
            if (HWND found = FindDescendant(child, wanted))
                return found;
        }
    }
    return nullptr;
}

// The visible descendants of `parent`, each child's own before the child, in z-order.
void CollectVisible(HWND parent, std::vector<HWND>& windows) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        CollectVisible(child, windows);
        windows.push_back(child);
    }
}

} // namespace

CNWnd_Container::~CNWnd_Container() {
    DestroyToolTip();
}

const wchar_t* CNWnd_Container::WindowClassName() const {
    return kContainerClass;
}

void CNWnd_Container::PrepareCreation(WndCreateParams& params) {
    RegisterFrameworkClass(WindowClassName());
    if (Transparent)
        params.ExStyle |= WS_EX_TRANSPARENT;
}

void CNWnd_Container::CompleteCreation(WndCreateParams&) {
    ::SetWindowLongPtrW(GetHwnd(), GWLP_USERDATA, kNimbFrameworkMark);
}

IContainerEventListener* CNWnd_Container::ContainerListener() const {
    return static_cast<IContainerEventListener*>(Listener);
}

LRESULT CNWnd_Container::OnMessage(UINT message, WPARAM first, LPARAM second) {
    IContainerEventListener* listener = ContainerListener();
    switch (message) {
    case WM_CREATE:
        if (CallDefault(message, first, second) == -1)
            return -1;
        if (listener != nullptr)
            listener->OnWindowCreated();
        return 0;
    case WM_DESTROY:
        if (listener != nullptr)
            listener->OnWindowDestroyed();
        DestroyToolTip();
        return CallDefault(message, first, second);
    case WM_MOVE: {
        const LRESULT result = CallDefault(message, first, second);
        if (Transparent && HasWindow()) {
            RepaintBehind(GetHwnd());
            ::InvalidateRect(GetHwnd(), nullptr, FALSE);
        }
        if (ContainerListener() != nullptr)
            ContainerListener()->OnMoved();
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = CallDefault(message, first, second);
        if (listener != nullptr)
            listener->OnResized();
        return result;
    }
    case WM_SHOWWINDOW: {
        const LRESULT result = CallDefault(message, first, second);
        if (listener != nullptr)
            listener->OnShowChanged(first != 0);
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = CallDefault(message, first, second);
        PassFocusOn(GetHwnd());
        return result;
    }
    case WM_GETDLGCODE:
        return DLGC_STATIC; // the container itself takes no keyboard input
    case WM_PAINT:
        Paint();
        return 0;
    case WM_COMMAND:
        // Menus and accelerators; a control's notifications were offered to it already.
        if (second == 0 && listener != nullptr && listener->OnCommand(LOWORD(first)))
            return 0;
        return CallDefault(message, first, second);
    case WMU_PRETRANSLATE:
        if (static_cast<uint32_t>(second) == kNimbFrameworkMark && first != 0)
            return OnPreTranslate(*reinterpret_cast<MSG*>(first));
        return CallDefault(message, first, second);
    default:
        return CallDefault(message, first, second);
    }
}

void CNWnd_Container::OnFinalMessage() {
    if (ContainerListener() != nullptr)
        ContainerListener()->OnWindowGone();
}

LRESULT CNWnd_Container::OnPreTranslate(MSG& message) {
    const bool relayed = message.message >= WM_MOUSEMOVE && message.message <= WM_MBUTTONUP &&
                         message.message != WM_LBUTTONDBLCLK && message.message != WM_RBUTTONDBLCLK;
    if (relayed && ToolTip != nullptr && ToolTip->HasWindow() &&
        ::SendMessageW(ToolTip->GetHwnd(), TTM_GETTOOLCOUNT, 0, 0) > 0)
        ::SendMessageW(ToolTip->GetHwnd(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    return 0;
}

void CNWnd_Container::DestroyToolTip() {
    if (ToolTip == nullptr)
        return;
    ToolTip->DestroyWindow();
    ToolTip->Delete();
    ToolTip = nullptr;
}

void CNWnd_Container::Paint() {
    const HWND window = GetHwnd();
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);
    RECT clip;
    ::GetClipBox(dc, &clip);
    if (::IntersectRect(&clip, &clip, &client))
        PaintBackground(dc, client, clip, Transparent != 0, BackColor, Picture.Get(), PictureMode);
    ::EndPaint(window, &paint);
}

void CNWnd_Container::PassFocusOn(HWND container) {
    HWND target = nullptr;
    if (IsShownAndEnabled(container)) {
        target = FindDescendant(container, [](HWND window) {
            return (::SendMessageW(window, WM_GETDLGCODE, 0, 0) & kWantsKeys) != 0;
        });
        if (target == nullptr) {
            target = FindDescendant(container, [](HWND window) {
                return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0;
            });
        }
    }
    if (target == nullptr)
        target = ::GetWindow(container, GW_CHILD);
    if (target != nullptr)
        ::SetFocus(target);
}

void CNWnd_Container::RepaintBehind(HWND window) {
    HWND top = window;
    while ((::GetWindowLongPtrW(top, GWL_STYLE) & WS_POPUP) == 0 && ::GetParent(top) != nullptr)
        top = ::GetParent(top);
    RECT area;
    ::GetClientRect(window, &area);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT inTop = area;
    ::MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&inTop), 2);
    ::InvalidateRect(top, &inTop, TRUE);
    std::vector<HWND> windows;
    CollectVisible(top, windows);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        RECT bounds;
        ::GetWindowRect(*it, &bounds);
        RECT overlap;
        if (!::IntersectRect(&overlap, &bounds, &area))
            continue;
        ::MapWindowPoints(nullptr, *it, reinterpret_cast<POINT*>(&overlap), 2);
        ::RedrawWindow(*it, &overlap, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASENOW);
    }
}

} // namespace rg_nimb_MFCJieMian_base
