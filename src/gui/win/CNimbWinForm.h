#pragma once
// The object side of a form: a panel that is a top-level window, with the form events
// and the listener operations its native window reports through. Application forms
// derive from it and hold their controls as members.

#include "gui/win/CNWnd_WinForm.h"
#include "gui/win/CNimbWinContainer.h"

namespace rg_nimb_MFCJieMian_base {

class rg_ChuangKouWeiZhiXianZhiXinXi;

class CNimbWinForm : public rg_ZuJianBuJuQi, public IWinFormEventListener {
    NIMB_DECLARE_CONTROL(CNimbWinForm, rg_ZuJianBuJuQi, "rg_nimb_MFCJieMian_base::CNimbWinForm")

    // A payload with a form wrapper.
    CNimbWinForm();
    CNimbWinForm(const CNimbWinForm& other) = default;
    CNimbWinForm& operator=(const CNimbWinForm& other) = default;

    void AttachListener() override;
    // A form's caption (the application title when it has none but a control box) and
    // its frame bits.
    void FillCreateParams(WndCreateParams& params) override;
    // The container's default size; a missing coordinate is 0 for a child form and
    // centres any other on the primary screen.
    void AdjustCreateParams(WndCreateParams& params) override;

    // Whether a message on its way to one of the form's windows goes on (true) or is
    // consumed (false); every message goes on here.
    virtual bool OnPreTranslateMessage(HWND window, uint32_t message, uintptr_t first,
                                       intptr_t second, CNimbMessageRecord& record);

    // The container operations, as a panel has them; a command fires FormMenuCommand.
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnWindowCreated() override { rg_ZuJianBuJuQi::OnWindowCreated(); }
    void OnWindowDestroyed() override { rg_ZuJianBuJuQi::OnWindowDestroyed(); }
    void OnWindowGone() override { rg_ZuJianBuJuQi::OnWindowGone(); }
    void OnResized() override { rg_ZuJianBuJuQi::OnResized(); }
    void OnShowChanged(bool shown) override { rg_ZuJianBuJuQi::OnShowChanged(shown); }
    void OnMoved() override { rg_ZuJianBuJuQi::OnMoved(); }
    bool OnCommand(uint32_t commandId) override;

    // Consumed when OnPreTranslateMessage says so; fires nothing.
    bool OnPreTranslate(CNimbMessageRecord& record) override;
    // Closing is allowed unless a handler answers non-zero.
    bool OnQueryClose() override;
    bool OnCloseRequest() override;
    void OnFirstActivate() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnTrayNotify(int32_t kind) override;
    void OnMenuSelect(uint32_t itemId) override;
    bool OnGetMinMaxInfo(rg_ChuangKouWeiZhiXianZhiXinXi& limits) override;
    void OnModalStart() override;

    CNWnd_WinForm* GetForm() const noexcept { return static_cast<CNWnd_WinForm*>(GetNativeWnd()); }

    EventSlot<uint32_t> FormMenuCommand; // command id; non-zero: handled
    EventSlot<uint32_t> MenuItemSelected;
    EventSlot<> Closing;        // non-zero refuses
    EventSlot<> CloseRequested; // non-zero refuses
    EventSlot<> FirstActivated;
    EventSlot<> Activated;
    EventSlot<> Deactivated;
    EventSlot<int32_t> TrayIconNotify; // 1 left up, 2 left double click, 3 right up or menu
    EventSlot<rg_ChuangKouWeiZhiXianZhiXinXi*> MinMaxQuery; // non-zero: apply the changes
    EventSlot<> ModalStarted;
};

} // namespace rg_nimb_MFCJieMian_base
