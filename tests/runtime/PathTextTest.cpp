#include "runtime/PathText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(PathText, CombinePath) {
    const struct {
        const char16_t* Directory;
        const char16_t* Relative;
        const char16_t* Expected;
    } cases[] = {
        {u"C:\\App\\", u"..\\lib\\.\\x.dll", u"C:\\lib\\x.dll"},
        {u"C:\\App\\", u"D:\\y.dll", u"D:\\y.dll"},
        {u"C:\\App\\", u"\\root.dll", u"\\root.dll"},
        {u"C:\\a\\", u"b\\..\\..\\c", u"C:\\c"},
        {u"C:\\", u"..\\x", u"..\\x"},
        {u"C:\\App", u"x.dll", u"C:\\App\\x.dll"},
        {u"C:\\App\\", u".\\.\\x.dll", u"C:\\App\\x.dll"},
        {u"", u"x.dll", u"x.dll"},
        {nullptr, u"x.dll", u"x.dll"},
        {u"C:\\App\\", u"", u"C:\\App\\"},
        {u"C:\\App\\", nullptr, u"C:\\App\\"},
        {u"C:\\a\\b\\", u"..\\..\\..\\..\\x", u"..\\..\\..\\..\\x"},
        {u"C:\\a\\b\\", u"c\\..\\d", u"C:\\a\\b\\d"},
        {u"C:\\程序\\", u"库.dll", u"C:\\程序\\库.dll"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Units(CombinePath(c.Directory, c.Relative)), c.Expected)
            << testing::PrintToString(c.Relative ? std::u16string(c.Relative) : u"null");
    }
    EXPECT_TRUE(IsAbsolutePath(u"C:\\x"));
    EXPECT_TRUE(IsAbsolutePath(u"\\\\server\\share"));
    EXPECT_FALSE(IsAbsolutePath(u"C:x"));
    EXPECT_FALSE(IsAbsolutePath(u"x"));
    EXPECT_FALSE(IsAbsolutePath(nullptr));
}
