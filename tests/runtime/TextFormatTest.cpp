#include "TestSupport.h"
#include "runtime/CWString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

template <class... Args>
std::u16string Formatted(const char16_t* format, const Args&... args) {
    CWString text;
    text.Format(format, args...);
    return Units(text);
}

} // namespace

TEST(TextFormat, IntegersFollowTheWindowsConventions) {
    const struct {
        std::u16string Got;
        const char16_t* Expected;
    } cases[] = {
        {Formatted(u"%d", 42), u"42"},
        {Formatted(u"%d", -2147483647 - 1), u"-2147483648"},
        {Formatted(u"[%5d|%-5d|%05d]", 42, 42, -42), u"[   42|42   |-0042]"},
        {Formatted(u"%+d % d", 7, 7), u"+7  7"},
        {Formatted(u"%.3d", 7), u"007"},
        {Formatted(u"%u", -1), u"4294967295"},
        {Formatted(u"%x %X %#x %#X %o %#o", 255, 255, 255, 255, 8, 8), u"ff FF 0xff 0XFF 10 010"},
        {Formatted(u"%02X%04X", 0xA, 0xBEEF), u"0ABEEF"},
        {Formatted(u"%I64X", uint64_t{0x1234ABCD5678EF}), u"1234ABCD5678EF"},
        {Formatted(u"%I64X", std::numeric_limits<uint64_t>::max()), u"FFFFFFFFFFFFFFFF"},
        {Formatted(u"%I64X", int32_t{-1}), u"FFFFFFFFFFFFFFFF"},
        {Formatted(u"%I64d %lld", INT64_MIN, INT64_MAX),
         u"-9223372036854775808 9223372036854775807"},
        // Without a length modifier, and with "l", 32 bits count, as a C run-time reads them.
        {Formatted(u"%d %ld", int64_t{1} << 40 | 5, int64_t{-1}), u"5 -1"},
        {Formatted(u"%hd %hhu %hx", 70000, 257, -1), u"4464 1 ffff"},
        {Formatted(u"%zu %Iu", size_t{3}, size_t{4}), u"3 4"},
        {Formatted(u"%*d|%-*d|%.*d", 4, 1, 3, 2, 3, 3), u"   1|2  |003"},
        {Formatted(u"%*d", -3, 1), u"1  "},
        {Formatted(u"%c%c%c", u'中', 'A', 0), u"中A"},
        {Formatted(u"%p", reinterpret_cast<const void*>(uintptr_t{0xABC})), u"0000000000000ABC"},
        {Formatted(u"100%%"), u"100%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected);
}

TEST(TextFormat, TextsAreUtf16) {
    const CWString owned(u"文本");
    const struct {
        std::u16string Got;
        const char16_t* Expected;
    } cases[] = {
        {Formatted(u"%s|%ls|%ws", u"a", u"b", u"c"), u"a|b|c"},
        {Formatted(u"<%s>", owned), u"<文本>"},
        {Formatted(u"%.2s|%5s|%-4s|", u"abcdef", u"ab", u"ab"), u"ab|   ab|ab  |"},
        {Formatted(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)"},
        {Formatted(u"俘获到异常,代码值为: %d, 描述为: %s", -1, u"boom"),
         u"俘获到异常,代码值为: -1, 描述为: boom"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected);
}

TEST(TextFormat, RealsUseTheCLocale) {
    const struct {
        std::u16string Got;
        const char16_t* Expected;
    } cases[] = {
        {Formatted(u"%.15G", 1e20), u"1E+20"},
        {Formatted(u"%.15G", 15.843), u"15.843"},
        {Formatted(u"%.8G", 1.0 / 3), u"0.33333333"},
        {Formatted(u"%.15G", 1.2345678901234568e17), u"1.23456789012346E+17"},
        {Formatted(u"%.15G", 0.00001234), u"1.234E-05"},
        {Formatted(u"%.2f|%8.3f|%-8.1f|%+.0f", 2.346, 3.14159, 2.5, 2.7),
         u"2.35|   3.142|2.5     |+3"},
        {Formatted(u"%e", 12345.678), u"1.234568e+04"},
        {Formatted(u"%.15G", 100000000000000.0), u"100000000000000"},
        {Formatted(u"%.15G", 1e15), u"1E+15"},
        {Formatted(u"%f", 1e300).size() > 300 ? u"long" : u"short", u"long"},
        {Formatted(u"%.1f", 2.5f), u"2.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected);
}

// Widths and precisions taken from arguments are bounded as written ones are: the most
// negative width cannot be negated, and a huge one must not pad for ever.
TEST(TextFormat, WidthsFromArgumentsAreBounded) {
    const std::u16string left = Formatted(u"%*d|", std::numeric_limits<int32_t>::min(), 5);
    EXPECT_EQ(left.size(), size_t{1 << 20} + 1);
    EXPECT_EQ(left.substr(0, 2), u"5 ");
    EXPECT_EQ(Formatted(u"%*d", std::numeric_limits<int64_t>::max(), 5).size(), size_t{1 << 20});
    EXPECT_EQ(Formatted(u"%.*d", std::numeric_limits<int32_t>::max(), 5).size(), 40u);
}

TEST(TextFormat, MalformedFormatsAndWrongArgumentsGiveNothing) {
    const std::u16string cases[] = {
        Formatted(u"a%s", 5),          // a number for a text
        Formatted(u"a%d", u"text"),    // a text for a number
        Formatted(u"a%d %d", 5),       // missing argument
        Formatted(u"a%f", 5),          // an integer for a real
        Formatted(u"a%n", 5),          // writes nothing back
        Formatted(u"a%y", 5),          // unknown conversion
        Formatted(u"a%"),              // ends inside a conversion
        Formatted(u"a%hs", u"narrow"), // 8-bit texts do not exist here
        Formatted(u"a%p", 5),          // not a pointer
    };
    for (const std::u16string& got : cases)
        EXPECT_EQ(got, u"");
    CWString text(u"kept");
    text.AppendFormat(u"%s", 1);
    EXPECT_EQ(Units(text), u"kept");
    CWString fromNull;
    fromNull.Format(nullptr);
    EXPECT_TRUE(fromNull.IsEmpty());
}
