#include "gui/win/CNimbWinControl.h"

#include "gui/GuiMessages.h"
#include "gui/KeyInput.h"
#include "gui/win/CNWnd_Base.h"
#include "gui/win/CNimbWinContainer.h"
#include "runtime/CNimbStream.h"
#include "runtime/win/WideText.h"

#include <shellapi.h>

namespace rg_nimb_MFCJieMian_base {

namespace {

bool IsDown(int key) {
    return ::GetKeyState(key) < 0;
}

// A 9-point font at the screen's resolution, in the face of the default GUI font.
HFONT CreateNinePointFont() {
    LOGFONTW description = {};
    if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description) == 0)
        return nullptr;
    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    description.lfHeight = -static_cast<LONG>(pixelsPerInch * 9.0 / 72.0);
    return ::CreateFontIndirectW(&description);
}

// The dropped paths in drop order; an empty path is a null entry.
void ReadDroppedFiles(HDROP drop, rg_nimb_base::rg_WenBenShuZuLei& paths) {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[260] = {};
        const UINT length = ::DragQueryFileW(drop, i, path, 260);
        paths.Texts.AddUnits(FromWide(path), length);
    }
    ::DragFinish(drop);
}

} // namespace

CNimbWinControl::~CNimbWinControl() {
    DetachListener();
}

bool CNimbWinControl::IsEqual(const CNimbObject& other) const {
    return CNimbRefObject::IsEqual(other) &&
           ValueText.HasSameText(static_cast<const CNimbWinControl&>(other).ValueText);
}

bool CNimbWinControl::AssignFrom(const CNimbObject& other) {
    if (!other.IsKindOf(GetClassInfo()))
        return false;
    if (&other != this) {
        OnBeforeChange();
        CNimbWinControl::operator=(static_cast<const CNimbWinControl&>(other));
    }
    return true;
}

void CNimbWinControl::Reset() {
    OnBeforeChange();
    Flags = 0;
    Tag = 0;
    AdoptPayload(nullptr);
    ValueText.Clear();
}

void CNimbWinControl::LoadFromStream(CNimbStreamReader& reader) {
    if (reader.IsGood())
        ValueText.LoadFromStream(reader);
}

void CNimbWinControl::SaveToStream(CNimbStreamWriter& writer) const {
    if (writer.IsGood())
        ValueText.SaveToStream(writer);
}

void CNimbWinControl::OnBeforeChange() {
    DetachListener();
}

CNWnd_Base* CNimbWinControl::GetNativeWnd() const noexcept {
    const CMfcWndObject* payload = GetWndObject();
    return payload != nullptr ? payload->NativeWnd : nullptr;
}

HWND CNimbWinControl::GetHwnd() const noexcept {
    const CNWnd_Base* wrapper = GetNativeWnd();
    return wrapper != nullptr ? wrapper->GetHwnd() : nullptr;
}

bool CNimbWinControl::CreateNativeWindow(WndCreateParams& params) {
    CNWnd_Base* wrapper = GetNativeWnd();
    if (wrapper == nullptr)
        return false;
    wrapper->NativeTag = params.NativeTag;
    if (wrapper->HasWindow())
        return false;
    FillCreateParams(params);
    AdjustCreateParams(params);
    if (!wrapper->CreateFor(params))
        return false;
    OnNativeCreated(*wrapper, params);
    return true;
}

void CNimbWinControl::FillCreateParams(WndCreateParams& params) {
    CMfcWndObject* payload = GetWndObject();
    if (payload == nullptr)
        return;
    params.Caption = payload->PendingCaption.GetText();
    params.Style = payload->Style;
    params.ExStyle = payload->ExStyle;
    if (params.ParentWnd != nullptr && (params.Style & WS_POPUP) == 0)
        params.Style |= WS_CHILD;
    else
        params.Style &= ~static_cast<uint32_t>(WS_CHILD);
    if (!payload->Font)
        payload->Font.Reset(CreateNinePointFont());
    params.Font = payload->Font.Get();
}

void CNimbWinControl::AdjustCreateParams(WndCreateParams&) {}

void CNimbWinControl::OnNativeCreated(CNWnd_Base& wrapper, WndCreateParams& params) {
    const HWND window = wrapper.GetHwnd();
    if (window == nullptr) // a modal form's window is gone when its run returns
        return;
    if (params.Font != nullptr)
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(params.Font), TRUE);
    // A window that wants keys is reached by Tab even when its creator did not say so.
    constexpr LRESULT kWantsKeys =
        DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    constexpr UINT kRestyle =
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if ((params.Style & WS_TABSTOP) == 0 &&
        (::SendMessageW(window, WM_GETDLGCODE, 0, 0) & kWantsKeys) != 0) {
        ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, kRestyle & ~SWP_FRAMECHANGED);
    }
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    if ((params.Style & WS_BORDER) == 0 && (style & WS_BORDER) != 0) {
        ::SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER));
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, kRestyle);
    }
    if (params.Owner != nullptr && params.Owner->GetHwnd() != nullptr)
        Created.Fire(this, 0, params.Owner, params.Id);
}

