#pragma once
// The super list box control: the platform's list view with columns and rows from text
// specifications, colours and data per cell from its handlers, check boxes and in-place
// editing of any cell.

#include "gui/ListValues.h"
#include "gui/win/CNWnd_ListView.h"
#include "gui/win/CNimbWinControl.h"

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

using rg_nimb_MFCJieMian_base::CNimbWinControl;
using rg_nimb_MFCJieMian_base::EventSlot;

class rg_ChaoJiLieBiaoKuang : public CNimbWinControl, public IListViewEventListener {
    NIMB_DECLARE_CONTROL(rg_ChaoJiLieBiaoKuang, CNimbWinControl,
                         "rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuang")

    // A list view wrapper; tab stop, and the client edge.
    rg_ChaoJiLieBiaoKuang();
    rg_ChaoJiLieBiaoKuang(const rg_ChaoJiLieBiaoKuang& other) = default;
    rg_ChaoJiLieBiaoKuang& operator=(const rg_ChaoJiLieBiaoKuang& other) = default;

    void AttachListener() override;
    bool OnWindowMessage(CNimbMessageRecord& record) override;
    void OnCurrentChanged() override;
    void OnItemActivate() override;
    void OnColumnClick(int32_t column) override;
    void OnHotTrack(int32_t item) override;
    void OnClick() override;
    void OnRightClick() override;
    void OnDoubleClick() override;
    bool OnBeginLabelEdit(int32_t item) override;
    bool OnEndLabelEdit(int32_t item, const CWString& text) override;
    void OnCheckChanged(int32_t item, int32_t state) override;
    void OnCellDraw(int32_t item, int32_t subItem, uint32_t& textColor,
                    uint32_t& backColor) override;
    // Fires ItemFill with the request's fields and hands the list what the handler left.
    void OnItemFill(LVITEMW& item) override;
    bool OnBeginCellEdit(int32_t item, int32_t subItem) override;
    bool OnEndCellEdit(int32_t item, int32_t subItem, const CWString& text) override;

    // Appends a row with `text` and returns its index; -1 without a window. Any thread may
    // call it: the request reaches the list's thread synchronously.
    int32_t AddRow(const CWString& text);
    // Deletes every row; nothing without a window. Any thread, as AddRow.
    void ClearRows();

    CNWnd_ListView* GetList() const noexcept {
        return static_cast<CNWnd_ListView*>(GetNativeWnd());
    }

    // Keeps the text last handed out through ItemFill alive until the next one.
    CWString DispInfoText;

    // The events, in their slot order.
    EventSlot<> CurrentChanged;
    EventSlot<> ItemActivated;
    EventSlot<int32_t> ColumnClicked;
    EventSlot<int32_t> HotItemChanged;
    EventSlot<> ListClicked;
    EventSlot<> ListRightClicked;
    EventSlot<> ListDoubleClicked;
    EventSlot<int32_t> LabelEditStarting;                       // non-zero prevents the editing
    EventSlot<int32_t, const CWString&> LabelEditEnded;         // non-zero rejects the text
    EventSlot<int32_t, int32_t> CellEditStarting;               // non-zero prevents the editing
    EventSlot<int32_t, int32_t, const CWString&> CellEditEnded; // non-zero: not stored
    EventSlot<int32_t, int32_t> CheckChanged;                   // item, 0 unchecked or 1
    EventSlot<rg_ChaoJiLieBiaoKuangHuiZhiCanShu*> CellDraw;
    EventSlot<rg_ChaoJiLieBiaoKuangBiaoXiangTianChong*> ItemFill;
};

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
