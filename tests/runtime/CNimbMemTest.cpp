#include "runtime/CNimbMem.h"
#include "TestSupport.h"
#include "runtime/CNimbMemoryStream.h"
#include "runtime/CWString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CNimbMem Bytes(const std::string& bytes) {
    CNimbMem buffer;
    buffer.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return buffer;
}

std::string Content(const CNimbMem& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.GetData()),
                       static_cast<size_t>(buffer.GetSize()));
}

} // namespace

TEST(CNimbMem, SetSizeRoundsUpInStepsAndShrinksOnlyPastOneStep) {
    struct Step {
        int64_t Size;
        int64_t Capacity;
    };
    const struct {
        int64_t StepValue;
        std::vector<Step> Steps;
    } sequences[] = {
        {64, {{1, 64}, {64, 64}, {65, 128}, {0, 0}}},
        {0, {{1, 64}, {63, 64}, {64, 64}, {65, 128}}}, // a step below 1 behaves like 64
        {64, {{600, 640}, {601, 640}, {576, 640}, {575, 576}, {500, 512}}},
        {254, {{8, 254}, {10, 254}, {256, 508}, {254, 508}, {253, 254}}},
        {256, {{8, 256}, {256, 256}, {257, 512}}},
    };
    for (const auto& sequence : sequences) {
        CNimbMem buffer;
        buffer.SetStep(sequence.StepValue);
        for (const Step& step : sequence.Steps) {
            buffer.SetSize(step.Size);
            EXPECT_EQ(buffer.GetSize(), step.Size);
            EXPECT_EQ(buffer.GetCapacity(), step.Capacity)
                << "step " << sequence.StepValue << ", size " << step.Size;
            EXPECT_EQ(buffer.GetData() == nullptr, step.Capacity == 0);
        }
    }
}

TEST(CNimbMem, SetSizeKeepsTheBytesAndIgnoresNegativeSizes) {
    CNimbMem buffer = Bytes("abc");
    const uint8_t* data = buffer.GetData();
    EXPECT_EQ(buffer.SetSize(-1), data);
    EXPECT_EQ(buffer.GetSize(), 3);
    buffer.SetSize(1000);
    EXPECT_EQ(Content(buffer).substr(0, 3), "abc");
}

TEST(CNimbMem, ReplaceRange) {
    const struct {
        const char* Before;
        int64_t Offset, Remove;
        const char* Insert; // null inserts zeros
        int64_t InsertCount;
        std::string After;
    } cases[] = {
        {"abcd", 2, 1, "XY", 2, "abXYd"},
        {"ab", 10, 0, "Z", 1, "abZ"},
        {"abcd", 1, 2, nullptr, 0, "ad"},
        {"abcd", 1, 0, "XY", 2, "aXYbcd"},
        {"abcdef", 1, 3, "Z", 1, "aZef"},
        {"abcd", 2, 10, "X", 1, "abX"},
        {"ab", 1, 0, nullptr, 2, std::string("a\0\0b", 4)},
        {"abcd", 0, 4, "", 0, ""},
        {"abcd", 0, 0, "", 0, "abcd"},
        {"", 0, 0, "new", 3, "new"},
    };
    for (const auto& c : cases) {
        CNimbMem buffer = Bytes(c.Before);
        buffer.ReplaceRange(c.Offset, c.Remove, c.Insert, c.InsertCount);
        EXPECT_EQ(Content(buffer), c.After) << c.Before << " at " << c.Offset;
    }
}

TEST(CNimbMem, RemoveRange) {
    const struct {
        int64_t Offset, Count;
        const char* After;
    } cases[] = {
        {-1, 2, "ab"}, {1, 2, "ad"},   {0, 4, ""},     {-1, 10, ""},
        {2, 10, "ab"}, {1, 0, "abcd"}, {9, 1, "abcd"},
    };
    for (const auto& c : cases) {
        CNimbMem buffer = Bytes("abcd");
        buffer.RemoveRange(c.Offset, c.Count);
        EXPECT_EQ(Content(buffer), c.After) << c.Offset << ", " << c.Count;
        if (*c.After == '\0') {
            EXPECT_EQ(buffer.GetData(), nullptr); // emptied buffers give their storage back
        }
    }
}

TEST(CNimbMem, AppendsMayTakeTheirBytesFromTheBufferItself) {
    CNimbMem buffer = Bytes(std::string(60, 'x') + "tail"); // 64 bytes, capacity 128
    buffer.AppendBytes(buffer.GetData(), 64);               // fits
    buffer.AppendBytes(buffer.GetData() + 124, 4);          // moves the storage
    EXPECT_EQ(Content(buffer), std::string(60, 'x') + "tail" + std::string(60, 'x') + "tailtail");

    CNimbMem digits = Bytes("0123456789");
    digits.ReplaceRange(0, 2, digits.GetData() + 5, 3);
    EXPECT_EQ(Content(digits), "56723456789");

    CNimbMem tail = Bytes("abcd");
    tail.ReplaceRange(0, 0, tail.GetData() + 2, 4); // what lies past the end reads as zeros
    EXPECT_EQ(Content(tail), std::string("cd\0\0abcd", 8));
}

TEST(CNimbMem, AppendHelpers) {
    CNimbMem buffer;
    buffer.AppendWideText(u"ab", false);
    buffer.AppendWideText(nullptr, false);
    buffer.AppendWideText(u"", true);
    buffer.AppendWideText(u"c", true);
    buffer.AppendByteValues({0xFF, 0x00, 0x7F});
    buffer.AppendBytes(nullptr, 2);
    buffer.AppendBytes("ignored", 0);
    EXPECT_EQ(Content(buffer), std::string("a\0b\0\0\0c\0\0\0\xFF\0\x7F\0\0", 15));
}

