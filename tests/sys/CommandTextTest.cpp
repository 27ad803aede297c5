#include "sys/CommandText.h"
#include "TestSupport.h"
#include "runtime/Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace rg_nimb_JiTongCaoZuoZhiChiKu;

namespace {

// The host takes its code page from the locale, as Wine does; under Wine it is 936.
void UseChineseCodePage() {
#ifndef _WIN32
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
#endif
    ASSERT_EQ(Platform::AnsiCodePage(), 936u);
}

CNimbMem Bytes(const std::string& bytes) {
    CNimbMem buffer;
    buffer.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return buffer;
}

CNimbMem Utf16(const std::u16string& text) {
    CNimbMem buffer;
    buffer.AppendBytes(text.data(), static_cast<int64_t>(text.size() * 2));
    return buffer;
}

std::u16string TextOf(const CNimbMem& buffer) {
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.GetData()),
                          static_cast<size_t>(buffer.GetSize() / 2));
}

} // namespace

TEST(CommandText, CommandDirectory) {
    const struct {
        const char16_t* CommandLine;
        const char16_t* Expected;
    } cases[] = {
        {u"\"C:\\Program Files\\x\\y.exe\" -a", u"C:\\Program Files\\x\\"},
        {u"C:\\Windows\\system32\\ipconfig.exe /all", u"C:\\Windows\\system32\\"},
        {u"  \u3000C:\\tools\\run.exe", u"C:\\tools\\"},
        {u"ipconfig", u""},
        {u"\"C:\\unterminated\\x.exe", u""},
        {u"\" C:\\a\\b.exe \" x", u"C:\\a\\"},
        {u"", u""},
        {u"C:\\dir\\\tprog", u"C:\\dir\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(rg_command_directory(CWConstString(c.CommandLine))), c.Expected);
}

TEST(CommandText, AnsiBytesToText) {
    UseChineseCodePage();
    EXPECT_EQ(Units(rg_ansi_bytes_to_text(Bytes("IPv4 \xB5\xD8\xD6\xB7"))), u"IPv4 地址");
    EXPECT_EQ(Units(rg_ansi_bytes_to_text(Bytes(std::string("ab\0cd", 5)))),
              u"ab"); // a zero byte ends it
    EXPECT_TRUE(rg_ansi_bytes_to_text(Bytes(std::string("\0x", 2))).IsEmpty());
    EXPECT_TRUE(rg_ansi_bytes_to_text(CNimbMem()).IsEmpty());
    EXPECT_EQ(Units(rg_ansi_bytes_to_text(Bytes("plain ASCII\r\n"))), u"plain ASCII\r\n");
}

TEST(CommandText, OnlyWholeCharactersCount) {
    UseChineseCodePage();
    const struct {
        std::string Bytes;
        int64_t Whole;
    } cases[] = {
        {"abc", 3}, {"a\xD6", 1}, {"a\xD6\xD0", 3}, {"\xD6\xD0\xCE", 2}, {"", 0}, {"\xD6\x41", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            Platform::AnsiCompleteLength(c.Bytes.data(), static_cast<int64_t>(c.Bytes.size())),
            c.Whole);
}

TEST(CommandText, LongTextsDropWholeLinesFromTheFront) {
    std::u16string lines;
    for (int i = 0; i < 2000; ++i)
        lines += u"line " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                 u" of some length\r\n";
    const size_t lineBytes = (lines.find(u'\n') + 1) * 2;
    CNimbMem text = Utf16(lines);
    rg_drop_leading_lines(text);
    const std::u16string kept = TextOf(text);
    EXPECT_LE(kept.size() * 2, 65535u);
    EXPECT_GT(kept.size() * 2, 65535u - lineBytes);
    EXPECT_EQ(kept.substr(0, 5), u"line ");
    EXPECT_EQ(lines.substr(lines.size() - kept.size()), kept);

    CNimbMem small = Utf16(u"short\r\n");
    rg_drop_leading_lines(small);
    EXPECT_EQ(TextOf(small), u"short\r\n");

    CNimbMem oneLine = Utf16(std::u16string(40000, u'x'));
    rg_drop_leading_lines(oneLine);
    EXPECT_EQ(oneLine.GetSize(), 0);

    // A last line longer than what may be kept stays after the lines before it are gone.
    CNimbMem tail = Utf16(u"a\nb\n" + std::u16string(40000, u'y'));
    rg_drop_leading_lines(tail);
    EXPECT_EQ(TextOf(tail), std::u16string(40000, u'y'));
}
