#include "GuiFixture.h"
#include "TestSupport.h"
#include "gui/GuiMessages.h"
#include "gui/win/CNimbWinContainer.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_ChaoJiLieBiaoKuang.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;
using rg_nimb_MFCJieMian_KuoZhanZuJian::CNWnd_ListView;
using rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuang;
using rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuangBiaoXiangTianChong;
using rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuangHuiZhiCanShu;

namespace {

// The object the tests' handlers run on: what they saw, as lines such as "check 0 1", and
// what they answer.
class Events : public CNimbObject {
public:
    Events() : Pointer(new CNimbEventObjectPointer(this)) {}
    ~Events() override { Pointer->DetachTarget(); }

    CNimbEventObjectPointer* Pointer;
    std::vector<std::string> Log;
    int32_t Answer = 0;
    int32_t StartAnswer = 0; // of the cell edit's start
    int32_t Fills = 0;
    HWND DestroyOnEdit = nullptr; // destroyed by the cell edit's end
};

Events& Of(CNimbObject* target) {
    return *static_cast<Events*>(target);
}

int32_t Note(CNimbObject* target, const std::string& line) {
    Of(target).Log.push_back(line);
    return Of(target).Answer;
}

int32_t OnCurrent(CNimbObject* target, CNimbObject*, uint32_t) {
    return Note(target, "current");
}

int32_t OnClick(CNimbObject* target, CNimbObject*, uint32_t) {
    return Note(target, "click");
}

int32_t OnDoubleClick(CNimbObject* target, CNimbObject*, uint32_t) {
    return Note(target, "double");
}

int32_t OnColumn(CNimbObject* target, CNimbObject*, uint32_t, int32_t column) {
    return Note(target, "column " + std::to_string(column));
}

int32_t OnLabelStart(CNimbObject* target, CNimbObject*, uint32_t, int32_t item) {
    return Note(target, "label " + std::to_string(item));
}

int32_t OnLabelEnd(CNimbObject* target, CNimbObject*, uint32_t, int32_t item,
                   const CWString& text) {
    return Note(target, "label end " + std::to_string(item) + " " + Utf8(Units(text)));
}

int32_t OnCellStart(CNimbObject* target, CNimbObject*, uint32_t, int32_t item, int32_t sub) {
    Note(target, "cell " + std::to_string(item) + " " + std::to_string(sub));
    return Of(target).StartAnswer;
}

int32_t OnCellEnd(CNimbObject* target, CNimbObject*, uint32_t, int32_t item, int32_t sub,
                  const CWString& text) {
    const int32_t answer = Note(target, "cell end " + std::to_string(item) + " " +
                                            std::to_string(sub) + " " + Utf8(Units(text)));
    if (Of(target).DestroyOnEdit != nullptr)
        ::DestroyWindow(Of(target).DestroyOnEdit);
    return answer;
}

int32_t OnCheck(CNimbObject* target, CNimbObject*, uint32_t, int32_t item, int32_t state) {
    return Note(target, "check " + std::to_string(item) + " " + std::to_string(state));
}

int32_t OnGotFocus(CNimbObject* target, CNimbObject*, uint32_t) {
    return Note(target, "focus");
}

// Column 1 in red on yellow.
int32_t PaintColumnOne(CNimbObject*, CNimbObject*, uint32_t,
                       rg_ChaoJiLieBiaoKuangHuiZhiCanShu* cell) {
    if (cell->SubItem == 1) {
        cell->CellTextColor = 0x0000FF;
        cell->CellBackColor = 0x00FFFF;
    }
    return 0;
}

// Row n of a virtual list reads "行 n"; its image index is out of every list.
int32_t FillRow(CNimbObject* target, CNimbObject*, uint32_t,
                rg_ChaoJiLieBiaoKuangBiaoXiangTianChong* fill) {
    ++Of(target).Fills;
    fill->Text = CWString(u"行 ");
    fill->Text.Append(FromWide(std::to_wstring(fill->Item).c_str()));
    fill->Image = 7;
    return 0;
}

std::u16string Cell(HWND list, int item, int subItem) {
    wchar_t text[256] = {};
    LVITEMW request = {};
    request.iSubItem = subItem;
    request.pszText = text;
    request.cchTextMax = 256;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&request));
    return FromWide(text);
}

