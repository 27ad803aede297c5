// The object side of the label, the edit box, the buttons, the group box and the timer: each makes
// its payload with its kind of wrapper and turns its listener calls into its events.

#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_edit_box.h"
#include "gui/win/rg_label10.h"
#include "gui/win/rg_timer1.h"

namespace rg_nimb_MFCJieMian_base {

rg_label10::rg_label10() {
    auto* payload = new CMfcWndObject(new CNWnd_Label());
    payload->Style &= ~static_cast<uint32_t>(WS_BORDER);
    AdoptPayload(payload);
}

void rg_label10::AttachListener() {
    AttachInterface(static_cast<ILabelEventListener*>(this));
}

bool rg_label10::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

intptr_t rg_label10::OnLabelNotify(uintptr_t first, intptr_t second) {
    return LabelNotify.Fire(this, 0, first, second);
}

void rg_AnNiuJiChuLei::AttachListener() {
    AttachInterface(static_cast<IButtonEventListener*>(this));
}

bool rg_AnNiuJiChuLei::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

void rg_AnNiuJiChuLei::OnClicked() {
    Clicked.Fire(this, 0);
}

rg_button2::rg_button2() {
    auto* payload = new CMfcWndObject(new CNWnd_Button());
    payload->Style |= WS_TABSTOP | BS_MULTILINE;
    AdoptPayload(payload);
}

rg_FenZuKuang1::rg_FenZuKuang1() {
    auto* payload = new CMfcWndObject(new CNWnd_Button());
    payload->Style |= BS_GROUPBOX | BS_MULTILINE;
    AdoptPayload(payload);
}

void rg_FenZuKuang1::AttachListener() {
    AttachInterface(static_cast<IButtonEventListener*>(this));
}

bool rg_FenZuKuang1::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

rg_timer1::rg_timer1() {
    AdoptPayload(new CMfcWndObject(new CNWnd_Timer()));
}

void rg_timer1::AttachListener() {
    AttachInterface(static_cast<ITimerEventListener*>(this));
}

bool rg_timer1::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

void rg_timer1::OnTimer() {
    TimerTick.Fire(this, 0);
}

rg_edit_box::rg_edit_box() {
    auto* payload = new CMfcWndObject(new CNWnd_Edit());
    payload->Style |= WS_TABSTOP;
    payload->ExStyle |= WS_EX_CLIENTEDGE;
    AdoptPayload(payload);
}

void rg_edit_box::AttachListener() {
    AttachInterface(static_cast<IEditEventListener*>(this));
}

bool rg_edit_box::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

void rg_edit_box::OnChanged() {
    TextChanged.Fire(this, 0);
}

void rg_edit_box::OnSpin(int32_t direction) {
    SpinPressed.Fire(this, 0, direction);
}

void rg_edit_box::SetCueBanner(const CWString& text) {
    if (CNWnd_Edit* edit = GetEdit())
        edit->SetCueBanner(text.GetText());
}

} // namespace rg_nimb_MFCJieMian_base
