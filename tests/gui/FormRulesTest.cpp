#include "gui/FormRules.h"
#include "TestSupport.h"
#include "gui/rg_ChuangKouWeiZhiXianZhiXinXi.h"
#include "runtime/CNimbMemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace NimbStyle;

TEST(FormRules, StylesFromTheProperties) {
    const struct {
        CNimbFormFrame Frame;
        bool CaptionEmpty;
        uint32_t Style, ExStyle;
    } cases[] = {
        // fixed with a control box, caption put in: caption, system menu, dialog frame
        {{2, 1, 0, 1, 0},
         false,
         ClipChildren | Caption | SystemMenu | DialogFrame | MinimiseBox,
         0},
        // no border: no caption bits, whatever the control box
        {{0, 1, 1, 1, 0}, false, ClipChildren | MaximiseBox | MinimiseBox, 0},
        // a fixed tool window: no sizing frame
        {{4, 0, 0, 0, 0}, false, ClipChildren | Caption | DialogFrame, ExToolWindow},
        {{3, 0, 0, 0, 0}, true, ClipChildren | DialogFrame | SizingFrame, ExToolWindow},
        {{1, 1, 1, 0, 2},
         false,
         ClipChildren | Caption | SystemMenu | DialogFrame | SizingFrame | MaximiseBox | Minimised,
         0},
        {{5, 0, 0, 0, 3}, true, ClipChildren | DialogFrame | SizingFrame | Maximised, ExClientEdge},
        {{6, 0, 0, 0, 7}, true, ClipChildren | DialogFrame, ExClientEdge}, // 7 adds no bit
    };
    for (const auto& c : cases) {
        uint32_t style = Visible;
        uint32_t exStyle = 0;
        AddFormStyle(c.Frame, c.CaptionEmpty, style, exStyle);
        EXPECT_EQ(style, Visible | c.Style) << c.Frame.BorderStyle;
        EXPECT_EQ(exStyle, c.ExStyle) << c.Frame.BorderStyle;
    }
}

TEST(FormRules, TheApplicationTitleCountsAsNoTitle) {
    const CNimbFormFrame noBox{2, 0, 0, 0, 0};
    EXPECT_EQ(TitleBarBits(noBox, kNimbApplicationTitle), DialogFrame);
    EXPECT_EQ(TitleBarBits(noBox, u""), DialogFrame);
    EXPECT_EQ(TitleBarBits(noBox, u"kqv-硬件信息获取工具 2"), Caption | DialogFrame);
    EXPECT_EQ(TitleBarBits(noBox, u"kqv"), Caption | DialogFrame);
    const CNimbFormFrame box{2, 1, 1, 1, 0};
    EXPECT_EQ(TitleBarBits(box, u""),
              Caption | SystemMenu | DialogFrame | MaximiseBox | MinimiseBox);
    EXPECT_EQ(TitleBarBits(CNimbFormFrame{0, 1, 0, 0, 0}, u"标题"), 0u);
}

TEST(FormRules, PlacesFramesAndCorners) {
    EXPECT_EQ(CentredIn(0, 1024, 300), 362);
    EXPECT_EQ(CentredIn(1024, 2048, 301), 1385); // (1024 + 2048 - 301) / 2
    EXPECT_EQ(CentredIn(0, 768, 1000), -116);
    // A frame of 3 pixels, a 22-pixel caption and a 20-pixel menu.
    const CNimbRect grown{197, 155, 303, 303};
    EXPECT_EQ(HostClientRect(grown, 10, 20, 400, 300), (CNimbRect{13, 65, 407, 317}));
    EXPECT_EQ(RoundedCorner(500, 200), 40);
    EXPECT_EQ(RoundedCorner(9, 200), 1);
    EXPECT_EQ(HostTemplateStyle(0, true), 0x92C80880u);
    // The popup, child, visible, clip-children and centre bits are the host's own; a
    // frame that does not size gets the modal frame.
    EXPECT_EQ(HostTemplateStyle(Child | Visible | Caption | SystemMenu | MinimiseBox, false),
              0x92000800u | Caption | SystemMenu | MinimiseBox | ModalFrame);
    EXPECT_EQ(HostTemplateStyle(Caption | SizingFrame, false), 0x92000800u | Caption | SizingFrame);
}