int ItemCount(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// Sends the notification `code` as the list would send it to its parent.
LRESULT Notify(HWND list, NMHDR& header, UINT code) {
    header.hwndFrom = list;
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    header.code = code;
    return ::SendMessageW(::GetParent(list), WM_NOTIFY, header.idFrom,
                          reinterpret_cast<LPARAM>(&header));
}

void Click(HWND window, POINT at, bool twice) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(window, WM_LBUTTONUP, 0, where);
    if (twice) {
        ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
        ::PostMessageW(window, WM_LBUTTONUP, 0, where);
    }
    PumpUntil([] { return false; }, 100);
}

// The middle of cell (`item`, `subItem`) in the list's client coordinates.
POINT CellCentre(HWND list, int item, int subItem) {
    RECT cell = {};
    cell.top = subItem;
    cell.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&cell));
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

// What `window` paints of its client area, on grey.
Canvas PrintClient(HWND window, int width, int height) {
    Canvas canvas(width, height, 0x808080);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, canvas.Bitmap.Get());
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return canvas;
}

class ListViewTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(Host.CreateAt(nullptr, 20, 20, 600, 420, 1));
        ASSERT_TRUE(Elsewhere.CreateAt(&Host, 500, 380, 80, 24, 99));
    }
    void TearDown() override {
        Host.GetNativeWnd()->DestroyWindow();
        GuiTest::TearDown();
    }

    // A report list with two columns, created at the top of the host with its listener.
    void CreateReport(rg_ChaoJiLieBiaoKuang& list, const char16_t* items) {
        CNWnd_ListView& view = *list.GetList();
        view.ViewMode = 3;
        view.ColumnSpec = CWString(u"0\n-1\n0\n150\n名称\n0\n-1\n0\n150\n数值");
        view.ItemSpec = CWString(items);
        ASSERT_TRUE(list.CreateAt(&Host, 0, 0, 400, 300, 101));
        list.AttachListener();
    }

    rg_ZuJianBuJuQi Host;
    rg_button2 Elsewhere; // somewhere for the focus to go
    Events Seen;
};

constexpr const char16_t* kThreeRows = u"0\n-1\n-1\n0\n0\n甲\n\n1\n-1\n-1\n0\n0\n一\n\n"
                                       u"0\n-1\n-1\n0\n0\n乙\n\n1\n-1\n-1\n0\n0\n二\n\n"
                                       u"0\n-1\n-1\n0\n0\n丙\n\n1\n-1\n-1\n0\n0\n三\n";

} // namespace

