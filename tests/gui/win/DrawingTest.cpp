#include "GuiFixture.h"
#include "gui/win/CNWnd_Container.h"
#include "gui/win/CNimbWinContainer.h"
#include "gui/win/PictureDrawing.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_edit_box.h"
#include "gui/win/rg_label10.h"
#include "runtime/win/WideText.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

class DrawingTest : public GuiTest {};

} // namespace

// A 400 × 200 picture fitted into 200 × 200 is drawn at 200 × 100, 50 pixels from the top.
TEST_F(DrawingTest, AFittedPictureIsHalvedAndCentred) {
    const Canvas picture(400, 200, 0xFFFF0000); // opaque red
    Canvas target(200, 200, 0xFF0000FF);        // blue
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, target.Bitmap.Get());
    const RECT area = {0, 0, 200, 200};
    DrawPicture(dc, picture.Bitmap.Get(), kPictureFitted, area, area);
    ::GdiFlush();
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_EQ(target.At(100, 49), 0x0000FFu);
    EXPECT_EQ(target.At(100, 50), 0xFF0000u);
    EXPECT_EQ(target.At(0, 100), 0xFF0000u);
    EXPECT_EQ(target.At(199, 149), 0xFF0000u);
    EXPECT_EQ(target.At(100, 150), 0x0000FFu);
}

// Destroying the controls leaves no window and none of the GDI objects they held.
TEST_F(DrawingTest, NothingOutlivesTheControls) {
    std::vector<HGDIOBJ> held;
    std::vector<HWND> windows;
    {
        rg_ZuJianBuJuQi host;
        ASSERT_TRUE(host.CreateAt(nullptr, 0, 0, 300, 200, 1));
        rg_label10 label;
        rg_edit_box edit;
        rg_button2 button;
        edit.GetEdit()->SpinMode = 1;
        ASSERT_TRUE(label.CreateAt(&host, 0, 0, 100, 20, 101));
        ASSERT_TRUE(edit.CreateAt(&host, 0, 30, 100, 24, 102));
        ASSERT_TRUE(button.CreateAt(&host, 0, 60, 100, 24, 103));
        label.SetCaption(CWConstString(u"标签"));
        ::UpdateWindow(label.GetHwnd());
        held = {label.GetWndObject()->Font.Get(), label.GetLabel()->LabelFont.Get(),
                edit.GetWndObject()->Font.Get(), edit.GetEdit()->BackBrush.Get(),
                button.GetButton()->BackBrush.Get()};
        windows = {host.GetHwnd(), label.GetHwnd(), edit.GetHwnd(), edit.GetEdit()->Spin->GetHwnd(),
                   button.GetHwnd()};
        for (HGDIOBJ object : held)
            EXPECT_NE(::GetObjectType(object), 0u);
    }
    for (HGDIOBJ object : held)
        EXPECT_EQ(::GetObjectType(object), 0u);
    for (HWND window : windows)
        EXPECT_FALSE(::IsWindow(window));
}

// A window holding every standard control, on the screen and in
// build/win/screenshots/standard-controls.bmp.
TEST_F(DrawingTest, EveryStandardControlOnOneWindow) {
    rg_ZuJianBuJuQi window;
    window.GetWndObject()->Style |= WS_CAPTION | WS_SYSMENU;
    window.SetCaption(CWConstString(u"标准控件"));
    ASSERT_TRUE(window.CreateAt(nullptr, 40, 40, 520, 400, 1));

    rg_label10 labels[3];
    const char16_t* alignments[] = {u"左对齐的标签", u"居中的标签", u"右对齐的标签"};
    for (int i = 0; i < 3; ++i) {
        labels[i].GetLabel()->HAlign = i;
        labels[i].GetLabel()->BackColor = 0xE0F0FF;
        labels[i].SetCaption(CWConstString(alignments[i]));
        ASSERT_TRUE(labels[i].CreateAt(&window, 12, 12 + 30 * i, 230, 24, 101 + i));
    }
    rg_edit_box cue, number, text;
    ASSERT_TRUE(cue.CreateAt(&window, 260, 12, 240, 24, 110));
    cue.SetCueBanner(CWConstString(u"尚未获取信息，请先点击获取信息"));
    number.GetEdit()->SpinMode = 1;
    number.GetEdit()->InputType = 7;
    number.SetCaption(CWConstString(u"42"));
    ASSERT_TRUE(number.CreateAt(&window, 260, 42, 100, 24, 111));
    text.SetCaption(CWConstString(u"普通文本 plain text"));
    ASSERT_TRUE(text.CreateAt(&window, 260, 72, 240, 24, 112));

    rg_FenZuKuang1 group;
    group.SetCaption(CWConstString(u"分组框"));
    ASSERT_TRUE(group.CreateAt(&window, 12, 110, 488, 130, 120));
    rg_label10 inner;
    inner.SetCaption(CWConstString(u"框里的标签"));
    ASSERT_TRUE(inner.CreateAt(&group, 12, 26, 140, 24, 121));
    rg_edit_box innerEdit;
    ASSERT_TRUE(innerEdit.CreateAt(&group, 160, 26, 300, 24, 122));
    innerEdit.SetCueBanner(CWConstString(u"框里的编辑框"));
    rg_edit_box report;
    report.GetEdit()->MultiLine = 1;
    report.GetEdit()->ScrollBars = 2;
    report.SetCaption(CWConstString(u"多行的报告框\r\n第二行\r\n第三行"));
    ASSERT_TRUE(report.CreateAt(&group, 12, 60, 448, 60, 123));

    rg_button2 button;
    button.SetCaption(CWConstString(u"获取信息"));
    ASSERT_TRUE(button.CreateAt(&window, 400, 300, 100, 30, 130));

    ::SetFocus(button.GetHwnd());
    ::UpdateWindow(window.GetHwnd());
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(SaveScreenshot(window.GetHwnd(), ScreenshotPath("standard-controls.bmp")));
    window.GetNativeWnd()->DestroyWindow();
}
