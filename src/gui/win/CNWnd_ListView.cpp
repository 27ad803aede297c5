#include "gui/win/CNWnd_ListView.h"

#include "gui/GuiMessages.h"
#include "gui/KeyInput.h"
#include "gui/win/PictureDrawing.h"
#include "gui/win/WndCreateParams.h"
#include "runtime/win/WideText.h"

#include <algorithm>

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

using rg_nimb_MFCJieMian_base::ColourOr;
using rg_nimb_MFCJieMian_base::WndCreateParams;

namespace {

enum ClickKind { kClick, kRightClick, kDoubleClick };

// The frame-affecting extended styles: a change of any of them needs the frame recomputed.
constexpr DWORD kFrameExStyles = 0x20281;

bool IsDown(int key) {
    return ::GetKeyState(key) < 0;
}

// The text of cell (`item`, `subItem`), however long.
CWString CellText(HWND list, int32_t item, int32_t subItem) {
    CWString text;
    for (int capacity = 256;; capacity *= 2) {
        LVITEMW request = {};
        request.iSubItem = subItem;
        request.cchTextMax = capacity;
        request.pszText = Wide(text.PrepareUnits(capacity));
        const auto length = static_cast<int>(::SendMessageW(
            list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)));
        if (length < capacity - 1 || capacity >= (1 << 24)) {
            text.SetLength(length);
            return text;
        }
    }
}

int32_t ImageCount(HIMAGELIST images) {
    return images != nullptr ? ImageList_GetImageCount(images) : 0;
}

int32_t ListImageCount(HWND list, int which) {
    return ImageCount(
        reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, which, 0)));
}

void SetCellText(HWND list, int32_t item, int32_t subItem, const CWString& text) {
    LVITEMW cell = {};
    cell.iSubItem = subItem;
    cell.pszText = const_cast<wchar_t*>(Wide(text));
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&cell));
}

} // namespace

void CNWnd_ListViewEdit::EndEdit(bool commit) {
    if (!IsEditing() || Ending)
        return;
    Ending = true;
    CNWnd_ListView* list = List;
    if (commit && list != nullptr && list->HasWindow()) {
        const HWND editor = GetHwnd();
        CWString text;
        const int length = ::GetWindowTextLengthW(editor);
        if (length > 0)
            text.SetLength(::GetWindowTextW(editor, Wide(text.PrepareUnits(length)), length + 1));
        IListViewEventListener* listener = list->ListListener();
        const bool refused =
            listener != nullptr && listener->OnEndCellEdit(EditItem, EditSubItem, text);
        // The handler may have destroyed the list, or the whole form with it.
        list = List;
        if (!refused && list != nullptr && list->HasWindow() && !list->OwnerData)
            SetCellText(list->GetHwnd(), EditItem, EditSubItem, text);
    }
    EditItem = -1;
    Ending = false;
    if (HasWindow())
        ::ShowWindow(GetHwnd(), SW_HIDE);
    if (list != nullptr && list->HasWindow())
        ::SetFocus(list->GetHwnd());
}

LRESULT CNWnd_ListViewEdit::WindowProc(UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WMU_PRETRANSLATE: {
        if (second != static_cast<LPARAM>(kNimbFrameworkMark) || first == 0)
            break;
        const MSG& pending = *reinterpret_cast<const MSG*>(first);
        if (!IsEditing() || pending.message != WM_KEYDOWN)
            return 0;
        const uint32_t key =
            NormaliseKeyCode(static_cast<uint32_t>(pending.wParam), IsDown(VK_CONTROL),
                             IsDown(VK_SHIFT), IsDown(VK_MENU));
        if (key != VK_RETURN && key != VK_ESCAPE)
            return 0;
        EndEdit(key == VK_RETURN);
        return kNimbFrameworkMark;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = CallDefault(message, first, second);
        EndEdit(true);
        return result;
    }
    default:
        break;
    }
    return CNimbWnd::WindowProc(message, first, second);
}

CNWnd_ListView::CNWnd_ListView() : CellEditor(new CNWnd_ListViewEdit()) {}

CNWnd_ListView::~CNWnd_ListView() {
    CellEditor->List = nullptr;
    if (CellEditor->HasWindow())
        ::ShowWindow(CellEditor->GetHwnd(), SW_HIDE);
    CellEditor->Delete();
}

IListViewEventListener* CNWnd_ListView::ListListener() const {
    return static_cast<IListViewEventListener*>(Listener);
}

const wchar_t* CNWnd_ListView::WindowClassName() const {
    return WC_LISTVIEWW;
}

bool CNWnd_ListView::ListenerSees(UINT message) const {
    return message != WM_SETFOCUS && message != WM_KILLFOCUS;
}

