#include "gui/win/CNimbWnd.h"

#include "gui/win/GdiHandles.h"

#include <atomic>

namespace rg_nimb_MFCJieMian_base {

namespace {

// The window property that points at a window's wrapper: the user data belongs to the
// framework mark.
constexpr wchar_t kWrapperProperty[] = L"NimbWrapper";

std::atomic<int64_t> gLiveWrappers{0};

// The wrapper whose window CreateEx is creating on this thread, until the creation hook
// attaches it, and the hook itself, installed once per thread that creates windows.
thread_local CNimbWnd* tPending = nullptr;
thread_local CWindowHook tCreationHook;

} // namespace

CNimbWnd::CNimbWnd() noexcept {
    gLiveWrappers.fetch_add(1, std::memory_order_relaxed);
}

CNimbWnd::~CNimbWnd() {
    if (Hwnd != nullptr) {
        const HWND window = Hwnd;
        Detach();
        ::DestroyWindow(window);
    }
    gLiveWrappers.fetch_sub(1, std::memory_order_relaxed);
}

bool CNimbWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                        int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
    CNimbWnd* saved = nullptr;
    if (!Park(saved))
        return false;
    const HWND window = ::CreateWindowExW(exStyle, className, text, style, x, y, width, height,
                                          parent, menuOrId, ::GetModuleHandleW(nullptr), this);
    tPending = saved;
    return window != nullptr && Hwnd == window;
}

bool CNimbWnd::Park(CNimbWnd*& saved) {
    if (Hwnd != nullptr)
        return false;
    if (!tCreationHook) {
        tCreationHook.Reset(
            ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId()));
        if (!tCreationHook)
            return false;
    }
    // Windows created while this one is (its children, in its WM_CREATE) park their own
    // wrappers; the slot is given back as it was.
    saved = tPending;
    tPending = this;
    return true;
}

bool CNimbWnd::CreateDialogFrom(const void* dialogTemplate, HWND owner) {
    CNimbWnd* saved = nullptr;
    if (!Park(saved))
        return false;
    const HWND window = ::CreateDialogIndirectParamW(
        ::GetModuleHandleW(nullptr), static_cast<const DLGTEMPLATE*>(dialogTemplate), owner,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    tPending = saved;
    return window != nullptr && Hwnd == window;
}

bool CNimbWnd::AcceptsCreation(const CREATESTRUCTW& creation) const {
    return creation.lpCreateParams == this;
}

void CNimbWnd::DestroyWindow() {
    if (Hwnd != nullptr)
        ::DestroyWindow(Hwnd);
}

CNimbWnd* CNimbWnd::FromHandle(HWND window) noexcept {
    return window != nullptr ? static_cast<CNimbWnd*>(::GetPropW(window, kWrapperProperty))
                             : nullptr;
}

void CNimbWnd::Delete() {
    if (Depth > 0)
        DeletePending = true;
    else
        delete this;
}

int64_t CNimbWnd::LiveCount() noexcept {
    return gLiveWrappers.load(std::memory_order_relaxed);
}

LRESULT CNimbWnd::WindowProc(UINT message, WPARAM first, LPARAM second) {
    LRESULT result = 0;
    if (ReflectToChild(message, first, second, result))
        return result;
    return CallDefault(message, first, second);
}

LRESULT CNimbWnd::CallDefault(UINT message, WPARAM first, LPARAM second) {
    return OriginalProc != nullptr ? ::CallWindowProcW(OriginalProc, Hwnd, message, first, second)
                                   : ::DefWindowProcW(Hwnd, message, first, second);
}

bool CNimbWnd::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CNimbWnd::ReflectToChild(UINT message, WPARAM first, LPARAM second, LRESULT& result) {
    HWND child = nullptr;
    if (message == WM_COMMAND)
        child = reinterpret_cast<HWND>(second); // null for menus and accelerators
    else if (message == WM_NOTIFY && second != 0)
        child = reinterpret_cast<const NMHDR*>(second)->hwndFrom;
    else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        child = reinterpret_cast<HWND>(second);
    CNimbWnd* wrapper = FromHandle(child);
    if (wrapper == nullptr)
        return false;
    // The child's notification is one of its own messages: a handler that destroys it
    // leaves it to be finished once the reflection is over.
    ++wrapper->Depth;
    const bool handled = wrapper->OnReflected(message, first, second, result);
    wrapper->EndMessage();
    return handled;
}

LRESULT CALLBACK CNimbWnd::StaticWindowProc(HWND window, UINT message, WPARAM first,
                                            LPARAM second) {
    CNimbWnd* wrapper = FromHandle(window);
    if (wrapper == nullptr)
        return ::DefWindowProcW(window, message, first, second);
    ++wrapper->Depth;
    const LRESULT result = wrapper->WindowProc(message, first, second);
    if (message == WM_NCDESTROY) {
        wrapper->Detach();
        wrapper->Gone = true;
    }
    wrapper->EndMessage();
    return result;
}

LRESULT CALLBACK CNimbWnd::CreationHook(int code, WPARAM first, LPARAM second) {
    if (code == HCBT_CREATEWND && tPending != nullptr) {
        // Only the window CreateEx asked for: the system creates windows of its own on the
        // way (IME windows, a list view's header).
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(second);
        if (tPending->AcceptsCreation(*creation->lpcs)) {
            CNimbWnd* const wrapper = tPending;
            tPending = nullptr;
            wrapper->Attach(reinterpret_cast<HWND>(first));
        }
    }
    return ::CallNextHookEx(nullptr, code, first, second);
}

void CNimbWnd::Attach(HWND window) {
    Hwnd = window;
    ::SetPropW(window, kWrapperProperty, this);
    OriginalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
}

void CNimbWnd::Detach() {
    if (Hwnd == nullptr)
        return;
    if (::GetWindowLongPtrW(Hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWindowProc))
        ::SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OriginalProc));
    ::RemovePropW(Hwnd, kWrapperProperty);
    Hwnd = nullptr;
    OriginalProc = nullptr;
}

void CNimbWnd::EndMessage() {
    if (--Depth != 0)
        return;
    if (Gone) {
        Gone = false;
        ++Depth; // a deletion asked for meanwhile waits for the end of this call
        OnFinalMessage();
        --Depth;
    }
    if (DeletePending)
        delete this;
}

} // namespace rg_nimb_MFCJieMian_base
