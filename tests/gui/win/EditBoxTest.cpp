#include "GuiFixture.h"
#include "TestSupport.h"
#include "gui/EditRules.h"
#include "gui/win/CNimbWinContainer.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_edit_box.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

class EditBoxTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(Host.CreateAt(nullptr, 20, 20, 500, 400, 1));
        ASSERT_TRUE(Elsewhere.CreateAt(&Host, 300, 300, 80, 24, 99));
    }
    void TearDown() override {
        Host.GetNativeWnd()->DestroyWindow();
        GuiTest::TearDown();
    }

    // Types `text` into a box of `inputType`, then moves the focus away.
    std::u16string AfterFocusLoss(int64_t inputType, const char16_t* text) {
        rg_edit_box edit;
        edit.GetEdit()->InputType = inputType;
        EXPECT_TRUE(edit.CreateAt(&Host, 10, 10, 200, 24, 101));
        ::SetFocus(edit.GetHwnd());
        ::SetWindowTextW(edit.GetHwnd(), Wide(text));
        ::SetFocus(Elsewhere.GetHwnd());
        return TextOf(edit.GetHwnd());
    }

    rg_ZuJianBuJuQi Host;
    rg_button2 Elsewhere; // somewhere for the focus to go
};

} // namespace

TEST_F(EditBoxTest, TheTextIsNormalisedWhenTheFocusGoes) {
    const struct {
        int64_t Type;
        const char16_t* Text;
        const char16_t* Expected;
    } cases[] = {
        {kEditByte, u"300", u"255"},
        {kEditByte, u"-4", u""},
        {kEditByte, u"abc", u""},
        {kEditShort, u"40000", u"32767"},
        {kEditLong, u"99999999999999999999", u"9223372036854775807"},
        {kEditSingle, u"3.14159265", u"3.14159"},
        {kEditDouble, u"0.1", u"0.1"},
        {kEditHex, u"0x00ff", u"FF"},
        {kEditDateLong, u"2024-12-11 20:00:00", u"2024年12月11日20时"},
        {kEditDateNumeric, u"12/11/2024 20:00:00", u"12/11/2024 20"},
        {kEditPlain, u" 0 ", u" 0 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AfterFocusLoss(c.Type, c.Text), c.Expected) << c.Type << " " << Utf8(c.Text);
}

TEST_F(EditBoxTest, RefusedCharactersInsertNothing) {
    rg_edit_box edit;
    edit.GetEdit()->InputType = kEditInteger;
    ASSERT_TRUE(edit.CreateAt(&Host, 10, 10, 200, 24, 101));
    for (const char16_t c : std::u16string(u"1a-2.x"))
        ::SendMessageW(edit.GetHwnd(), WM_CHAR, c, 0);
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"1-2");

    rg_edit_box text;
    text.GetEdit()->InputType = kEditIntegerText;
    ASSERT_TRUE(text.CreateAt(&Host, 10, 40, 200, 24, 102));
    ::SendMessageW(text.GetHwnd(), WM_CHAR, u'.', 0);
    ::SendMessageW(text.GetHwnd(), WM_CHAR, u'7', 0);
    EXPECT_EQ(TextOf(text.GetHwnd()), u"7");

    rg_edit_box report;
    report.GetEdit()->MultiLine = 1;
    report.GetEdit()->ScrollBars = 2;
    ASSERT_TRUE(report.CreateAt(&Host, 10, 70, 200, 100, 103));
    const LONG_PTR style = ::GetWindowLongPtrW(report.GetHwnd(), GWL_STYLE);
    EXPECT_NE(style & ES_MULTILINE, 0);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_EQ(style & WS_HSCROLL, 0);
}

namespace {

void Press(rg_edit_box& edit, int delta) {
    NMUPDOWN press = {};
    press.hdr.hwndFrom = edit.GetEdit()->Spin->GetHwnd();
    press.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(press.hdr.hwndFrom));
    press.hdr.code = UDN_DELTAPOS;
    press.iDelta = delta;
    ::SendMessageW(::GetParent(press.hdr.hwndFrom), WM_NOTIFY, press.hdr.idFrom,
                   reinterpret_cast<LPARAM>(&press));
}

} // namespace

