#include "gui/EditRules.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

TEST(EditRules, TextAfterTheFocusIsLost) {
    const struct {
        int64_t Type;
        const char16_t* Text;
        const char16_t* Expected;
    } cases[] = {
        {kEditByte, u"300", u"255"},
        {kEditByte, u"-4", u""}, // clamped to 0, and "0" is empty
        {kEditByte, u"abc", u""},
        {kEditByte, u"  42xyz", u"42"},
        {kEditShort, u"40000", u"32767"},
        {kEditShort, u"-40000", u"-32768"},
        {kEditInteger, u"99999999999", u"2147483647"}, // saturated
        {kEditInteger, u"-12", u"-12"},
        {kEditLong, u"99999999999999999999", u"9223372036854775807"},
        {kEditLong, u"9223372036854775808", u"9223372036854775807"},
        {kEditLong, u"-9223372036854775808", u"-9223372036854775808"},
        {kEditLong, u"-99999999999999999999", u"-9223372036854775808"},
        {kEditSingle, u"3.14159265", u"3.14159"},
        {kEditSingle, u"0", u""},
        {kEditDouble, u"0.1", u"0.1"},
        {kEditDouble, u"2.5e3x", u"2500"},
        {kEditDouble, u"", u""},
        {kEditHex, u"0x00ff", u"FF"},
        {kEditHex, u"zz", u""},
        {kEditHex, u"abcDEF12", u"ABCDEF12"},
        {kEditDateLong, u"2024-12-11 20:00:00", u"2024年12月11日20时"},
        {kEditDateNumeric, u"12/11/2024 20:00:00", u"12/11/2024 20"},
        {kEditDateLong, u"no date", u""},
        {kEditPlain, u"0", u"0"}, // the other types keep their text
        {kEditIntegerText, u"0", u"0"},
        {kEditPassword, u" 12 ", u" 12 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(NormaliseEditText(c.Type, CWConstString(c.Text))), c.Expected)
            << c.Type << " " << Utf8(c.Text);
}

TEST(EditRules, TypedCharacters) {
    const struct {
        int64_t Type;
        const char16_t* Accepted;
        const char16_t* Refused;
    } cases[] = {
        {kEditPlain, u"a-.中 ", u""},
        {kEditIntegerText, u"0189-", u".a "},
        {kEditDecimalText, u"09-.", u"a,e"},
        {kEditByte, u"0123456789", u"-.a"},
        {kEditShort, u"5-", u"."},
        {kEditInteger, u"7-", u"a."},
        {kEditLong, u"8-", u"+"},
        {kEditSingle, u"9.-", u"e"},
        {kEditDouble, u"1.-", u"E"},
        {kEditDateLong, u"年/: a", u""},
        {kEditHex, u"fx", u""},
    };
    for (const auto& c : cases) {
        for (const char16_t* p = c.Accepted; *p != 0; ++p)
            EXPECT_TRUE(AcceptsTypedCharacter(c.Type, *p)) << c.Type << " " << int{*p};
        for (const char16_t* p = c.Refused; *p != 0; ++p)
            EXPECT_FALSE(AcceptsTypedCharacter(c.Type, *p)) << c.Type << " " << int{*p};
        EXPECT_TRUE(AcceptsTypedCharacter(c.Type, u'\b')); // control characters always
        EXPECT_TRUE(AcceptsTypedCharacter(c.Type, 0x1F));
    }
}

TEST(EditRules, IntegerReadingAndSpinSteps) {
    EXPECT_EQ(TextToInt32(u" \t-17z"), -17);
    EXPECT_EQ(TextToInt32(u"+5"), 5);
    EXPECT_EQ(TextToInt32(u"x5"), 0);
    EXPECT_EQ(TextToInt32(u"-99999999999"), -2147483647 - 1);

    const struct {
        int32_t Value;
        bool Down;
        int32_t Expected;
    } steps[] = {
        {100, false, 0}, {0, true, 100},  {250, true, 100}, {250, false, 0},
        {-7, false, 0},  {-7, true, 100}, {50, false, 51},  {50, true, 49},
    };
    for (const auto& s : steps)
        EXPECT_EQ(StepSpinValue(s.Value, 0, 100, s.Down), s.Expected) << s.Value << s.Down;
    EXPECT_EQ(StepSpinValue(2147483647, -5, 2147483647, false), -5); // no overflow
    EXPECT_EQ(StepSpinValue(-2147483647 - 1, -2147483647 - 1, 0, true), 0);
}
