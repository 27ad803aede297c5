#include "gui/ListSpecs.h"
#include "TestSupport.h"
#include "gui/ListValues.h"
#include "runtime/CNimbMemoryStream.h"

#include <gtest/gtest.h>

using namespace rg_nimb_MFCJieMian_KuoZhanZuJian;

TEST(ListSpecs, TheMainWindowsColumnSpecification) {
    const auto columns = ParseColumnSpec(CWConstString(u"0\n-1\n0\n280\n详情:"));
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_FALSE(columns[0].ImageAtRight);
    EXPECT_EQ(columns[0].Image, -1);
    EXPECT_EQ(columns[0].Align, 0);
    EXPECT_EQ(columns[0].Width, 280);
    EXPECT_EQ(Units(columns[0].Text), u"详情:");
    // Seven lines: the last two are an incomplete group.
    EXPECT_EQ(ParseColumnSpec(CWConstString(u"0\n-1\n0\n280\n详情:\n1\n0")).size(), 1u);
    const auto two = ParseColumnSpec(CWConstString(u"1\n0\n2\n50\n甲\n0\n-1\n9\n60\n"));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_TRUE(two[0].ImageAtRight);
    EXPECT_EQ(two[0].Image, 0);
    EXPECT_EQ(two[0].Align, 2);
    EXPECT_EQ(two[1].Align, 0); // any other value: left
    EXPECT_EQ(Units(two[1].Text), u"");
    EXPECT_TRUE(ParseColumnSpec(CWString()).empty());
}

TEST(ListSpecs, TheItemSpecificationAndItsTooltips) {
    const CWConstString spec(u"0\n-1\n-1\n0\n7\na\n提示一\n"
                             u"1\n-1\n-1\n0\n0\nb\n不用\n"
                             u"0\n2\n1\n3\n-5\nc\n提示三");
    const auto entries = ParseItemSpec(spec);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Kind, 0);
    EXPECT_EQ(entries[0].Data, 7);
    EXPECT_EQ(Units(entries[1].Text), u"b");
    EXPECT_EQ(entries[1].Kind, 1);
    EXPECT_EQ(entries[2].Image, 2);
    EXPECT_EQ(entries[2].StateImage, 1);
    EXPECT_EQ(entries[2].Indent, 3);
    EXPECT_EQ(entries[2].Data, -5);

    const CWString pairs = TooltipPairs(entries);
    EXPECT_EQ(Units(pairs), u"0\n提示一\n1\n不用\n0\n提示三");
    CWString tip;
    ASSERT_TRUE(RowTooltip(pairs, 0, tip));
    EXPECT_EQ(Units(tip), u"提示一");
    ASSERT_TRUE(RowTooltip(pairs, 1, tip));
    EXPECT_EQ(Units(tip), u"提示三"); // the third entry's: the second row
    EXPECT_FALSE(RowTooltip(pairs, 2, tip));
    EXPECT_FALSE(RowTooltip(pairs, -1, tip));
    EXPECT_EQ(Units(tip), u"提示三");
    // A row whose tooltip line is empty has an empty tooltip, which is not none.
    ASSERT_TRUE(RowTooltip(CWConstString(u"0\n"), 0, tip));
    EXPECT_EQ(Units(tip), u"");
}

TEST(ListSpecs, StylesFromTheProperties) {
    CNimbListOptions main; // the main window's list
    main.ViewMode = 3;
    main.FullRowSelect = 1;
    main.GridLines = 1;
    main.NoColumnHeader = 1;
    const CNimbListStyles styles = ListStyles(main);
    EXPECT_EQ(styles.Style, 0x1u | 0x4000 | 0x4);
    EXPECT_EQ(styles.ListExStyle, 0x20u | 0x1 | 0x402);

    CNimbListOptions icons; // large icons with the defaults
    EXPECT_EQ(ListStyles(icons).Style, 0x100u | 0x4);
    icons.ViewMode = 1;
    icons.IconAlign = 1;
    icons.LabelWrap = 0;
    icons.SingleSelection = 0;
    icons.OwnerData = 1;
    EXPECT_EQ(ListStyles(icons).Style, 0x2u | 0x100 | 0x800 | 0x80 | 0x1000);

    CNimbListOptions hot;
    hot.ViewMode = 3;
    hot.SortableHeader = 0;
    hot.HeaderDragDrop = 1;
    hot.HotTrack = 1;
    hot.UnderlineHot = 0;
    hot.EditLabels = 1;
    hot.SortOrder = 2;
    hot.CheckBoxes = 1;
    hot.FlatScrollBars = 1;
    hot.ShowSelectionAlways = 1;
    EXPECT_EQ(ListStyles(hot).Style, 0x1u | 0x8000 | 0x200 | 0x20 | 0x4 | 0x8);
    EXPECT_EQ(ListStyles(hot).ListExStyle, 0x10u | 0x48 | 0x1000 | 0x4 | 0x100 | 0x402);
}

TEST(ListSpecs, ImagesStatesAndTheHandlersObjects) {
    EXPECT_EQ(ValidImage(2, 3), 2);
    EXPECT_EQ(ValidImage(3, 3), -1);
    EXPECT_EQ(ValidImage(-4, 3), -1);
    EXPECT_EQ(StateImageBits(0), 0x1000u);
    EXPECT_EQ(StateImageBits(1), 0x2000u);
    EXPECT_EQ(StateImageBits(-1), 0u);
    EXPECT_EQ(StateImageIndex(0x2000 | 0x3), 1);
    EXPECT_EQ(StateImageIndex(0), -1);

    rg_ChaoJiLieBiaoKuangBiaoXiangTianChong fill;
    fill.Item = 3;
    fill.SubItem = 1;
    fill.Text.SetText(u"第三行");
    fill.Data = 1LL << 40;
    fill.Image = 2;
    CNimbMemoryStream out;
    CNimbStreamWriter writer(&out);
    fill.SaveToStream(writer);
    const CNimbMem bytes = out.GetOutput();
    CNimbMemoryStream in(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&in);
    rg_ChaoJiLieBiaoKuangBiaoXiangTianChong back;
    back.LoadFromStream(reader);
    EXPECT_TRUE(back.IsEqual(fill));
    back.Text.SetText(u"别的");
    EXPECT_FALSE(back.IsEqual(fill));

    rg_ChaoJiLieBiaoKuangHuiZhiCanShu cell, other;
    cell.CellTextColor = 0x0000FF;
    EXPECT_FALSE(cell.IsEqual(other));
    other.AssignFrom(cell);
    EXPECT_TRUE(cell.IsEqual(other));
}