bool CNWnd_ListView::CreateFor(WndCreateParams& params) {
    const CNimbListStyles styles = ListStyles(*this);
    const HWND parent = params.ParentWnd != nullptr ? params.ParentWnd->GetHwnd() : nullptr;
    const HMENU id = (params.Style & WS_CHILD) != 0
                         ? reinterpret_cast<HMENU>(static_cast<intptr_t>(params.Id))
                         : nullptr;
    if (!CreateEx(0, WindowClassName(), Wide(params.Caption), params.Style | styles.Style, params.X,
                  params.Y, params.Width, params.Height, parent, id))
        return false;
    const HWND window = GetHwnd();
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    const DWORD added = params.ExStyle & ~exStyle;
    if (added != 0) {
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | added);
        if ((added & kFrameExStyles) != 0)
            ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                               SWP_FRAMECHANGED);
    }
    Configure(styles.ListExStyle);
    return true;
}

void CNWnd_ListView::Configure(uint32_t listExStyle) {
    const HWND window = GetHwnd();
    ::SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, listExStyle);
    if (ItemImages != nullptr)
        ::SendMessageW(window, LVM_SETIMAGELIST, ViewMode == 0 ? LVSIL_NORMAL : LVSIL_SMALL,
                       reinterpret_cast<LPARAM>(ItemImages));
    // Without a list of its own the list keeps the check boxes it made.
    if (StateImages != nullptr)
        ::SendMessageW(window, LVM_SETIMAGELIST, LVSIL_STATE,
                       reinterpret_cast<LPARAM>(StateImages));
    if (IsReport()) {
        const auto header = reinterpret_cast<HWND>(::SendMessageW(window, LVM_GETHEADER, 0, 0));
        if (header != nullptr)
            ::SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(HeaderImages));
        ::InvalidateRect(window, nullptr, TRUE);
        if (EditsCells() && CellEditor->CreateEx(0, L"EDIT", L"", WS_CHILD | WS_BORDER, 0, 0, 0, 0,
                                                 window, nullptr)) {
            CellEditor->List = this;
            // Marked, so that the loop offers the editor its Enter and Esc first.
            ::SetWindowLongPtrW(CellEditor->GetHwnd(), GWLP_USERDATA, kNimbFrameworkMark);
        }
    }
    ::SendMessageW(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TextColor));
    ::SendMessageW(window, LVM_SETTEXTBKCOLOR, 0,
                   static_cast<LPARAM>(ColourOr(TextBackColor, COLOR_BTNFACE)));
    ::SendMessageW(window, LVM_SETBKCOLOR, 0,
                   static_cast<LPARAM>(ColourOr(BackColor, COLOR_BTNFACE)));
    if (HotTrack)
        ::SendMessageW(
            window, LVM_SETHOTCURSOR, 0,
            reinterpret_cast<LPARAM>(::LoadCursorW(nullptr, HandCursor ? IDC_HAND : IDC_ARROW)));
    if (IsReport()) {
        static constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT};
        const std::vector<CNimbListColumn> columns = ParseColumnSpec(ColumnSpec);
        for (size_t j = 0; j < columns.size(); ++j) {
            const CNimbListColumn& spec = columns[j];
            LVCOLUMNW column = {};
            column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            column.fmt = kFormats[spec.Align];
            if (spec.ImageAtRight)
                column.fmt |= LVCFMT_BITMAP_ON_RIGHT;
            if (spec.Image != -1) {
                column.fmt |= LVCFMT_IMAGE;
                column.mask |= LVCF_IMAGE;
                column.iImage = spec.Image;
            }
            column.cx = spec.Width;
            column.pszText = const_cast<wchar_t*>(Wide(spec.Text));
            column.iSubItem = static_cast<int>(j);
            ::SendMessageW(window, LVM_INSERTCOLUMNW, j, reinterpret_cast<LPARAM>(&column));
        }
    }
    LoadItems();
    if (SingleSelection) {
        LVITEMW selection = {};
        selection.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        int32_t item = SelectedIndex;
        if (item >= 0)
            selection.state = LVIS_SELECTED | LVIS_FOCUSED;
        else
            item = static_cast<int32_t>(
                ::SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (item >= 0)
            ::SendMessageW(window, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                           reinterpret_cast<LPARAM>(&selection));
    }
    if (OwnerData && ItemCount > 0)
        ::SendMessageW(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(ItemCount), 0);
}

