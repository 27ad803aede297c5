#include "runtime/CWString.h"
#include "TestSupport.h"
#include "runtime/CNimbMemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(CWString, ALiteralIsBorrowedUntilTheFirstChange) {
    const char16_t* literal = u"abc";
    CWConstString text(literal);
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_TRUE(text.IsBorrowed());
    EXPECT_EQ(text.GetText(), literal);
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 0);

    text.Append(u"d");
    EXPECT_FALSE(text.IsBorrowed());
    EXPECT_EQ(Units(text), u"abcd");
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 254);
    EXPECT_EQ(text.GetBuffer().GetSize(), 10);
    EXPECT_EQ(std::u16string(literal), u"abc");
}

TEST(CWString, EmptyTextsAreValidAndEmpty) {
    const CWString empty;
    ASSERT_NE(empty.GetText(), nullptr);
    EXPECT_EQ(empty.GetText()[0], 0);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(CWConstString(u"").IsEmpty());
    EXPECT_TRUE(CWString(static_cast<const char16_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CWConstString(nullptr).IsEmpty());
    EXPECT_FALSE(CWConstString(u" ").IsEmpty());
}

TEST(CWString, GrowsInSteps254) {
    CWString text;
    text.Append(std::u16string(127, u'x').c_str());
    EXPECT_EQ(text.GetBuffer().GetSize(), 256);
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 508);
    text.SetLength(1);
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 254);
}

TEST(CWString, Find) {
    const CWConstString text(u"abcabc");
    const struct {
        const char16_t* Needle;
        int64_t Start;
        bool IgnoreCase, FromEnd;
        int64_t Expected;
    } cases[] = {
        {u"b", 0, false, false, 1},        {u"b", 2, false, false, 4},
        {u"b", -1, false, true, 4},        {u"b", 4, false, true, 1},
        {u"", 2, false, false, 2},         {u"b", 7, false, false, -1},
        {u"B", 0, true, false, 1},         {u"B", 0, false, false, -1},
        {nullptr, -3, false, false, 0},    {u"", -1, false, true, 6},
        {u"abc", 6, false, true, 3},       {u"abc", 5, false, true, 0},
        {u"c", 6, false, false, -1},       {u"bca", 2, false, false, -1},
        {u"abcabcd", 0, false, false, -1}, {u"ABC", -1, true, true, 3},
        {u"b", 1, false, true, -1},        {u"", 6, false, false, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text.Find(c.Needle, c.Start, c.IgnoreCase, c.FromEnd), c.Expected)
            << (c.Needle ? testing::PrintToString(std::u16string(c.Needle)) : "null") << " start "
            << c.Start << (c.FromEnd ? " backward" : " forward");
    }
    // Only ASCII letters are folded.
    EXPECT_EQ(CWConstString(u"ÄÖ").Find(u"äö", 0, true), -1);
}

TEST(CWString, StartsWithNoCase) {
    const CWConstString text(u"Windows 10 Pro");
    EXPECT_TRUE(text.StartsWithNoCase(u"WINDOWS"));
    EXPECT_TRUE(text.StartsWithNoCase(u""));
    EXPECT_TRUE(text.StartsWithNoCase(nullptr));
    EXPECT_FALSE(text.StartsWithNoCase(u"Windows 10 Pro+"));
    EXPECT_FALSE(text.StartsWithNoCase(u"Win7"));
}

TEST(CWString, ReplaceAllNoCaseNeverRescansReplacements) {
    const struct {
        const char16_t* Text;
        const char16_t* Find;
        const char16_t* Replacement;
        const char16_t* Expected;
    } cases[] = {
        {u"aAbab", u"ab", u"b", u"abb"},
        {u"aaa", u"a", u"aa", u"aaaaaa"},
        {u"Windows 10 Pro, windows 10", u"Windows 10", u"Windows 11",
         u"Windows 11 Pro, Windows 11"},
        {u"xyz", u"y", u"", u"xz"},
        {u"xyz", u"q", u"w", u"xyz"},
        {u"ab", u"abc", u"w", u"ab"},
        {u"", u"a", u"b", u""},
        {u"abc", u"", u"b", u"abc"},
        {u"中文中", u"中", u"汉", u"汉文汉"},
    };
    for (const auto& c : cases) {
        CWConstString text(c.Text);
        text.ReplaceAllNoCase(c.Find, c.Replacement);
        EXPECT_EQ(Units(text), c.Expected);
    }
}

TEST(CWString, LeftRightAndMidClampTheirArguments) {
    const CWConstString text(u"abcdef");
    const struct {
        CWString Got;
        const char16_t* Expected;
    } cases[] = {
        {text.Mid(-2, 4), u"ab"},      {text.Right(10), u"abcdef"},
        {text.Left(2), u"ab"},         {text.Left(0), u""},
        {text.Left(-1), u""},          {text.Right(2), u"ef"},
        {text.Right(-3), u""},         {text.Mid(2, 100), u"cdef"},
        {text.Mid(4, -1), u""},        {text.Mid(7, 1), u""},
        {text.Mid(1, 2), u"bc"},       {text.Mid(INT64_MIN, INT64_MIN), u""},
        {text.Mid(INT64_MAX, 5), u""}, {text.Mid(3, INT64_MAX), u"def"},
        {CWString().Left(3), u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Units(c.Got), c.Expected);
        EXPECT_FALSE(c.Got.IsBorrowed());
    }
}