TEST(CNimbMem, ValueOperations) {
    CNimbMem a = Bytes("bytes");
    a.Tag = 6;
    a.SetStep(16);
    CNimbMem b = Bytes("bytes");
    b.Tag = 6;
    EXPECT_TRUE(a.IsEqual(b)); // steps do not count
    EXPECT_FALSE(a.IsEqual(Bytes("byteS")));

    CNimbMem copy(a);
    EXPECT_EQ(copy.GetStep(), CNimbMem::DefaultStep);
    EXPECT_TRUE(copy.IsEqual(a));

    CNimbMem target;
    target.SetStep(256);
    ASSERT_TRUE(target.AssignFrom(a));
    EXPECT_EQ(target.GetStep(), 256);
    EXPECT_EQ(target.Tag, 6);
    EXPECT_EQ(Content(target), "bytes");

    target.Flags = CNimbObject::NullObject;
    target.Reset();
    EXPECT_EQ(target.GetSize(), 0);
    EXPECT_EQ(target.Flags, 0u);
    EXPECT_EQ(target.Tag, 0);
    EXPECT_EQ(target.GetStep(), 256);
}

TEST(CNimbMem, HexDumpLines) {
    CWString out;
    Bytes("Hello").DumpToText(out, 0);
    EXPECT_EQ(Units(out), u"<字节集> 总共 5 个字节:\r\n[00000000]: 48 65 6C 6C 6F" +
                              std::u16string(33, u' ') + u" | Hello");

    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += static_cast<char>(i == 16 ? 0x7E : i == 17 ? 0x7F : 0x41 + i);
    CWString dump(u"前|"); // the dump appends
    Bytes(twenty).DumpToText(dump, 0);
    EXPECT_EQ(Units(dump),
              u"前|<字节集> 总共 20 个字节:"
              u"\r\n[00000000]: 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 | ABCDEFGHIJKLMNOP"
              u"\r\n[00000010]: 7E 7F 53 54" +
                  std::u16string(36, u' ') + u" | ~.ST");
}

TEST(CNimbMem, HexDumpLimits) {
    const CNimbMem big = Bytes(std::string(2000, '\x01'));
    CWString out;
    big.DumpToText(out, 0);
    EXPECT_EQ(
        out.Find(u"<字节集> 总共 2000 个字节,输出了 1024 个,还有 976 个未被输出.\r\n[00000000]:"),
        0);
    int lines = 0;
    for (int64_t at = out.Find(u"\r\n"); at >= 0; at = out.Find(u"\r\n", at + 1))
        ++lines;
    EXPECT_EQ(lines, 64);
    EXPECT_GE(out.Find(u"\r\n[000003F0]:"), 0);
    EXPECT_LT(out.Find(u"\r\n[00000400]:"), 0);

    CWString all;
    big.DumpToText(all, -1);
    EXPECT_EQ(all.Find(u"<字节集> 总共 2000 个字节:\r\n"), 0);
    EXPECT_LT(all.Find(u"\r\n[000007D0]:"), 0);
    EXPECT_GE(all.Find(u"\r\n[000007C0]: 01 01"), 0);

    CWString three;
    big.DumpToText(three, 3);
    EXPECT_EQ(Units(three), u"<字节集> 总共 2000 个字节,输出了 3 个,还有 1997 个未被输出."
                            u"\r\n[00000000]: 01 01 01" +
                                std::u16string(39, u' ') + u" | ...");

    CWString none;
    CNimbMem().DumpToText(none, 0);
    EXPECT_EQ(Units(none), u"<字节集> 总共 0 个字节:");
}

TEST(CNimbMem, StreamFormIsACountThenTheBytes) {
    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    Bytes("abc").SaveToStream(writer);
    CNimbMem().SaveToStream(writer);
    EXPECT_EQ(Content(sink.GetOutput()), std::string("\x03\0\0\0abc\0\0\0\0", 11));

    const CNimbMem& saved = sink.GetOutput();
    CNimbMemoryStream source(saved.GetData(), saved.GetSize());
    CNimbStreamReader reader(&source);
    CNimbMem first = Bytes("old");
    CNimbMem second = Bytes("old");
    first.LoadFromStream(reader);
    second.LoadFromStream(reader);
    EXPECT_EQ(Content(first), "abc");
    EXPECT_EQ(second.GetSize(), 0);
    EXPECT_EQ(reader.GetErrorCode(), 0);
}

TEST(CNimbMem, BrokenStreamsMarkTheReader) {
    const struct {
        std::string Stream;
        std::string After; // "old" when the buffer is left alone
    } cases[] = {
        {std::string("\x02\0", 2), "old"},           // short count
        {std::string("\xFF\xFF\xFF\xFF", 4), "old"}, // negative count
        {std::string("\x05\0\0\0ab", 6), ""},        // short payload empties
        {std::string("\xFF\xFF\xFF\x7F"
                     "abc",
                     7),
         ""}, // a count the stream cannot back
    };
    for (const auto& c : cases) {
        CNimbMemoryStream source(c.Stream.data(), static_cast<int64_t>(c.Stream.size()));
        CNimbStreamReader reader(&source);
        CNimbMem buffer = Bytes("old");
        buffer.LoadFromStream(reader);
        EXPECT_EQ(reader.GetErrorCode(), CNimbStream::ReadError);
        EXPECT_EQ(Content(buffer), c.After);
        if (c.After.empty()) {
            EXPECT_EQ(buffer.GetData(), nullptr);
        }
    }
}