void CNWnd_ListView::LoadItems() {
    const HWND window = GetHwnd();
    ::SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    const std::vector<CNimbListEntry> entries = ParseItemSpec(ItemSpec);
    ItemSpec = TooltipPairs(entries);
    const int32_t images = ListImageCount(window, ViewMode == 0 ? LVSIL_NORMAL : LVSIL_SMALL);
    const int32_t states = ListImageCount(window, LVSIL_STATE);
    int32_t rows = 0;
    int32_t last = -1; // the item the cell entries belong to
    int32_t cell = 0;
    for (const CNimbListEntry& entry : entries) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.pszText = const_cast<wchar_t*>(Wide(entry.Text));
        item.iImage = ValidImage(entry.Image, images);
        if (entry.Kind == 0) {
            item.mask |= LVIF_PARAM;
            item.iItem = rows++;
            item.lParam = static_cast<LPARAM>(entry.Data);
            if (IsReport()) {
                item.mask |= LVIF_INDENT;
                item.iIndent = entry.Indent;
            }
            const int32_t state = ValidImage(entry.StateImage, states);
            if (state >= 0) {
                item.mask |= LVIF_STATE;
                item.state = StateImageBits(state);
                item.stateMask = LVIS_STATEIMAGEMASK;
            }
            last = static_cast<int32_t>(
                ::SendMessageW(window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            cell = 0;
        } else if (last >= 0) {
            item.iItem = last;
            item.iSubItem = ++cell;
            ::SendMessageW(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
}

bool CNWnd_ListView::OnReflected(UINT message, WPARAM, LPARAM second, LRESULT& result) {
    if (message != WM_NOTIFY || ListListener() == nullptr)
        return false;
    result = OnNotify(*reinterpret_cast<NMHDR*>(second));
    return true;
}

LRESULT CNWnd_ListView::OnNotify(NMHDR& header) {
    IListViewEventListener& listener = *ListListener();
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_FOCUSED) != 0 && (change.uOldState & LVIS_FOCUSED) == 0)
            listener.OnCurrentChanged();
        return 0;
    }
    case LVN_ITEMACTIVATE:
        listener.OnItemActivate();
        return 0;
    case LVN_COLUMNCLICK:
        listener.OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    case LVN_HOTTRACK:
        listener.OnHotTrack(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
        return 0;
    case NM_CLICK:
        OnClickNotify(reinterpret_cast<const NMITEMACTIVATE&>(header), kClick);
        return 0;
    case NM_RCLICK:
        OnClickNotify(reinterpret_cast<const NMITEMACTIVATE&>(header), kRightClick);
        return 0;
    case NM_DBLCLK:
        OnClickNotify(reinterpret_cast<const NMITEMACTIVATE&>(header), kDoubleClick);
        return 0;
    case LVN_BEGINLABELEDITW: {
        const int32_t item = reinterpret_cast<const NMLVDISPINFOW&>(header).item.iItem;
        return item >= 0 && listener.OnBeginLabelEdit(item) ? TRUE : FALSE;
    }
    case LVN_ENDLABELEDITW: {
        const LVITEMW& edited = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
        if (edited.iItem < 0)
            return FALSE;
        const CWString text = edited.pszText != nullptr ? CWString(FromWide(edited.pszText))
                                                        : CellText(GetHwnd(), edited.iItem, 0);
        return listener.OnEndLabelEdit(edited.iItem, text) ? FALSE : TRUE;
    }
    case NM_CUSTOMDRAW:
        return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case LVN_GETDISPINFOW:
        OnItemData(reinterpret_cast<NMLVDISPINFOW&>(header));
        return 0;
    case LVN_GETINFOTIPW: {
        auto& request = reinterpret_cast<NMLVGETINFOTIPW&>(header);
        if (request.iItem < 0 || request.pszText == nullptr || request.cchTextMax <= 0)
            return 0;
        CWString tip;
        if (!RowTooltip(ItemSpec, request.iItem, tip))
            return 0;
        const int64_t length = std::min<int64_t>(tip.GetLength(), request.cchTextMax - 1);
        for (int64_t i = 0; i < length; ++i)
            request.pszText[i] = static_cast<wchar_t>(tip.GetText()[i]);
        request.pszText[length] = L'\0';
        return 0;
    }
    case NM_SETFOCUS:
    case NM_KILLFOCUS: {
        rg_nimb_MFCJieMian_base::CNimbMessageRecord record{
            GetHwnd(), header.code == NM_SETFOCUS ? NimbMsg::SetFocus : NimbMsg::KillFocus, 0, 0};
        listener.OnWindowMessage(record);
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT CNWnd_ListView::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        uint32_t text = draw.clrText;
        uint32_t back = draw.clrTextBk;
        ListListener()->OnCellDraw(static_cast<int32_t>(draw.nmcd.dwItemSpec), draw.iSubItem, text,
                                   back);
        draw.clrText = text;
        draw.clrTextBk = back;
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void CNWnd_ListView::OnItemData(NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    // A virtual list keeps no states, so its check boxes start unchecked; an ordinary list
    // keeps its own, and asks only for the ones it does not keep.
    if (CheckBoxes && (OwnerData || (item.mask & LVIF_STATE) != 0)) {
        item.mask |= LVIF_STATE;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | StateImageBits(0);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
    ListListener()->OnItemFill(item);
    // The handler's indices are trusted no further than the lists they point into.
    const HWND window = GetHwnd();
    if (window == nullptr)
        return;
    item.iImage =
        ValidImage(item.iImage, ListImageCount(window, ViewMode == 0 ? LVSIL_NORMAL : LVSIL_SMALL));
    const int32_t state =
        ValidImage(StateImageIndex(item.state), ListImageCount(window, LVSIL_STATE));
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | StateImageBits(state);
}

void CNWnd_ListView::OnClickNotify(const NMITEMACTIVATE& click, int kind) {
    const HWND window = GetHwnd();
    IListViewEventListener& listener = *ListListener();
    if (kind == kClick)
        listener.OnClick();
    else if (kind == kRightClick)
        listener.OnRightClick();
    else
        listener.OnDoubleClick();
    if (GetHwnd() != window) // the handler destroyed the list
        return;
    LVHITTESTINFO hit = {};
    hit.pt = click.ptAction;
    ::SendMessageW(window, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
        ::PostMessageW(window, WMU_ITEM_ACTIVATE, static_cast<WPARAM>(hit.iItem), 0);
        return;
    }
    if (kind == kDoubleClick && EditsCells() && hit.iItem >= 0)
        BeginCellEdit(hit.iItem, hit.iSubItem, click.ptAction);
}

void CNWnd_ListView::BeginCellEdit(int32_t item, int32_t subItem, POINT point) {
    const HWND window = GetHwnd();
    if (CellEditor->IsEditing()) {
        CellEditor->EndEdit(true);
        if (GetHwnd() != window)
            return;
    }
    if (subItem == 0) {
        ::SendMessageW(window, LVM_EDITLABELW, static_cast<WPARAM>(item), 0);
        return;
    }
    IListViewEventListener* listener = ListListener();
    if (listener != nullptr && listener->OnBeginCellEdit(item, subItem))
        return;
    if (GetHwnd() != window || !CellEditor->HasWindow())
        return;
    RECT cell = {};
    cell.top = subItem;
    cell.left = LVIR_LABEL;
    if (!::SendMessageW(window, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&cell)))
        return;
    const HWND editor = CellEditor->GetHwnd();
    CellEditor->EditItem = item;
    CellEditor->EditSubItem = subItem;
    ::SetWindowTextW(editor, Wide(CellText(window, item, subItem)));
    ::SendMessageW(editor, WM_SETFONT, ::SendMessageW(window, WM_GETFONT, 0, 0), FALSE);
    ::MoveWindow(editor, cell.left + 5, cell.top, cell.right - cell.left - 5,
                 cell.bottom - cell.top, TRUE);
    ::MapWindowPoints(window, editor, &point, 1);
    const LRESULT nearest =
        ::SendMessageW(editor, EM_CHARFROMPOS, 0,
                       MAKELPARAM(static_cast<WORD>(std::max<LONG>(point.x, 0)),
                                  static_cast<WORD>(std::max<LONG>(point.y, 0))));
    const auto caret = static_cast<WPARAM>(LOWORD(nearest));
    ::ShowWindow(editor, SW_SHOW);
    ::SendMessageW(editor, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    ::SendMessageW(editor, EM_SCROLLCARET, 0, 0);
    ::SetFocus(editor);
}

void CNWnd_ListView::CancelEdit() {
    CellEditor->EndEdit(false);
}

void CNWnd_ListView::OnCheckRequest(int32_t item) {
    const HWND window = GetHwnd();
    IListViewEventListener* listener = ListListener();
    if (listener == nullptr)
        return;
    const auto state = static_cast<uint32_t>(
        ::SendMessageW(window, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK));
    listener->OnCheckChanged(item, StateImageIndex(state));
    if (OwnerData && GetHwnd() == window)
        ::SendMessageW(window, LVM_REDRAWITEMS, static_cast<WPARAM>(item), item);
}

LRESULT CNWnd_ListView::OnMessage(UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_CHAR: {
        const HWND window = GetHwnd();
        const LRESULT result = CallDefault(message, first, second);
        if (first == u' ' && CheckBoxes && GetHwnd() == window) {
            const auto focused = static_cast<int32_t>(
                ::SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
            if (focused >= 0)
                ::PostMessageW(window, WMU_ITEM_ACTIVATE, static_cast<WPARAM>(focused), 0);
        }
        return result;
    }
    case WMU_ITEM_ACTIVATE:
        OnCheckRequest(static_cast<int32_t>(first));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_SIZE:
        CancelEdit();
        return CallDefault(message, first, second);
    default:
        return CallDefault(message, first, second);
    }
}

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