TEST(CWString, TrimRemovesBlanksAndIdeographicSpaces) {
    const struct {
        const char16_t* Text;
        const char16_t* Trimmed;
        const char16_t* RightTrimmed;
    } cases[] = {
        {u"\u3000 x \t", u"x", u"\u3000 x"},
        {u"   ", u"", u""},
        {u"\r\nline\r\n", u"line", u"\r\nline"},
        {u"a b", u"a b", u"a b"},
        {u"", u"", u""},
        {u"\u00A0x", u"\u00A0x", u"\u00A0x"}, // only up to U+0020 and U+3000
    };
    for (const auto& c : cases) {
        CWString trimmed(c.Text);
        trimmed.Trim();
        EXPECT_EQ(Units(trimmed), c.Trimmed);
        CWString right(c.Text);
        right.TrimRight();
        EXPECT_EQ(Units(right), c.RightTrimmed);
    }
    CWConstString untouched(u"x");
    untouched.Trim();
    EXPECT_TRUE(untouched.IsBorrowed());
}

TEST(CWString, SetLengthCutsOrPadsWithSpaces) {
    CWString text(u"ab");
    text.SetLength(5);
    EXPECT_EQ(Units(text), u"ab   ");
    text.SetLength(1);
    EXPECT_EQ(Units(text), u"a");
    text.SetLength(-1);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetBuffer().GetCapacity(), 0);
}

