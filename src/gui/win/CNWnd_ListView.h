#pragma once
// The native window of the super list box, the platform's list view: columns and items from
// text specifications, per-cell colours and per-item data from the list's handlers, check
// boxes, item tooltips, and in-place editing of any cell with an editor window of its own.

#include "gui/EventListeners.h"
#include "gui/ListSpecs.h"
#include "gui/win/CNWnd_Base.h"
#include "runtime/CWString.h"

#include <commctrl.h>

#include <cstdint>

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

using rg_nimb_MFCJieMian_base::CNimbMessageRecord;
using rg_nimb_MFCJieMian_base::CNWnd_Base;
using rg_nimb_MFCJieMian_base::IBaseEventListener;

class IListViewEventListener : public IBaseEventListener {
public:
    virtual void OnCurrentChanged() = 0;
    virtual void OnItemActivate() = 0;
    virtual void OnColumnClick(int32_t column) = 0;
    virtual void OnHotTrack(int32_t item) = 0;
    virtual void OnClick() = 0;
    virtual void OnRightClick() = 0;
    virtual void OnDoubleClick() = 0;
    // True prevents the editing.
    virtual bool OnBeginLabelEdit(int32_t item) = 0;
    // True rejects the new text.
    virtual bool OnEndLabelEdit(int32_t item, const CWString& text) = 0;
    // `state` 0 unchecked, 1 checked.
    virtual void OnCheckChanged(int32_t item, int32_t state) = 0;
    virtual void OnCellDraw(int32_t item, int32_t subItem, uint32_t& textColor,
                            uint32_t& backColor) = 0;
    // Fills the item record the list asks for; its text stays alive until the next call.
    virtual void OnItemFill(LVITEMW& item) = 0;
    // True prevents the editing.
    virtual bool OnBeginCellEdit(int32_t item, int32_t subItem) = 0;
    // True: the text is not stored.
    virtual bool OnEndCellEdit(int32_t item, int32_t subItem, const CWString& text) = 0;

protected:
    ~IListViewEventListener() = default;
};

class CNWnd_ListView;

// The in-place editor of a cell: a hidden edit box inside the list, shown over the cell
// being edited. Enter commits, Esc cancels, losing the focus commits; it takes those keys
// before anything else does.
class CNWnd_ListViewEdit : public rg_nimb_MFCJieMian_base::CNimbWnd {
public:
    CNWnd_ListView* List = nullptr;
    int32_t EditItem = -1; // -1: no edit in progress
    int32_t EditSubItem = 0;

    bool IsEditing() const noexcept { return EditItem >= 0; }
    // Ends the edit: with `commit`, the text goes to the list's handler and, unless it
    // refuses, into the cell; either way the editor hides and the list gets the focus.
    void EndEdit(bool commit);

protected:
    LRESULT WindowProc(UINT message, WPARAM first, LPARAM second) override;

private:
    bool Ending = false; // the end's handler is running: a focus change then ends nothing
};

class CNWnd_ListView : public CNWnd_Base, public CNimbListOptions {
public:
    CNWnd_ListView();
    // The editor goes with the list, once no message of its own is in progress.
    ~CNWnd_ListView() override;

    HIMAGELIST HeaderImages = nullptr;
    HIMAGELIST ItemImages = nullptr;
    HIMAGELIST StateImages = nullptr;
    CWString ItemSpec;   // initial items; after creation the tooltip pairs
    CWString ColumnSpec; // columns
    CNWnd_ListViewEdit* const CellEditor;

    // The list's listener, or null.
    IListViewEventListener* ListListener() const;
    // Starts editing cell (`item`, `subItem`) as a double click at `point` (client
    // coordinates) asks for.
    void BeginCellEdit(int32_t item, int32_t subItem, POINT point);
    // Hides a visible editor without committing its text.
    void CancelEdit();

protected:
    const wchar_t* WindowClassName() const override;
    bool CreateFor(rg_nimb_MFCJieMian_base::WndCreateParams& params) override;
    bool ListenerSees(UINT message) const override;
    bool OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;

private:
    void Configure(uint32_t listExStyle);
    void LoadItems();
    LRESULT OnNotify(NMHDR& header);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnItemData(NMLVDISPINFOW& request);
    void OnClickNotify(const NMITEMACTIVATE& click, int kind);
    void OnCheckRequest(int32_t item);
};

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