TEST_F(ListViewTest, TheMainWindowsListAndItsRows) {
    rg_ChaoJiLieBiaoKuang list;
    CNWnd_ListView& view = *list.GetList();
    view.ViewMode = 3;
    view.FullRowSelect = 1;
    view.GridLines = 1;
    view.NoColumnHeader = 1;
    view.ColumnSpec = CWString(u"0\n-1\n0\n280\n详情:");
    EXPECT_EQ(list.AddRow(CWString(u"早")), -1); // no window yet
    ASSERT_TRUE(list.CreateAt(&Host, 10, 10, 300, 200, 101));
    const HWND window = list.GetHwnd();

    const auto style = static_cast<uint32_t>(::GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & (LVS_TYPEMASK | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | WS_TABSTOP),
              static_cast<uint32_t>(LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | WS_TABSTOP));
    EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(::SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    const auto header = reinterpret_cast<HWND>(::SendMessageW(window, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
    wchar_t caption[32] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = caption;
    column.cchTextMax = 32;
    ASSERT_TRUE(::SendMessageW(window, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.cx, 280);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    EXPECT_EQ(std::u16string(FromWide(caption)), u"详情:");
    EXPECT_EQ(Units(view.ColumnSpec), u"0\n-1\n0\n280\n详情:"); // read, not consumed

    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(list.AddRow(CWString(i == 1 ? u"处理器: 某型号" : u"行")), i);
    EXPECT_EQ(Cell(window, 1, 0), u"处理器: 某型号");
    list.ClearRows();
    EXPECT_EQ(ItemCount(window), 0);
    EXPECT_EQ(list.AddRow(CWString(u"又")), 0);
}

TEST_F(ListViewTest, ColumnsFromTheirSpecification) {
    const struct {
        const char16_t* Spec;
        int Columns;
        int Format; // of the last column
        int Width;
    } cases[] = {
        {u"0\n-1\n0\n280\n详情:\n1\n0", 1, LVCFMT_LEFT, 280},    // a trailing part is ignored
        {u"0\n0\n0\n50\n图", 1, LVCFMT_LEFT | LVCFMT_IMAGE, 50}, // image without a list
        {u"1\n2\n2\n60\n右", 1, LVCFMT_RIGHT | LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT, 60},
        {u"0\n-1\n1\n70\n甲\n0\n-1\n9\n80\n乙", 2, LVCFMT_LEFT, 80}, // unknown alignment
    };
    for (const auto& c : cases) {
        rg_ChaoJiLieBiaoKuang list;
        list.GetList()->ViewMode = 3;
        list.GetList()->ColumnSpec = CWString(c.Spec);
        ASSERT_TRUE(list.CreateAt(&Host, 0, 0, 300, 200, 101));
        const HWND window = list.GetHwnd();
        const auto header = reinterpret_cast<HWND>(::SendMessageW(window, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), c.Columns) << Utf8(c.Spec);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH;
        ::SendMessageW(window, LVM_GETCOLUMNW, c.Columns - 1, reinterpret_cast<LPARAM>(&column));
        EXPECT_EQ(column.fmt & (LVCFMT_JUSTIFYMASK | LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT),
                  c.Format)
            << Utf8(c.Spec);
        EXPECT_EQ(column.cx, c.Width) << Utf8(c.Spec);
        list.GetNativeWnd()->DestroyWindow();
    }
}

TEST_F(ListViewTest, ItemsAndTooltipsFromTheirSpecification) {
    rg_ChaoJiLieBiaoKuang list;
    CreateReport(list, u"0\n-1\n-1\n2\n7\na\n提示一\n"
                       u"1\n5\n-1\n0\n0\nb\n不用\n"
                       u"0\n-1\n-1\n0\n-3\nc\n提示三");
    const HWND window = list.GetHwnd();
    ASSERT_EQ(ItemCount(window), 2);
    EXPECT_EQ(Cell(window, 0, 0), u"a");
    EXPECT_EQ(Cell(window, 0, 1), u"b");
    EXPECT_EQ(Cell(window, 1, 0), u"c");
    LVITEMW item = {};
    item.mask = LVIF_PARAM | LVIF_INDENT;
    ::SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, 7);
    EXPECT_EQ(item.iIndent, 2);
    item.iItem = 1;
    ::SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, -3);
    EXPECT_EQ(Units(list.GetList()->ItemSpec), u"0\n提示一\n1\n不用\n0\n提示三");

    const struct {
        int Item;
        int Room;
        const char16_t* Tip;
    } tips[] = {
        {1, 80, u"提示三"}, // the third entry's, the second row's
        {0, 2, u"提"},      // cut to the buffer
        {2, 80, u"原样"},   // no such row: the request's text stays
        {-1, 80, u"原样"},
    };
    for (const auto& t : tips) {
        wchar_t text[80] = L"原样";
        NMLVGETINFOTIPW request = {};
        request.pszText = text;
        request.cchTextMax = t.Room;
        request.iItem = t.Item;
        Notify(window, request.hdr, LVN_GETINFOTIPW);
        EXPECT_EQ(std::u16string(FromWide(text)), t.Tip) << t.Item;
    }
}

TEST_F(ListViewTest, TheSelectionAtCreation) {
    rg_ChaoJiLieBiaoKuang list;
    list.GetList()->SelectedIndex = 1;
    CreateReport(list, kThreeRows);
    const HWND window = list.GetHwnd();
    EXPECT_EQ(::SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(::SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
}

TEST_F(ListViewTest, NotificationsBecomeEvents) {
    rg_ChaoJiLieBiaoKuang list;
    list.GetList()->EditLabels = 1;
    CreateReport(list, kThreeRows);
    const HWND window = list.GetHwnd();
    CNimbWinControl::BindEvent(list.CurrentChanged, &OnCurrent, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.ColumnClicked, &OnColumn, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.LabelEditStarting, &OnLabelStart, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.LabelEditEnded, &OnLabelEnd, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.GotFocus, &OnGotFocus, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.ListClicked, &OnClick, Seen.Pointer, 0);

    LVITEMW focus = {};
    focus.state = focus.stateMask = LVIS_FOCUSED;
    ::SendMessageW(window, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
    ::SendMessageW(window, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus)); // no change
    ::SetFocus(window);
    NMLISTVIEW column = {};
    column.iItem = -1;
    column.iSubItem = 1;
    Notify(window, column.hdr, LVN_COLUMNCLICK);
    Click(window, CellCentre(window, 0, 1), false);
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"current", "focus", "column 1", "click"}));

    // A refused label edit does not start; an accepted one ends with the list's text when
    // it is cancelled.
    Seen.Log.clear();
    CNimbWinControl::BindEvent(list.CurrentChanged, &OnCurrent, nullptr, 0);
    CNimbWinControl::BindEvent(list.GotFocus, &OnGotFocus, nullptr, 0);
    Seen.Answer = 1;
    EXPECT_EQ(::SendMessageW(window, LVM_EDITLABELW, 0, 0), 0);
    Seen.Answer = 0;
    EXPECT_NE(::SendMessageW(window, LVM_EDITLABELW, 1, 0), 0);
    ::SendMessageW(window, LVM_CANCELEDITLABEL, 0, 0);
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"label 0", "label 1", "label end 1 乙"}));
    EXPECT_EQ(Cell(window, 1, 0), u"乙");
}

