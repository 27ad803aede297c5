#include "TestSupport.h"
#include "runtime/CNimbAppInstance.h"
#include "runtime/CNimbMemoryStream.h"
#include "runtime/CNimbObjectArray.h"
#include "runtime/ContainerDump.h"
#include "runtime/NumberText.h"
#include "runtime/Split.h"
#include "runtime/rg_WenBenShuZuLei.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rg_nimb_base;

namespace {

rg_WenBenShuZuLei Texts(std::initializer_list<const char16_t*> texts) {
    rg_WenBenShuZuLei array;
    for (const char16_t* text : texts)
        array.Texts.AddText(text);
    return array;
}

std::vector<std::u16string> Entries(const CMStringArray& texts) {
    std::vector<std::u16string> entries;
    for (int64_t i = 0; i < texts.GetCount(); ++i)
        entries.emplace_back(texts.GetAt(i));
    return entries;
}

template <class T>
std::u16string Dump(const T& object, int32_t limit) {
    CWString out;
    object.DumpToText(out, limit);
    return Units(out);
}

int64_t Lines(const std::u16string& text) {
    int64_t lines = 0;
    for (size_t at = text.find(u"\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n", at + 1))
        ++lines;
    return lines;
}

} // namespace

TEST(EscapeQuoted, EscapesWhatCannotBeShownAsItIs) {
    const struct {
        const char16_t* Text;
        const char16_t* Expected;
    } cases[] = {
        {u"", u"\"\""},
        {u"a\"b", u"\"a\\\"b\""},
        {u"'\\", u"\"\\'\\\\\""},
        {u"\b\t\n\f\r", u"\"\\b\\t\\n\\f\\r\""},
        {u"\u0001\u007F", u"\"\\x01\\x7F\""},
        {u"中文 ok", u"\"中文 ok\""},
#ifdef _WIN32
        {u"\u200B", u"\"\\u200B\""}, // the Windows run-time does not count it as printable
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(EscapeQuoted(CWConstString(c.Text))), c.Expected);
    const char16_t lone[] = {0xD800, 0}; // half a surrogate pair is not printable
    EXPECT_EQ(Units(EscapeQuoted(CWConstString(lone))), u"\"\\uD800\"");
}

TEST(rg_WenBenShuZuLei, DumpQuotesEveryText) {
    EXPECT_EQ(Dump(Texts({u"a\"b", u""}), 0), u"<数组> 总共 2 个成员:\r\n1. \"a\\\"b\"\r\n2. \"\"");
    EXPECT_EQ(Dump(rg_WenBenShuZuLei(), 0), u"<数组> 总共 0 个成员:");
}

TEST(rg_WenBenShuZuLei, ValueOperations) {
    rg_WenBenShuZuLei a = Texts({u"x", nullptr, u"y"});
    const rg_WenBenShuZuLei b = Texts({u"x", u"", u"y"});
    EXPECT_TRUE(a.IsEqual(b)); // a null entry equals an empty text
    EXPECT_FALSE(a.IsEqual(Texts({u"x", u"", u"z"})));
    EXPECT_FALSE(a.IsEqual(Texts({u"x", u""})));

    rg_WenBenShuZuLei copy(a);
    EXPECT_TRUE(copy.IsEqual(a));
    EXPECT_NE(copy.Texts.GetAt(0), a.Texts.GetAt(0)); // deep

    a.Tag = 4;
    ASSERT_TRUE(copy.AssignFrom(a));
    EXPECT_EQ(copy.Tag, 4);
    ASSERT_TRUE(a.AssignFrom(a));
    EXPECT_EQ(Entries(a.Texts), (std::vector<std::u16string>{u"x", u"", u"y"}));
    EXPECT_FALSE(a.AssignFrom(rg_ChangZhengShuShuZuLei()));

    a.Reset();
    EXPECT_EQ(a.Texts.GetCount(), 0);
    EXPECT_EQ(a.Tag, 0);
}

TEST(rg_WenBenShuZuLei, StreamFormIsACountThenTexts) {
    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    Texts({u"ab", u""}).SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    const std::string saved(reinterpret_cast<const char*>(bytes.GetData()),
                            static_cast<size_t>(bytes.GetSize()));
    EXPECT_EQ(saved, std::string("\x02\0\0\0"
                                 "\x06\0\0\0a\0b\0\0\0"
                                 "\0\0\0\0",
                                 18));

    CNimbMemoryStream source(saved.data(), static_cast<int64_t>(saved.size()));
    CNimbStreamReader reader(&source);
    rg_WenBenShuZuLei loaded = Texts({u"old"});
    loaded.LoadFromStream(reader);
    EXPECT_EQ(Entries(loaded.Texts), (std::vector<std::u16string>{u"ab", u""}));

    // A count the stream does not back: the texts read so far stay.
    const std::string cut = std::string("\x09\0\0\0", 4) + saved.substr(4, 10);
    CNimbMemoryStream shortSource(cut.data(), static_cast<int64_t>(cut.size()));
    CNimbStreamReader shortReader(&shortSource);
    loaded.LoadFromStream(shortReader);
    EXPECT_EQ(Entries(loaded.Texts), (std::vector<std::u16string>{u"ab"}));
    EXPECT_EQ(shortReader.GetErrorCode(), CNimbStream::ReadError);
}

