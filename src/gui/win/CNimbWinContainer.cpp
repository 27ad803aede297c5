#include "gui/win/CNimbWinContainer.h"

#include "gui/win/CNWnd_Container.h"
#include "gui/win/rg_CaiChanLei.h"

namespace rg_nimb_MFCJieMian_base {

void CNimbWinContainer::FillCreateParams(WndCreateParams& params) {
    CNimbWinControl::FillCreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void CNimbWinContainer::AdjustCreateParams(WndCreateParams& params) {
    if (params.Width == kNimbDefaultPlace || params.Height == kNimbDefaultPlace) {
        const int32_t width = DefaultClientWidth();
        const int32_t height = DefaultClientHeight();
        RECT outer = {0, 0, width, height};
        // A top-level window with a menu has the menu bar above its client area.
        const bool menu = params.ParentWnd == nullptr && params.Menu != nullptr &&
                          MenuHandleOf(params.Menu) != nullptr;
        if (width > 0 && height > 0 &&
            ::AdjustWindowRectEx(&outer, params.Style, menu, params.ExStyle)) {
            params.Width = outer.right - outer.left;
            params.Height = outer.bottom - outer.top;
        } else {
            params.Width = 0;
            params.Height = 0;
        }
    }
    DesignWidth = params.Width;
    DesignHeight = params.Height;
}

int32_t CNimbWinContainer::DefaultClientWidth() const {
    return 0;
}

int32_t CNimbWinContainer::DefaultClientHeight() const {
    return 0;
}

void CNimbWinContainer::OnCreateChildren() {}

rg_ZuJianBuJuQi::rg_ZuJianBuJuQi() {
    AdoptPayload(new CMfcWndObject(new CNWnd_Container()));
}

void rg_ZuJianBuJuQi::FillCreateParams(WndCreateParams& params) {
    CNimbWinContainer::FillCreateParams(params);
    if (!HasListener())
        AttachListener();
}

void rg_ZuJianBuJuQi::AttachListener() {
    AttachInterface(static_cast<IContainerEventListener*>(this));
}

bool rg_ZuJianBuJuQi::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

void rg_ZuJianBuJuQi::OnWindowCreated() {
    OnCreateChildren();
    WindowCreated.Fire(this, 0);
}

void rg_ZuJianBuJuQi::OnWindowDestroyed() {
    WindowDestroyed.Fire(this, 0);
}

void rg_ZuJianBuJuQi::OnWindowGone() {
    WindowGone.Fire(this, 0);
}

void rg_ZuJianBuJuQi::OnResized() {
    Resized.Fire(this, 0);
}

void rg_ZuJianBuJuQi::OnShowChanged(bool shown) {
    (shown ? Shown : Hidden).Fire(this, 0);
}

void rg_ZuJianBuJuQi::OnMoved() {
    Moved.Fire(this, 0);
}

bool rg_ZuJianBuJuQi::OnCommand(uint32_t commandId) {
    return MenuCommand.Fire(this, 0, commandId) != 0;
}

} // namespace rg_nimb_MFCJieMian_base