bool CNimbWinControl::OnNativeMessage(CNimbMessageRecord& record) {
    if (WindowMessage.Fire(this, 0, static_cast<HWND>(record.Window), record.Message, record.First,
                           record.Second, &record) != 0)
        return true;
    const auto x = static_cast<int16_t>(record.Second & 0xFFFF);
    const auto y = static_cast<int16_t>((record.Second >> 16) & 0xFFFF);
    const auto mouseKeys = [&] {
        return static_cast<int32_t>(MouseKeyState(record.First, IsDown(VK_MENU)));
    };
    const auto keyCode = [&] {
        return NormaliseKeyCode(static_cast<uint32_t>(record.First), IsDown(VK_CONTROL),
                                IsDown(VK_SHIFT), IsDown(VK_MENU));
    };
    EventSlot<int32_t, int32_t, int32_t>* mouse = nullptr;
    switch (record.Message) {
    case WM_SETFOCUS:
        return GotFocus.Fire(this, 0) != 0;
    case WM_KILLFOCUS:
        return LostFocus.Fire(this, 0) != 0;
    case WM_SETCURSOR: {
        const CMfcWndObject* payload = GetWndObject();
        if (payload == nullptr || payload->Cursor == nullptr)
            return false;
        ::SetCursor(payload->Cursor);
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const uint32_t code = keyCode();
        auto& slot =
            record.Message == WM_KEYDOWN || record.Message == WM_SYSKEYDOWN ? KeyDown : KeyUp;
        return slot.Fire(this, 0, static_cast<int32_t>(code & ~kNimbKeyModifiers),
                         static_cast<int32_t>(code & kNimbKeyModifiers)) != 0;
    }
    case WM_CHAR: {
        const int32_t answer = CharInput.Fire(this, 0, static_cast<uint16_t>(record.First));
        if (answer < 0)
            return true;
        if (answer > 0)
            record.First = static_cast<uintptr_t>(answer);
        return false;
    }
    case WM_MOUSEMOVE:
        mouse = &MouseMove;
        break;
    case WM_LBUTTONDOWN:
        mouse = &LeftButtonDown;
        break;
    case WM_LBUTTONUP:
        mouse = &LeftButtonUp;
        break;
    case WM_LBUTTONDBLCLK:
        mouse = &LeftDoubleClick;
        break;
    case WM_RBUTTONDOWN:
        mouse = &RightButtonDown;
        break;
    case WM_RBUTTONUP:
        mouse = &RightButtonUp;
        break;
    case WM_MBUTTONDOWN:
        mouse = &MiddleButtonDown;
        break;
    case WM_MBUTTONUP:
        mouse = &MiddleButtonUp;
        break;
    case WM_MOUSEWHEEL:
        return MouseWheel.Fire(this, 0, WheelSteps(record.First), mouseKeys()) != 0;
    case WM_DROPFILES: {
        rg_nimb_base::rg_WenBenShuZuLei paths;
        ReadDroppedFiles(reinterpret_cast<HDROP>(record.First), paths);
        if (paths.Texts.GetCount() != 0)
            FilesDropped.Fire(this, 0, &paths);
        return false;
    }
    default:
        return false;
    }
    return mouse->Fire(this, 0, x, y, mouseKeys()) != 0;
}

void CNimbWinControl::AttachListener() {}

void CNimbWinControl::DetachListener() {
    CNWnd_Base* wrapper = GetNativeWnd();
    if (wrapper != nullptr && Attached != nullptr && wrapper->Listener == Attached)
        wrapper->Listener = nullptr;
    Attached = nullptr;
}

bool CNimbWinControl::HasListener() const {
    const CNWnd_Base* wrapper = GetNativeWnd();
    return wrapper != nullptr && wrapper->Listener != nullptr;
}

void CNimbWinControl::AttachInterface(IBaseEventListener* listener) {
    CNWnd_Base* wrapper = GetNativeWnd();
    if (wrapper == nullptr)
        return;
    wrapper->Listener = listener;
    Attached = listener;
}

void CNimbWinControl::SetCaption(const CWString& text) {
    CMfcWndObject* payload = GetWndObject();
    if (payload == nullptr)
        return;
    const HWND window = GetHwnd();
    if (window == nullptr) {
        payload->PendingCaption = text;
        return;
    }
    ::SetWindowTextW(window, Wide(text));
    if (!IsKindOf(rg_ZuJianBuJuQi::ClassRecord()))
        ::InvalidateRect(window, nullptr, TRUE);
}

bool CNimbWinControl::CreateAt(CNimbWinControl* parent, int32_t x, int32_t y, int32_t width,
                               int32_t height, int32_t id) {
    WndCreateParams params;
    if (parent != nullptr && parent->GetHwnd() != nullptr) {
        params.ParentWnd = parent->GetNativeWnd();
        params.Owner = parent;
    }
    params.X = x;
    params.Y = y;
    params.Width = width;
    params.Height = height;
    params.Id = id;
    return CreateNativeWindow(params);
}

} // namespace rg_nimb_MFCJieMian_base