TEST(CMStringArray, TextsAreAllocatedAtTheirExactSize) {
    CMStringArray list;
    list.AddText(u"first"); // the entry list itself takes a block
    const auto before = TheNimbAppInstance.Pool.GetStatistics();
    list.AddText(std::u16string(127, u'x').c_str()); // 256 bytes: one block
    const auto middle = TheNimbAppInstance.Pool.GetStatistics();
    list.AddText(std::u16string(128, u'x').c_str()); // 258 bytes: the heap
    const auto after = TheNimbAppInstance.Pool.GetStatistics();
    EXPECT_EQ(before.FreeBlocks - middle.FreeBlocks, 1);
    EXPECT_EQ(middle.HeapAllocations, before.HeapAllocations);
    EXPECT_EQ(middle.FreeBlocks, after.FreeBlocks);
    EXPECT_EQ(after.HeapAllocations - middle.HeapAllocations, 1);
    EXPECT_STREQ(list.ClassRecord().Name, "CMStringArray");
    EXPECT_TRUE(list.IsKindOf(CMStringArray::ClassRecord()));
    EXPECT_FALSE(list.IsKindOf(CNimbObject::ClassRecord()));
}

TEST(rg_ChangZhengShuShuZuLei, DumpsNumberedDecimals) {
    rg_ChangZhengShuShuZuLei three;
    for (int64_t value : {5, -1, 1024})
        three.Add(value);
    EXPECT_EQ(Dump(three, 0), u"<数组> 总共 3 个成员:\r\n1. 5\r\n2. -1\r\n3. 1024");

    rg_ChangZhengShuShuZuLei hundred;
    for (int64_t i = 0; i < 100; ++i)
        hundred.Add(i * 10);
    const std::u16string limited = Dump(hundred, 0);
    EXPECT_EQ(limited.find(u"<数组> 总共 100 个成员,输出了 64 个,还有 36 个未被输出.\r\n1. 0\r\n"),
              0u);
    EXPECT_EQ(Lines(limited), 64);
    EXPECT_NE(limited.find(u"\r\n64. 630"), std::u16string::npos);
    for (int32_t limit : {-1, 100}) {
        const std::u16string all = Dump(hundred, limit);
        EXPECT_EQ(all.find(u"<数组> 总共 100 个成员:\r\n"), 0u);
        EXPECT_EQ(Lines(all), 100);
        EXPECT_EQ(all.substr(all.size() - 10), u"\r\n100. 990");
    }
    EXPECT_EQ(Lines(Dump(hundred, 7)), 7);
}

TEST(rg_ChangZhengShuShuZuLei, EqualityIncludesTheBuffersOwnFlagsAndTag) {
    rg_ChangZhengShuShuZuLei a;
    rg_ChangZhengShuShuZuLei b;
    a.Add(1);
    b.Add(1);
    EXPECT_TRUE(a.IsEqual(b));
    b.Values.Tag = 1;
    EXPECT_FALSE(a.IsEqual(b));
    ASSERT_TRUE(a.AssignFrom(b)); // CopyFrom takes the buffer's Tag along
    EXPECT_TRUE(a.IsEqual(b));
    EXPECT_EQ(a.Values.GetStep(), 256);
    a.Add(2);
    EXPECT_FALSE(a.IsEqual(b));
    EXPECT_EQ(a.GetAt(1), 2);

    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    a.SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    CNimbMemoryStream source(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&source);
    rg_ChangZhengShuShuZuLei loaded;
    loaded.LoadFromStream(reader);
    EXPECT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetAt(0), 1);
}

TEST(CNimbObjectArray, MembersAreComparedInOrderAndCopiedDeeply) {
    CNimbObjectArray a;
    a.Add(new CWString(u"one"));
    a.Add(new CWString(u"two"));
    EXPECT_FALSE(a.Add(nullptr));
    CNimbObjectArray same;
    same.Add(new CWString(u"one"));
    same.Add(new CWString(u"two"));
    CNimbObjectArray swapped;
    swapped.Add(new CWString(u"two"));
    swapped.Add(new CWString(u"one"));
    EXPECT_TRUE(a.IsEqual(same));
    EXPECT_FALSE(a.IsEqual(swapped));

    auto* clone = static_cast<CNimbObjectArray*>(a.Clone());
    ASSERT_EQ(clone->GetCount(), 2);
    EXPECT_NE(clone->GetAt(0), a.GetAt(0));
    EXPECT_TRUE(clone->GetAt(0)->IsEqual(*a.GetAt(0)));
    CNimbObject::DeleteObject(clone);
    EXPECT_EQ(Units(*static_cast<CWString*>(a.GetAt(0))), u"one");

    ASSERT_TRUE(a.AssignFrom(a));
    EXPECT_EQ(a.GetCount(), 2);
    ASSERT_TRUE(swapped.AssignFrom(a));
    EXPECT_TRUE(swapped.IsEqual(a));
    swapped.Reset();
    EXPECT_EQ(swapped.GetCount(), 0);
}