TEST_F(ListViewTest, CheckBoxesReportEachToggle) {
    rg_ChaoJiLieBiaoKuang list;
    list.GetList()->CheckBoxes = 1;
    CreateReport(list, kThreeRows);
    const HWND window = list.GetHwnd();
    CNimbWinControl::BindEvent(list.CheckChanged, &OnCheck, Seen.Pointer, 0);

    LVITEMW focus = {};
    focus.state = focus.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    ::SendMessageW(window, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
    ::SetFocus(window);
    for (int press = 0; press < 2; ++press) {
        ::PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0); // translated into WM_CHAR
        ::PostMessageW(window, WM_KEYUP, VK_SPACE, 0);
        PumpUntil([] { return false; }, 100);
    }
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"check 1 1", "check 1 0"}));

    // A click on the box of row 2 toggles it; a click beside the box toggles nothing.
    Seen.Log.clear();
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(window, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&bounds));
    POINT box = {-1, (bounds.top + bounds.bottom) / 2};
    for (LONG x = bounds.left; x < bounds.left + 40 && box.x < 0; ++x) {
        LVHITTESTINFO hit = {};
        hit.pt = {x, box.y};
        ::SendMessageW(window, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem == 2 && (hit.flags & LVHT_ONITEMSTATEICON) != 0)
            box.x = x + 2;
    }
    ASSERT_GE(box.x, 0);
    Click(window, box, false);
    Click(window, CellCentre(window, 2, 1), false);
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"check 2 1"}));
    EXPECT_EQ(::SendMessageW(window, LVM_GETITEMSTATE, 2, LVIS_STATEIMAGEMASK), 0x2000);
}

