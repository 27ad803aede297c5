#include "gui/win/rg_ChaoJiLieBiaoKuang.h"

#include "gui/win/CMfcWndObject.h"
#include "runtime/win/WideText.h"

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

rg_ChaoJiLieBiaoKuang::rg_ChaoJiLieBiaoKuang() {
    auto* payload = new rg_nimb_MFCJieMian_base::CMfcWndObject(new CNWnd_ListView());
    payload->Style |= WS_TABSTOP;
    payload->ExStyle |= WS_EX_CLIENTEDGE;
    AdoptPayload(payload);
}

void rg_ChaoJiLieBiaoKuang::AttachListener() {
    AttachInterface(static_cast<IListViewEventListener*>(this));
}

bool rg_ChaoJiLieBiaoKuang::OnWindowMessage(CNimbMessageRecord& record) {
    return OnNativeMessage(record);
}

void rg_ChaoJiLieBiaoKuang::OnCurrentChanged() {
    CurrentChanged.Fire(this, 0);
}

void rg_ChaoJiLieBiaoKuang::OnItemActivate() {
    ItemActivated.Fire(this, 0);
}

void rg_ChaoJiLieBiaoKuang::OnColumnClick(int32_t column) {
    ColumnClicked.Fire(this, 0, column);
}

void rg_ChaoJiLieBiaoKuang::OnHotTrack(int32_t item) {
    HotItemChanged.Fire(this, 0, item);
}

void rg_ChaoJiLieBiaoKuang::OnClick() {
    ListClicked.Fire(this, 0);
}

void rg_ChaoJiLieBiaoKuang::OnRightClick() {
    ListRightClicked.Fire(this, 0);
}

void rg_ChaoJiLieBiaoKuang::OnDoubleClick() {
    ListDoubleClicked.Fire(this, 0);
}

bool rg_ChaoJiLieBiaoKuang::OnBeginLabelEdit(int32_t item) {
    return LabelEditStarting.Fire(this, 0, item) != 0;
}

bool rg_ChaoJiLieBiaoKuang::OnEndLabelEdit(int32_t item, const CWString& text) {
    return LabelEditEnded.Fire(this, 0, item, text) != 0;
}

void rg_ChaoJiLieBiaoKuang::OnCheckChanged(int32_t item, int32_t state) {
    CheckChanged.Fire(this, 0, item, state);
}

void rg_ChaoJiLieBiaoKuang::OnCellDraw(int32_t item, int32_t subItem, uint32_t& textColor,
                                       uint32_t& backColor) {
    rg_ChaoJiLieBiaoKuangHuiZhiCanShu cell;
    cell.Item = item;
    cell.SubItem = subItem;
    cell.CellTextColor = textColor;
    cell.CellBackColor = backColor;
    CellDraw.Fire(this, 0, &cell);
    textColor = cell.CellTextColor;
    backColor = cell.CellBackColor;
}

void rg_ChaoJiLieBiaoKuang::OnItemFill(LVITEMW& item) {
    const bool wantsText = (item.mask & LVIF_TEXT) != 0;
    rg_ChaoJiLieBiaoKuangBiaoXiangTianChong fill;
    fill.Item = item.iItem;
    fill.SubItem = item.iSubItem;
    if (wantsText && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW &&
        item.cchTextMax > 0)
        fill.Text.SetTextUpTo(FromWide(item.pszText), item.cchTextMax);
    fill.Data = static_cast<int64_t>(item.lParam);
    fill.Image = item.iImage;
    fill.StateImage = StateImageIndex(item.state);
    ItemFill.Fire(this, 0, &fill);
    DispInfoText = fill.Text;
    if (wantsText)
        item.pszText = const_cast<wchar_t*>(Wide(DispInfoText));
    item.lParam = static_cast<LPARAM>(fill.Data);
    item.iImage = fill.Image;
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | StateImageBits(fill.StateImage);
}

bool rg_ChaoJiLieBiaoKuang::OnBeginCellEdit(int32_t item, int32_t subItem) {
    return CellEditStarting.Fire(this, 0, item, subItem) != 0;
}

bool rg_ChaoJiLieBiaoKuang::OnEndCellEdit(int32_t item, int32_t subItem, const CWString& text) {
    return CellEditEnded.Fire(this, 0, item, subItem, text) != 0;
}

int32_t rg_ChaoJiLieBiaoKuang::AddRow(const CWString& text) {
    const HWND window = GetHwnd();
    if (window == nullptr)
        return -1;
    LVITEMW row = {};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    row.iItem = static_cast<int>(::SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
    row.pszText = const_cast<wchar_t*>(Wide(text));
    row.iImage = -1;
    return static_cast<int32_t>(
        ::SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
}

void rg_ChaoJiLieBiaoKuang::ClearRows() {
    if (const HWND window = GetHwnd())
        ::SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
}

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