TEST(FormRules, TheHostsDialogTemplate) {
    const CNimbMem bytes = DialogTemplate(0x92C80880, 0x10000, u"标题");
    // 18 bytes of header, menu and class words, the title and its terminator, DWORD-aligned.
    ASSERT_EQ(bytes.GetSize(), 28);
    uint32_t style = 0, exStyle = 0;
    std::memcpy(&style, bytes.GetData(), 4);
    std::memcpy(&exStyle, bytes.GetData() + 4, 4);
    EXPECT_EQ(style, 0x92C80880u);
    EXPECT_EQ(exStyle, 0x10000u);
    for (int i = 8; i < 22; ++i)
        EXPECT_EQ(bytes.GetData()[i], 0) << i; // no items, no place, no size, no menu, class
    char16_t title[3] = {};
    std::memcpy(title, bytes.GetData() + 22, 6);
    EXPECT_EQ(std::u16string(title, 3), std::u16string(u"标题\0", 3));
    EXPECT_EQ(DialogTemplate(0, 0, u"").GetSize(), 24);
}

TEST(FormRules, HelpPathsTrayKindsAndMenuItems) {
    const CWConstString program(u"C:\\Program Files\\kqv\\");
    const struct {
        const char16_t* File;
        const char16_t* Expected;
    } paths[] = {
        {u"help.chm", u"C:\\Program Files\\kqv\\help.chm"},
        {u".\\docs\\..\\help.chm", u"C:\\Program Files\\kqv\\help.chm"},
        {u"..\\..\\..\\..\\h.chm", u"C:\\h.chm"},
        {u"D:\\help.chm", u"D:\\help.chm"},
        {u"\\server\\help.chm", u"\\server\\help.chm"},
    };
    for (const auto& p : paths)
        EXPECT_EQ(Units(ResolveHelpPath(program, CWConstString(p.File))), p.Expected)
            << Utf8(p.File);

    EXPECT_EQ(TrayNotifyKind(0x0202), 1);
    EXPECT_EQ(TrayNotifyKind(0x0203), 2);
    EXPECT_EQ(TrayNotifyKind(0x0205), 3);
    EXPECT_EQ(TrayNotifyKind(0x007B), 3);
    EXPECT_EQ(TrayNotifyKind(0x0200), 0);
    EXPECT_EQ(MenuSelectItem(40001, 0), 40001u);
    EXPECT_EQ(MenuSelectItem(40001, 0xFFFF), 0u);
    EXPECT_EQ(MenuSelectItem(3, 0x0010), 0u);      // a popup
    EXPECT_EQ(MenuSelectItem(0xF060, 0x2000), 0u); // the system menu
}

TEST(FormRules, SizeLimitsRoundTripAndAreEqualOnlyToThemselves) {
    using rg_nimb_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi;
    rg_ChuangKouWeiZhiXianZhiXinXi limits;
    limits.MaxSize = {800, 600};
    limits.MaxPosition = {-4, -4};
    limits.MinTrackSize = {300, 200};
    limits.MaxTrackSize = {1024, 768};
    CNimbMemoryStream out;
    CNimbStreamWriter writer(&out);
    limits.SaveToStream(writer);
    const CNimbMem bytes = out.GetOutput();
    EXPECT_EQ(bytes.GetSize(), 32); // four pairs of 32-bit values
    CNimbMemoryStream in(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&in);
    rg_ChuangKouWeiZhiXianZhiXinXi back;
    back.LoadFromStream(reader);
    EXPECT_EQ(back.MinTrackSize.Width, 300);
    EXPECT_EQ(back.MaxPosition.Y, -4);
    EXPECT_EQ(back.MaxTrackSize.Height, 768);
    EXPECT_TRUE(limits.IsEqual(limits));
    EXPECT_FALSE(back.IsEqual(limits));
    auto* copy = static_cast<rg_ChuangKouWeiZhiXianZhiXinXi*>(limits.Clone());
    EXPECT_EQ(copy->MaxSize.Width, 800);
    CNimbObject::DeleteObject(copy);
}
