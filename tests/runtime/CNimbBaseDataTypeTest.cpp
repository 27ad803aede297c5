#include "runtime/CNimbBaseDataType.h"
#include "TestSupport.h"
#include "runtime/CNimbMemoryStream.h"
#include "runtime/rg_WeiZhiLei.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

using namespace rg_nimb_base;

namespace {

template <class T>
std::u16string Dump(const T& object) {
    CWString out(u"previous content");
    object.DumpToText(out, 0);
    return Units(out);
}

template <class T>
std::string Saved(const T& object) {
    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    object.SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    return std::string(reinterpret_cast<const char*>(bytes.GetData()),
                       static_cast<size_t>(bytes.GetSize()));
}

} // namespace

TEST(ValueWrappers, RecordsAndFamilies) {
    const struct {
        const CNimbObject& Object;
        const char* Name;
        size_t Width;
    } cases[] = {
        {rg_ZhengShuLei(), "rg_nimb_base::rg_ZhengShuLei", 4},
        {rg_LuoJiXingLei(), "rg_nimb_base::rg_LuoJiXingLei", 4},
        {rg_ZiFuLei(), "rg_nimb_base::rg_ZiFuLei", 2},
        {rg_ChangZhengShuLei(), "rg_nimb_base::rg_ChangZhengShuLei", 8},
        {rg_ChanJingDuXiaoShuLei(), "rg_nimb_base::rg_ChanJingDuXiaoShuLei", 4},
        {rg_XiaoShuLei(), "rg_nimb_base::rg_XiaoShuLei", 8},
        {rg_BianZhengShuLei(), "rg_nimb_base::rg_BianZhengShuLei", 8},
        {rg_DuanZhengShuLei(), "rg_nimb_base::rg_DuanZhengShuLei", 2},
        {rg_ZiJieLei(), "rg_nimb_base::rg_ZiJieLei", 1},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.Object.GetClassInfo().Name, c.Name);
        EXPECT_TRUE(c.Object.IsKindOf(CNimbBaseDataType::ClassRecord())) << c.Name;
        EXPECT_TRUE(c.Object.IsKindOf(CNimbObject::ClassRecord())) << c.Name;
        EXPECT_FALSE(c.Object.IsKindOf(rg_KuoZhanDuiXiangLei::ClassRecord())) << c.Name;
        EXPECT_EQ(Saved(c.Object), std::string(c.Width, '\0')) << c.Name;
    }
    // Every wrapper is 32 bytes and fits a pool block.
    static_assert(sizeof(rg_ZiJieLei) == 32 && sizeof(rg_XiaoShuLei) == 32 &&
                  sizeof(rg_ChangZhengShuLei) == 32);
    EXPECT_FALSE(
        rg_ZhengShuLei().IsKindOf(rg_LuoJiXingLei::ClassRecord())); // same type, other class

    rg_ZhengShuLei integer(5);
    EXPECT_EQ(integer.GetValueAddress(), &integer.Value);
    CNimbBaseDataType base;
    EXPECT_EQ(base.GetValueAddress(), nullptr);
}

TEST(ValueWrappers, RealsAreEqualWithinOneMillionthInTheirOwnPrecision) {
    EXPECT_TRUE(rg_XiaoShuLei(1.0).IsEqual(rg_XiaoShuLei(1.0000009)));
    EXPECT_FALSE(rg_XiaoShuLei(1.0).IsEqual(rg_XiaoShuLei(1.000002)));
    EXPECT_TRUE(rg_XiaoShuLei(-3.0).IsEqual(rg_XiaoShuLei(-3.000001 + 1e-12)));
    EXPECT_FALSE(rg_XiaoShuLei(std::nan("")).IsEqual(rg_XiaoShuLei(std::nan(""))));
    EXPECT_TRUE(rg_ChanJingDuXiaoShuLei(1.0f).IsEqual(rg_ChanJingDuXiaoShuLei(1.0000009f)));
    EXPECT_FALSE(rg_ChanJingDuXiaoShuLei(1.0f).IsEqual(rg_ChanJingDuXiaoShuLei(1.000002f)));
    EXPECT_FALSE(rg_ChanJingDuXiaoShuLei(std::nanf("")).IsEqual(rg_ChanJingDuXiaoShuLei(0.0f)));
    // The integers compare exactly, and the class must match.
    EXPECT_FALSE(rg_ZhengShuLei(1).IsEqual(rg_ZhengShuLei(2)));
    EXPECT_FALSE(rg_ZhengShuLei(1).IsEqual(rg_LuoJiXingLei(1)));
    rg_ZhengShuLei tagged(1);
    tagged.Tag = 3;
    EXPECT_FALSE(rg_ZhengShuLei(1).IsEqual(tagged));
}

