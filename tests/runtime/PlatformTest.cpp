#include "runtime/Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::u16string Decode(int64_t (*decode)(const char*, int64_t, char16_t*),
                      const std::string& bytes) {
    std::u16string out(bytes.size(), u'?');
    out.resize(
        static_cast<size_t>(decode(bytes.data(), static_cast<int64_t>(bytes.size()), out.data())));
    return out;
}

} // namespace

TEST(Platform, Utf8DecodesWholeTextsAndReplacesBrokenSequences) {
    EXPECT_EQ(Decode(Platform::Utf8ToUtf16, "ab \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"),
              u"ab 中文 😀");
    EXPECT_EQ(Decode(Platform::Utf8ToUtf16, ""), u"");
    const std::u16string broken = Decode(Platform::Utf8ToUtf16, "a\xE4\xB8"
                                                                "b\xFF"
                                                                "c");
    ASSERT_GE(broken.size(), 5u);
    EXPECT_EQ(broken.front(), u'a');
    EXPECT_EQ(broken.back(), u'c');
    EXPECT_NE(broken.find(u'\uFFFD'), std::u16string::npos);
    EXPECT_EQ(Platform::Utf8ToUtf16(nullptr, 3, nullptr), 0);
}

TEST(Platform, AnsiIsCodePage936OnASimplifiedChineseSystem) {
#ifndef _WIN32
    // The host takes the code page from the locale, as Wine does.
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
#endif
    EXPECT_EQ(Platform::AnsiCodePage(), 936u);
    EXPECT_EQ(Decode(Platform::AnsiToUtf16, "IPv4 \xB5\xD8\xD6\xB7"), u"IPv4 地址");
    EXPECT_EQ(Decode(Platform::AnsiToUtf16, ""), u"");
}

TEST(Platform, HeapBlocksKeepTheirBytesWhenResized) {
    auto* block = static_cast<char*>(Platform::HeapAllocate(4));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abc", 4);
    block = static_cast<char*>(Platform::HeapReallocate(block, 1 << 20));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "abc");
    Platform::HeapFree(block);
    Platform::HeapFree(nullptr);
}