TEST(CNimbObjectArray, DumpShowsEveryMembersClassAddressAndDump) {
    CNimbObjectArray array;
    auto* text = new CWString(u"hi");
    auto* inner = new rg_ChangZhengShuShuZuLei();
    for (int64_t i = 0; i < 3; ++i)
        inner->Add(i);
    inner->SetNullObject(true);
    array.Add(text);
    array.Add(inner);
    CWString expected;
    expected.Format(u"<数组> 总共 2 个成员:"
                    u"\r\n1. 对象输出类名: \"CWString\", 地址: 0x%I64X, 内容:\r\nhi"
                    u"\r\n2. 对象输出类名: \"rg_nimb_base::rg_ChangZhengShuShuZuLei\", 地址: "
                    u"0x%I64X, 为空对象, 内容:\r\n"
                    u"<数组> 总共 3 个成员,输出了 2 个,还有 1 个未被输出.\r\n1. 0\r\n2. 1",
                    reinterpret_cast<uintptr_t>(text), reinterpret_cast<uintptr_t>(inner));
    EXPECT_EQ(Dump(array, 2), Units(expected)); // the limit reaches the members too
}

TEST(SplitText, Pieces) {
    const struct {
        const char16_t* Text;
        const char16_t* Separators;
        bool Trim, SkipEmpty;
        std::vector<std::u16string> Expected;
    } cases[] = {
        {u"a,,b", u",", false, false, {u"a", u"", u"b"}},
        {u"a,b,", u",", false, false, {u"a", u"b", u""}},
        {u"", u",", false, false, {}},
        {nullptr, u",", false, false, {}},
        {u"a,,b,", u",", false, true, {u"a", u"b"}},
        {u"a;b", u";", true, true, {u"a", u"b"}},
        {u";", u";", false, false, {u"", u""}},
        {u" a , b ", u",", true, false, {u"a", u"b"}},
        {u" a ,  , b", u",", false, true, {u" a ", u" b"}},
        {u"x\r\ny\nz", u"\r\n", false, true, {u"x", u"y", u"z"}},
        {u"\u3000a\u3000", u",", true, false, {u"a"}},
        {u"no separator", nullptr, false, false, {u"no separator"}},
    };
    for (const auto& c : cases) {
        CMStringArray out;
        out.AddText(u"stale");
        EXPECT_EQ(SplitText(c.Text, out, c.Separators, c.Trim, c.SkipEmpty),
                  static_cast<int64_t>(c.Expected.size()));
        EXPECT_EQ(Entries(out), c.Expected)
            << testing::PrintToString(c.Text ? std::u16string(c.Text) : u"null");
    }
}

TEST(SplitBytes, Pieces) {
    const struct {
        std::string Source;
        std::string Separator;
        std::vector<std::string> Expected;
    } cases[] = {
        {std::string("A\0B\0", 4), std::string("\0", 1), {"A", "B", ""}},
        {"", ",", {""}},
        {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
        {"aaa", "aa", {"", "a"}},
        {"abc", "abcd", {"abc"}},
        {",x", ",", {"", "x"}},
    };
    for (const auto& c : cases) {
        CNimbMem source;
        source.AppendBytes(c.Source.data(), static_cast<int64_t>(c.Source.size()));
        CNimbObjectArray out;
        EXPECT_EQ(
            SplitBytes(source, c.Separator.data(), static_cast<int64_t>(c.Separator.size()), out),
            static_cast<int64_t>(c.Expected.size()));
        std::vector<std::string> pieces;
        for (int64_t i = 0; i < out.GetCount(); ++i) {
            const auto* piece = static_cast<const CNimbMem*>(out.GetAt(i));
            EXPECT_TRUE(piece->IsKindOf(CNimbMem::ClassRecord()));
            pieces.emplace_back(reinterpret_cast<const char*>(piece->GetData()),
                                static_cast<size_t>(piece->GetSize()));
        }
        EXPECT_EQ(pieces, c.Expected);
    }
    CNimbMem source;
    CNimbObjectArray out;
    out.Add(new CNimbMem());
    EXPECT_EQ(SplitBytes(source, ",", 0, out), 0);
    EXPECT_EQ(out.GetCount(), 0);
}