TEST_F(ListViewTest, CellsAreEditedInPlace) {
    rg_ChaoJiLieBiaoKuang list;
    list.GetList()->EditLabels = 1;
    list.GetList()->EditCells = 1;
    CreateReport(list, kThreeRows);
    const HWND window = list.GetHwnd();
    auto& editor = *list.GetList()->CellEditor;
    ASSERT_TRUE(editor.HasWindow());
    EXPECT_FALSE(::IsWindowVisible(editor.GetHwnd()));
    EXPECT_EQ(::GetParent(editor.GetHwnd()), window);
    CNimbWinControl::BindEvent(list.CellEditStarting, &OnCellStart, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.CellEditEnded, &OnCellEnd, Seen.Pointer, 0);
    CNimbWinControl::BindEvent(list.ListDoubleClicked, &OnDoubleClick, Seen.Pointer, 0);

    // Starts editing cell (row, 1) by a double click and types `text` into the editor.
    const auto edit = [&](int row, const wchar_t* text) {
        Click(window, CellCentre(window, row, 1), true);
        if (!editor.IsEditing())
            return false;
        EXPECT_EQ(editor.EditItem, row);
        EXPECT_EQ(editor.EditSubItem, 1);
        EXPECT_TRUE(::IsWindowVisible(editor.GetHwnd()));
        EXPECT_EQ(::GetFocus(), editor.GetHwnd());
        EXPECT_EQ(TextOf(editor.GetHwnd()), Cell(window, row, 1));
        ::SetWindowTextW(editor.GetHwnd(), text);
        return true;
    };
    const auto key = [&](WPARAM code) {
        ::PostMessageW(editor.GetHwnd(), WM_KEYDOWN, code, 0);
        PumpThroughLoop([&] { return !editor.IsEditing(); }, 500);
    };
    const auto ended = [&] {
        EXPECT_FALSE(editor.IsEditing());
        EXPECT_FALSE(::IsWindowVisible(editor.GetHwnd()));
        EXPECT_EQ(::GetFocus(), window);
    };

    ASSERT_TRUE(edit(0, L"改一"));
    key(VK_RETURN);
    ended();
    EXPECT_EQ(Cell(window, 0, 1), u"改一");
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"double", "cell 0 1", "cell end 0 1 改一"}));

    Seen.Log.clear();
    Seen.Answer = 1; // the handler refuses the text
    ASSERT_TRUE(edit(1, L"不要"));
    key(VK_RETURN);
    ended();
    EXPECT_EQ(Cell(window, 1, 1), u"二");
    EXPECT_EQ(Seen.Log.back(), "cell end 1 1 不要");

    Seen.Log.clear();
    Seen.Answer = 0;
    ASSERT_TRUE(edit(1, L"取消"));
    key(VK_ESCAPE); // no event, no change
    ended();
    ASSERT_TRUE(edit(2, L"滚动"));
    ::SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0); // cancels too
    EXPECT_FALSE(editor.IsEditing());
    EXPECT_FALSE(::IsWindowVisible(editor.GetHwnd()));
    EXPECT_EQ(Cell(window, 1, 1), u"二");
    EXPECT_EQ(Cell(window, 2, 1), u"三");
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"double", "cell 1 1", "double", "cell 2 1"}));

    // Losing the focus commits.
    ::SendMessageW(window, WM_VSCROLL, SB_TOP, 0);
    ASSERT_TRUE(edit(2, L"离开"));
    ::SetFocus(Elsewhere.GetHwnd());
    EXPECT_FALSE(editor.IsEditing());
    EXPECT_EQ(Cell(window, 2, 1), u"离开");

    // A refused start shows no editor.
    Seen.Log.clear();
    Seen.StartAnswer = 1;
    EXPECT_FALSE(edit(0, L""));
    EXPECT_EQ(Seen.Log, (std::vector<std::string>{"double", "cell 0 1"}));
}

TEST_F(ListViewTest, AnEditsHandlerMayDestroyTheList) {
    auto* list = new rg_ChaoJiLieBiaoKuang();
    list->GetList()->EditLabels = 1;
    list->GetList()->EditCells = 1;
    CreateReport(*list, kThreeRows);
    const HWND window = list->GetHwnd();
    CNimbWinControl::BindEvent(list->CellEditEnded, &OnCellEnd, Seen.Pointer, 0);
    Seen.DestroyOnEdit = window;
    auto& editor = *list->GetList()->CellEditor;
    Click(window, CellCentre(window, 0, 1), true);
    ASSERT_TRUE(editor.IsEditing());
    ::PostMessageW(editor.GetHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    PumpThroughLoop([&] { return !::IsWindow(window); }, 500);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(Seen.Log.size(), 1u);
    CNimbObject::DeleteObject(list);
}

TEST_F(ListViewTest, CellDrawColoursAColumn) {
    rg_ChaoJiLieBiaoKuang list;
    list.GetList()->GridLines = 1;
    CreateReport(list, u"0\n-1\n-1\n0\n0\n黑字\n\n1\n-1\n-1\n0\n0\n██████\n");
    const HWND window = list.GetHwnd();
    CNimbWinControl::BindEvent(list.CellDraw, &PaintColumnOne, Seen.Pointer, 0);

    const Canvas canvas = PrintClient(window, 400, 300);
    RECT zero = {};
    zero.top = 0;
    zero.left = LVIR_LABEL;
    ::SendMessageW(window, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&zero));
    RECT one = {};
    one.top = 1;
    one.left = LVIR_LABEL;
    ::SendMessageW(window, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&one));
    const auto count = [&](const RECT& area, uint32_t colour) {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                found += canvas.At(x, y) == colour;
        return found;
    };
    EXPECT_GT(count(one, 0xFF0000), 20); // red text
    EXPECT_GT(count(one, 0xFFFF00), 20); // on yellow
    EXPECT_EQ(count(zero, 0xFF0000), 0); // column 0 as it was
    EXPECT_EQ(count(zero, 0xFFFF00), 0);
}