// Writers that know the length fill a text in place; a borrowed literal is never written.
TEST(CWString, PreparedUnitsAreTheTextsOwn) {
    CWConstString borrowed(u"literal");
    CWString text(borrowed);
    char16_t* units = text.PrepareUnits(3);
    ASSERT_NE(units, nullptr);
    units[0] = u'中';
    units[1] = u'文';
    units[2] = u'!';
    EXPECT_EQ(Units(text), u"中文!");
    EXPECT_FALSE(text.IsBorrowed());
    EXPECT_EQ(Units(borrowed), u"literal");
    EXPECT_EQ(text.GetBuffer().GetSize(), 8); // three units and the terminator
    EXPECT_EQ(text.PrepareUnits(0), nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CWString, SettingText) {
    CWString text(u"previous");
    text.SetTextN(u"a\0b", 3);
    EXPECT_EQ(Units(text), std::u16string(u"a\0b", 3));
    text.SetTextN(nullptr, 2);
    EXPECT_EQ(Units(text), std::u16string(2, u'\0'));
    text.SetTextUpTo(u"a\0b", 3);
    EXPECT_EQ(Units(text), u"a");
    text.SetTextUpTo(u"abcdef", 4);
    EXPECT_EQ(Units(text), u"abcd");
    text.SetTextUpTo(u"", 4);
    EXPECT_EQ(text.GetBuffer().GetSize(), 0);
    EXPECT_EQ(Units(CWString(u"abc", 2)), u"ab");

    // Sources inside the text's own buffer survive the change.
    text.SetText(u"abcdef");
    text.SetText(text.GetText() + 2);
    EXPECT_EQ(Units(text), u"cdef");
    text.SetTextN(text.GetText() + 1, 2);
    EXPECT_EQ(Units(text), u"de");
    text.Append(text);
    text.Append(text.GetText() + 1);
    EXPECT_EQ(Units(text), u"dedeede");
    text.Format(u"[%s]", text);
    EXPECT_EQ(Units(text), u"[dedeede]");
}

TEST(CWString, AppendingCharactersAndUtf8) {
    CWString text;
    text.AppendChar(0);
    EXPECT_TRUE(text.IsEmpty());
    text.AppendChar(u'中');
    text.AppendUtf8("文 ok");
    text.AppendUtf8("");
    text.AppendUtf8(nullptr);
    EXPECT_EQ(Units(text), u"中文 ok");
    EXPECT_EQ(Units(CWString("rg_nimb_base::rg_ZhengShuLei")), u"rg_nimb_base::rg_ZhengShuLei");

    // Broken UTF-8 decodes to something, never past its end.
    CWString broken("a\xE4\xB8"
                    "b\xFF");
    EXPECT_EQ(broken.GetText()[0], u'a');
    EXPECT_GE(broken.Find(u"b"), 1);
    EXPECT_LE(broken.GetLength(), 5);
}

TEST(CWString, NumberTexts) {
    const struct {
        CWString Got;
        const char16_t* Expected;
    } cases[] = {
        {CWString(int32_t{-42}), u"-42"},
        {CWString(INT64_MIN), u"-9223372036854775808"},
        {CWString(1.0), u"1"},
        {CWString(15.843), u"15.843"},
        {CWString(1e20), u"1E+20"},
        {CWString(0.0000005), u"0"},
        {CWString(-0.000001), u"0"},
        {CWString(-0.0000011), u"-1.1E-06"},
        {CWString(1.2345678901234568e17), u"1.23456789012346E+17"},
        {CWString(3.14159265358979), u"3.14159265358979"},
        {CWString(0.1 + 0.2), u"0.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(c.Got), c.Expected);

    const struct {
        float Value;
        const char16_t* Expected;
    } floats[] = {
        {0.1f, u"0.1"}, {1e-7f, u"0"}, {-0.000001f, u"0"}, {123456789.0f, u"1.2345679E+08"},
        {2.5f, u"2.5"},
    };
    for (const auto& c : floats) {
        CWString text;
        text.AppendFloat(c.Value);
        EXPECT_EQ(Units(text), c.Expected);
    }
}

TEST(CWString, ConcatCopiesTheOtherSideWhenOneIsEmpty) {
    CWString a(u"left");
    a.Tag = 1;
    CWConstString b(u"right");
    b.Tag = 2;
    const CWString empty;

    const CWString both = CWString::Concat(a, b);
    EXPECT_EQ(Units(both), u"leftright");
    EXPECT_EQ(both.Tag, 0);

    const CWString onlyB = CWString::Concat(empty, b);
    EXPECT_EQ(Units(onlyB), u"right");
    EXPECT_EQ(onlyB.Tag, 2);
    EXPECT_TRUE(onlyB.IsBorrowed());

    EXPECT_EQ(CWString::Concat(a, empty).Tag, 1);
    EXPECT_EQ(Units(CWString::Concat(a, u"+lit")), u"left+lit");
    EXPECT_EQ(CWString::Concat(a, u"+lit").Tag, 0);
    EXPECT_EQ(CWString::Concat(a, static_cast<const char16_t*>(nullptr)).Tag, 1);
}

TEST(CWString, CopiesShareLiteralsAndOwnTheirBytes) {
    CWConstString literal(u"shared");
    CWString copy(literal);
    EXPECT_TRUE(copy.IsBorrowed());
    EXPECT_EQ(copy.GetText(), literal.GetText());

    CWString owned(u"owned");
    CWString other(owned);
    other.Append(u"!");
    EXPECT_EQ(Units(owned), u"owned");
    EXPECT_EQ(Units(other), u"owned!");
    EXPECT_EQ(other.GetBuffer().GetStep(), CWString::GrowthStep);

    CWString moved(static_cast<CWString&&>(other));
    EXPECT_EQ(Units(moved), u"owned!");
    EXPECT_EQ(moved.GetBuffer().GetStep(), CWString::GrowthStep);

    CWString out(u"stale");
    moved.DumpToText(out, 0);
    EXPECT_EQ(Units(out), u"owned!");
}

TEST(CWString, FormatReplacesAndAppendFormatAppends) {
    CWString text(u"old");
    text.Tag = 5;
    text.Format(u"%d-%s", 7, u"x");
    EXPECT_EQ(Units(text), u"7-x");
    EXPECT_EQ(text.Tag, 5);
    text.AppendFormat(u"(%04X)", 0xBEEF);
    EXPECT_EQ(Units(text), u"7-x(BEEF)");
    text.AppendFormat(u"%s", 12); // a failing format appends nothing
    EXPECT_EQ(Units(text), u"7-x(BEEF)");
    text.Format(u"%s");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CWString, StreamForm) {
    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    CWConstString(u"ab").SaveToStream(writer);
    CWString().SaveToStream(writer);
    CWConstString(u"").SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.GetData()),
                          static_cast<size_t>(bytes.GetSize())),
              std::string("\x06\0\0\0a\0b\0\0\0"
                          "\0\0\0\0"
                          "\0\0\0\0",
                          18));

    CNimbMemoryStream source(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&source);
    CWString first;
    CWString second(u"stale");
    first.LoadFromStream(reader);
    second.LoadFromStream(reader);
    EXPECT_EQ(Units(first), u"ab");
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_EQ(reader.GetErrorCode(), 0);
}

TEST(CWString, LoadingSomethingThatIsNoTextGivesAnEmptyTextAndAnError) {
    const std::string streams[] = {
        std::string("\x03\0\0\0abc", 7),    // odd byte count
        std::string("\x04\0\0\0a\0b\0", 8), // no terminator
        std::string("\x04\0\0\0a\0", 6),    // short
    };
    for (const std::string& stream : streams) {
        CNimbMemoryStream source(stream.data(), static_cast<int64_t>(stream.size()));
        CNimbStreamReader reader(&source);
        CWConstString text(u"literal");
        text.LoadFromStream(reader);
        EXPECT_TRUE(text.IsEmpty());
        EXPECT_EQ(reader.GetErrorCode(), CNimbStream::ReadError);
    }
    CNimbMemoryStream empty(nullptr, 0);
    CNimbStreamReader reader(&empty);
    CWConstString text(u"kept");
    text.LoadFromStream(reader); // not even a count: unchanged
    EXPECT_EQ(Units(text), u"kept");
    EXPECT_EQ(reader.GetErrorCode(), CNimbStream::ReadError);
}
