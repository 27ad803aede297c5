#include "gui/win/CNWnd_Label.h"

#include "gui/GuiMessages.h"
#include "gui/win/CNWnd_Container.h"
#include "gui/win/PictureDrawing.h"
#include "gui/win/WindowClasses.h"
#include "gui/win/WndCreateParams.h"

#include <vector>

namespace rg_nimb_MFCJieMian_base {

namespace {

HFONT CopyOf(HFONT font) {
    LOGFONTW description = {};
    if (::GetObjectW(font, sizeof description, &description) == 0)
        return nullptr;
    return ::CreateFontIndirectW(&description);
}

} // namespace

const wchar_t* CNWnd_Label::WindowClassName() const {
    return kLabelClass;
}

void CNWnd_Label::PrepareCreation(WndCreateParams& params) {
    RegisterFrameworkClass(WindowClassName());
    params.Style &= ~static_cast<uint32_t>(WS_TABSTOP);
    if (Transparent)
        params.ExStyle |= WS_EX_TRANSPARENT;
}

UINT CNWnd_Label::TextFormat() const noexcept {
    UINT format = DT_NOCLIP | (HAlign == 1 ? DT_CENTER : HAlign == 2 ? DT_RIGHT : DT_LEFT);
    if (WordWrap)
        return format | DT_WORDBREAK | DT_VCENTER;
    return format | DT_SINGLELINE | (VAlign == 1 ? DT_VCENTER : VAlign == 2 ? DT_BOTTOM : DT_TOP);
}

LRESULT CNWnd_Label::OnMessage(UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_STATIC; // never a tab stop
    case WM_SETFONT:
        SetFont(reinterpret_cast<HFONT>(first), LOWORD(second) != 0);
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WMU_LABEL_NOTIFY:
        return Listener != nullptr
                   ? static_cast<ILabelEventListener*>(Listener)->OnLabelNotify(first, second)
                   : 0;
    default:
        return CallDefault(message, first, second);
    }
}

void CNWnd_Label::SetFont(HFONT font, bool redraw) {
    HFONT copy = CopyOf(font);
    if (copy == nullptr)
        return;
    LabelFont.Reset(copy);
    if (redraw && HasWindow()) {
        if (Transparent)
            CNWnd_Container::RepaintBehind(GetHwnd());
        ::InvalidateRect(GetHwnd(), nullptr, FALSE);
    }
}

void CNWnd_Label::Paint() {
    const HWND window = GetHwnd();
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);
    RECT clip;
    ::GetClipBox(dc, &clip);
    if (::IntersectRect(&clip, &clip, &client)) {
        PaintBackground(dc, client, clip, Transparent != 0, BackColor, Picture.Get(), PictureMode);
        const int length = ::GetWindowTextLengthW(window);
        if (length > 0) {
            std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
            ::GetWindowTextW(window, text.data(), length + 1);
            if (!LabelFont)
                LabelFont.Reset(CopyOf(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
            const HGDIOBJ old = ::SelectObject(dc, LabelFont.Get());
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, ColourOr(TextColor, COLOR_WINDOWTEXT));
            ::DrawTextW(dc, text.data(), -1, &client, TextFormat());
            ::SelectObject(dc, old);
        }
    }
    ::EndPaint(window, &paint);
}

} // namespace rg_nimb_MFCJieMian_base