TEST_F(ListViewTest, AVirtualListAsksForWhatItShows) {
    rg_ChaoJiLieBiaoKuang list;
    CNWnd_ListView& view = *list.GetList();
    view.OwnerData = 1;
    view.ItemCount = 100000;
    CNimbWinControl::BindEvent(list.ItemFill, &FillRow, Seen.Pointer, 0);
    CreateReport(list, u"");
    const HWND window = list.GetHwnd();
    EXPECT_EQ(ItemCount(window), 100000);
    ::UpdateWindow(window);
    PumpPending();
    EXPECT_LT(Seen.Fills, 200); // only the rows on view
    EXPECT_EQ(Cell(window, 99999, 0), u"行 99999");
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 42;
    item.iImage = 3;
    ::SendMessageW(window, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, -1); // image 7 of no image list is none
}

TEST_F(ListViewTest, AWorkerFillsTheListWhileTheLoopRuns) {
    rg_ChaoJiLieBiaoKuang list;
    CreateReport(list, kThreeRows);
    std::atomic<bool> done{false};
    std::vector<int32_t> indices;
    std::thread worker([&] {
        list.ClearRows();
        for (int i = 0; i < 200; ++i)
            indices.push_back(list.AddRow(CWString(FromWide(std::to_wstring(i).c_str()))));
        done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }, 10000));
    worker.join();
    const HWND window = list.GetHwnd();
    ASSERT_EQ(ItemCount(window), 200);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(indices[i], i);
        EXPECT_EQ(Cell(window, i, 0), FromWide(std::to_wstring(i).c_str()));
    }
}

TEST_F(ListViewTest, AReportListOnScreen) {
    rg_ChaoJiLieBiaoKuang list;
    CNWnd_ListView& view = *list.GetList();
    view.GridLines = 1;
    view.CheckBoxes = 1;
    view.FullRowSelect = 1;
    view.SelectedIndex = 0;
    view.ShowSelectionAlways = 1;
    CreateReport(list, u"0\n-1\n-1\n0\n0\n处理器\n\n1\n-1\n-1\n0\n0\n8 核\n\n"
                       u"0\n-1\n-1\n0\n0\n内存\n\n1\n-1\n-1\n0\n0\n16 GB\n\n"
                       u"0\n-1\n-1\n0\n0\n磁盘\n\n1\n-1\n-1\n0\n0\n512 GB\n");
    CNimbWinControl::BindEvent(list.CellDraw, &PaintColumnOne, Seen.Pointer, 0);
    LVITEMW check = {};
    check.state = 0x2000;
    check.stateMask = LVIS_STATEIMAGEMASK;
    ::SendMessageW(list.GetHwnd(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&check));
    EXPECT_EQ(::SendMessageW(list.GetHwnd(), LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), 0x2000);
    ::UpdateWindow(Host.GetHwnd());
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(SaveScreenshot(Host.GetHwnd(), ScreenshotPath("report-list.bmp")));

    // The checked box shows its mark: more dark pixels than the unchecked one below it.
    const Canvas canvas = PrintClient(list.GetHwnd(), 400, 300);
    const auto darkInBox = [&](int item) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        ::SendMessageW(list.GetHwnd(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&bounds));
        int dark = 0;
        for (int y = bounds.top; y < bounds.bottom; ++y)
            for (int x = bounds.left; x < bounds.left + 20; ++x)
                dark += canvas.At(x, y) < 0x404040;
        return dark;
    };
    EXPECT_GT(darkInBox(1), darkInBox(2) + 5);
}