TEST_F(EditBoxTest, TheSteppingSpinWrapsAtBothEnds) {
    rg_edit_box edit;
    edit.GetEdit()->SpinMode = 1;
    ASSERT_TRUE(edit.CreateAt(&Host, 10, 10, 100, 24, 101));
    const HWND spin = edit.GetEdit()->Spin->GetHwnd();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(spin), 1101);
    RECT box, beside;
    ::GetWindowRect(edit.GetHwnd(), &box);
    ::GetWindowRect(spin, &beside);
    EXPECT_EQ(beside.left, box.right);
    EXPECT_EQ(beside.right - beside.left, 18);
    EXPECT_EQ(beside.bottom - beside.top, box.bottom - box.top);

    const struct {
        const char16_t* Text;
        int Delta;
        const char16_t* Expected;
    } presses[] = {
        {u"100", 1, u"0"},
        {u"0", -1, u"100"},
        {u"250", -1, u"100"},
        {u"41", 1, u"42"},
    };
    for (const auto& p : presses) {
        ::SetWindowTextW(edit.GetHwnd(), Wide(p.Text));
        Press(edit, p.Delta);
        EXPECT_EQ(TextOf(edit.GetHwnd()), p.Expected) << Utf8(p.Text) << " " << p.Delta;
    }
    EXPECT_EQ(::GetFocus(), edit.GetHwnd());

    // The spin follows the box.
    ::SetWindowPos(edit.GetHwnd(), nullptr, 50, 60, 120, 30, SWP_NOZORDER);
    ::GetWindowRect(edit.GetHwnd(), &box);
    ::GetWindowRect(spin, &beside);
    EXPECT_EQ(beside.left, box.right);
    EXPECT_EQ(beside.top, box.top);
    ::ShowWindow(edit.GetHwnd(), SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(spin));
}

TEST_F(EditBoxTest, AReportingSpinTellsItsPresses) {
    struct Presses : CNimbObject {
        Presses() : Events(new CNimbEventObjectPointer(this)) {}
        ~Presses() override { Events->DetachTarget(); }
        CNimbEventObjectPointer* Events;
        std::vector<int32_t> Seen;
    } presses;
    rg_edit_box edit;
    edit.GetEdit()->SpinMode = 2;
    edit.AttachListener();
    CNimbWinControl::BindEvent(
        edit.SpinPressed,
        +[](CNimbObject* target, CNimbObject*, uint32_t, int32_t direction) {
            static_cast<Presses*>(target)->Seen.push_back(direction);
            return 0;
        },
        presses.Events, 0);
    ASSERT_TRUE(edit.CreateAt(&Host, 10, 10, 100, 24, 101));
    ::SetWindowTextW(edit.GetHwnd(), L"5");
    Press(edit, -3);
    Press(edit, 0);
    EXPECT_EQ(presses.Seen, (std::vector<int32_t>{-1, 1}));
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"5"); // nothing stepped
}

// A single line in a taller box is centred, and the band around it is no text area.
TEST_F(EditBoxTest, SingleLinesAreCentredVertically) {
    rg_edit_box edit;
    ASSERT_TRUE(edit.CreateAt(&Host, 10, 10, 200, 40, 101));
    LOGFONTW description = {};
    description.lfHeight = -12;
    wcscpy(description.lfFaceName, L"WenQuanYi Micro Hei");
    CGdiFont font(::CreateFontIndirectW(&description));
    ::SendMessageW(edit.GetHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    const int64_t line = edit.GetEdit()->TextHeight;
    ASSERT_GT(line, 0);
    RECT client, window;
    ::GetClientRect(edit.GetHwnd(), &client);
    ::GetWindowRect(edit.GetHwnd(), &window);
    EXPECT_EQ(client.bottom - client.top, line);
    EXPECT_EQ(window.bottom - window.top, 40); // the box keeps its height
    POINT top = {0, 0};
    ::ClientToScreen(edit.GetHwnd(), &top);
    const int above = top.y - window.top;
    const int below = window.bottom - (top.y + static_cast<int>(line));
    EXPECT_LE(std::abs(above - below), 1);
    // Above the text: the border answers; on the text: the client area does.
    EXPECT_EQ(::SendMessageW(edit.GetHwnd(), WM_NCHITTEST, 0,
                             MAKELPARAM(top.x + 5, window.top + above / 2)),
              HTBORDER);
    EXPECT_EQ(::SendMessageW(edit.GetHwnd(), WM_NCHITTEST, 0,
                             MAKELPARAM(top.x + 5, top.y + static_cast<int>(line) / 2)),
              HTCLIENT);
    ::SendMessageW(edit.GetHwnd(), WM_SETFONT, 0, FALSE); // the box no longer uses the font
}

TEST_F(EditBoxTest, CueBannersNeedTheWindow) {
    rg_edit_box edit;
    edit.SetCueBanner(CWConstString(u"尚未获取信息，请先点击获取信息")); // nothing yet
    ASSERT_TRUE(edit.CreateAt(&Host, 10, 10, 300, 24, 101));
    wchar_t cue[64] = {};
    ::SendMessageW(edit.GetHwnd(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    EXPECT_EQ(std::u16string(FromWide(cue)), u"");
    edit.SetCueBanner(CWConstString(u"尚未获取信息，请先点击获取信息"));
    ::SendMessageW(edit.GetHwnd(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    EXPECT_EQ(std::u16string(FromWide(cue)), u"尚未获取信息，请先点击获取信息");
}