TEST(ValueWrappers, DebugTextsReplaceTheOutput) {
    const struct {
        std::u16string Got;
        const char16_t* Expected;
    } cases[] = {
        {Dump(rg_ZhengShuLei(-5)), u"-5"},
        {Dump(rg_LuoJiXingLei(1)), u"1"},
        {Dump(rg_LuoJiXingLei(7)), u"7"},
        {Dump(rg_ZiFuLei(0)), u""},
        {Dump(rg_ZiFuLei(u'中')), u"中"},
        {Dump(rg_ChangZhengShuLei(INT64_MIN)), u"-9223372036854775808"},
        {Dump(rg_ChanJingDuXiaoShuLei(0.1f)), u"0.1"},
        {Dump(rg_XiaoShuLei(0.0000001)), u"0"},
        {Dump(rg_XiaoShuLei(3.14159265358979)), u"3.14159265358979"},
        {Dump(rg_BianZhengShuLei(int64_t{1} << 40)), u"1099511627776"},
        {Dump(rg_DuanZhengShuLei(static_cast<int16_t>(0x8000))), u"-32768"},
        {Dump(rg_ZiJieLei(static_cast<int8_t>(0xFF))), u"-1"},
        {Dump(rg_ZiJieLei(127)), u"127"},
        {Dump(rg_WeiZhiLei(10, -5)), u"{ 横向位置: 10; 纵向位置: -5 }"},
        {Dump(rg_CheCunLei(640, 480)), u"{ 宽度: 640; 高度: 480 }"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected);

    CWString out(u"x");
    out.Tag = 9;
    rg_WeiZhiLei().DumpToText(out, 0);
    EXPECT_EQ(out.Tag, 0); // the structured values replace Flags and Tag as well
}

TEST(ValueWrappers, AssignmentResetAndCloning) {
    rg_ZhengShuLei target(7);
    target.Tag = 2;
    EXPECT_FALSE(target.AssignFrom(rg_ChangZhengShuLei(1)));
    EXPECT_EQ(target.Value, 7);
    EXPECT_EQ(target.Tag, 2);

    rg_ZhengShuLei source(42);
    source.Flags = CNimbObject::NullObject;
    source.Tag = 5;
    ASSERT_TRUE(target.AssignFrom(source));
    EXPECT_EQ(target.Value, 42);
    EXPECT_EQ(target.Flags, CNimbObject::NullObject);
    EXPECT_EQ(target.Tag, 5);

    CNimbObject* clone = source.Clone();
    EXPECT_TRUE(clone->IsEqual(source));
    CNimbObject::DeleteObject(clone);

    target.Reset();
    EXPECT_EQ(target.Value, 0);
    EXPECT_EQ(target.Flags, 0u);
    EXPECT_EQ(target.Tag, 0);

    rg_CheCunLei size(3, 4);
    EXPECT_FALSE(size.AssignFrom(rg_WeiZhiLei(1, 2)));
    EXPECT_TRUE(size.IsKindOf(rg_KuoZhanDuiXiangLei::ClassRecord()));
    EXPECT_TRUE(size.IsEqual(rg_CheCunLei(3, 4)));
    EXPECT_FALSE(size.IsEqual(rg_CheCunLei(3, 5)));
}

TEST(ValueWrappers, StreamFormsAreTheRawLittleEndianBytes) {
    EXPECT_EQ(Saved(rg_ChangZhengShuLei(1)), std::string("\x01\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(Saved(rg_ZhengShuLei(-2)), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(Saved(rg_ZiFuLei(u'中')), std::string("\x2D\x4E", 2));
    EXPECT_EQ(Saved(rg_WeiZhiLei(1, -1)), std::string("\x01\0\0\0\xFF\xFF\xFF\xFF", 8));
    EXPECT_EQ(Saved(rg_XiaoShuLei(1.0)), std::string("\0\0\0\0\0\0\xF0\x3F", 8));

    const std::string bytes("\x2A\0\0\0\0\0\0\0\x05\0\0\0\x06\0\0\0", 16);
    CNimbMemoryStream source(bytes.data(), static_cast<int64_t>(bytes.size()));
    CNimbStreamReader reader(&source);
    rg_ChangZhengShuLei number;
    rg_CheCunLei size;
    number.LoadFromStream(reader);
    size.LoadFromStream(reader);
    EXPECT_EQ(number.Value, 42);
    EXPECT_EQ(size.Width, 5);
    EXPECT_EQ(size.Height, 6);
    EXPECT_EQ(reader.GetErrorCode(), 0);
}

TEST(ValueWrappers, AShortLoadMarksTheStreamAndKeepsWhatArrived) {
    const std::string three("\x01\x02\x03", 3);
    CNimbMemoryStream source(three.data(), 3);
    CNimbStreamReader reader(&source);
    rg_ChangZhengShuLei number;
    number.LoadFromStream(reader);
    EXPECT_EQ(reader.GetErrorCode(), CNimbStream::ReadError);
    EXPECT_EQ(number.Value, 0x030201);

    rg_ZhengShuLei later(9);
    later.LoadFromStream(reader); // nothing is read once the stream is marked
    EXPECT_EQ(later.Value, 9);

    CNimbMemoryStream full(nullptr, 0, 0, 0);
    CNimbStreamWriter writer(&full);
    rg_WeiZhiLei().SaveToStream(writer);
    EXPECT_EQ(writer.GetErrorCode(), CNimbStream::WriteError);
}
