#include "runtime/NumberText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(NumberText, Int64ToText) {
    const struct {
        int64_t Value;
        const char16_t* Expected;
    } cases[] = {
        {0, u"0"},
        {7, u"7"},
        {-7, u"-7"},
        {1000000, u"1000000"},
        {INT64_MAX, u"9223372036854775807"},
        {INT64_MIN, u"-9223372036854775808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(Int64ToText(c.Value)), c.Expected);
}

TEST(NumberText, TextToInt64SaturatesOnlyPastTwoToTheSixtyFour) {
    const struct {
        const char16_t* Text;
        int64_t Expected;
    } cases[] = {
        {u"  -12x", -12},
        {u"99999999999999999999", INT64_MAX},
        {u"-99999999999999999999", INT64_MIN},
        {u"9223372036854775807", INT64_MAX},
        {u"9223372036854775808", INT64_MIN},  // 2^63 wraps
        {u"18446744073709551615", -1},        // 2^64 - 1 wraps
        {u"18446744073709551616", INT64_MAX}, // 2^64 saturates
        {u"-18446744073709551615", 1},
        {u"+5", 5},
        {u"\t\r\n 7", 7},
        {u"   ", 0},
        {u"", 0},
        {nullptr, 0},
        {u"--5", 0},
        {u"- 5", 0},
        {u"0012", 12},
        {u"\u3000"
         u"5",
         0}, // only code units up to U+0020 are skipped
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt64(c.Text), c.Expected)
            << testing::PrintToString(c.Text ? std::u16string(c.Text) : u"null");
}

TEST(NumberText, HexTextToInt64) {
    const struct {
        const char16_t* Text;
        int64_t Expected;
    } cases[] = {
        {u"0x1fZ", 31},
        {u" 1f", 0},
        {u"0X10", 16},
        {u"x10", 0},
        {u"ffffffffffffffff", -1},
        {u"123456789ABCDEF01", 0x23456789ABCDEF01}, // the last 16 digits count
        {u"0x", 0},
        {u"", 0},
        {nullptr, 0},
        {u"-1", 0},
        {u"aBcD", 0xABCD},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexTextToInt64(c.Text), c.Expected);
}
