#include "gui/win/CNimbWinForm.h"

namespace rg_nimb_MFCJieMian_base {

CNimbWinForm::CNimbWinForm() : rg_ZuJianBuJuQi(NoPayload{}) {
    AdoptPayload(new CMfcWndObject(new CNWnd_WinForm()));
}

void CNimbWinForm::AttachListener() {
    AttachInterface(static_cast<IWinFormEventListener*>(this));
}

void CNimbWinForm::FillCreateParams(WndCreateParams& params) {
    rg_ZuJianBuJuQi::FillCreateParams(params);
    CNWnd_WinForm* form = GetForm();
    if (form == nullptr)
        return;
    if (params.Caption[0] == 0 && form->ControlBox)
        params.Caption = kNimbApplicationTitle;
    AddFormStyle(form->Frame(), params.Caption[0] == 0, params.Style, params.ExStyle);
}

void CNimbWinForm::AdjustCreateParams(WndCreateParams& params) {
    rg_ZuJianBuJuQi::AdjustCreateParams(params);
    const bool child = (params.Style & WS_CHILD) != 0;
    if (params.X == kNimbDefaultPlace)
        params.X = child ? 0 : CentredIn(0, ::GetSystemMetrics(SM_CXSCREEN), params.Width);
    if (params.Y == kNimbDefaultPlace)
        params.Y = child ? 0 : CentredIn(0, ::GetSystemMetrics(SM_CYSCREEN), params.Height);
}

bool CNimbWinForm::OnPreTranslateMessage(HWND, uint32_t, uintptr_t, intptr_t, CNimbMessageRecord&) {
    return true;
}

bool CNimbWinForm::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

bool CNimbWinForm::OnCommand(uint32_t commandId) {
    return FormMenuCommand.Fire(this, 0, commandId) != 0;
}

bool CNimbWinForm::OnPreTranslate(CNimbMessageRecord& record) {
    return !OnPreTranslateMessage(static_cast<HWND>(record.Window), record.Message, record.First,
                                  record.Second, record);
}

bool CNimbWinForm::OnQueryClose() {
    return Closing.Fire(this, 0) == 0;
}

bool CNimbWinForm::OnCloseRequest() {
    return CloseRequested.Fire(this, 0) == 0;
}

void CNimbWinForm::OnFirstActivate() {
    FirstActivated.Fire(this, 0);
}

void CNimbWinForm::OnActivate() {
    Activated.Fire(this, 0);
}

void CNimbWinForm::OnDeactivate() {
    Deactivated.Fire(this, 0);
}

void CNimbWinForm::OnTrayNotify(int32_t kind) {
    TrayIconNotify.Fire(this, 0, kind);
}

void CNimbWinForm::OnMenuSelect(uint32_t itemId) {
    MenuItemSelected.Fire(this, 0, itemId);
}

bool CNimbWinForm::OnGetMinMaxInfo(rg_ChuangKouWeiZhiXianZhiXinXi& limits) {
    return MinMaxQuery.Fire(this, 0, &limits) != 0;
}

void CNimbWinForm::OnModalStart() {
    ModalStarted.Fire(this, 0);
}

} // namespace rg_nimb_MFCJieMian_base
