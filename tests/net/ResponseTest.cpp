#include "TestSupport.h"
#include "net/Utf8Text.h"
#include "net/rg_WangYeFangWenXiangYingLei_n.h"

#include <gtest/gtest.h>

#include <string>

using namespace rg_nimb_Kovra;

TEST(SetCookieToCookie, KeepsOnlyThePairs) {
    const struct {
        const char16_t* SetCookie;
        const char16_t* Cookie;
    } cases[] = {
        {u"id=42; Path=/; HttpOnly", u"id=42"},
        {u"Set-Cookie: a=1; Max-Age=0; Secure", u"a=1"},
        {u"SET-COOKIE:a=1; Domain=example.com", u"a=1"},
        {u"a=1; b=2; expires=Wed, 21 Oct 2015 07:28:00 GMT", u"a=1; b=2"},
        {u"path_id=7", u""},
        {u"token=ab=cd", u"token=ab=cd"},
        {u"HttpOnly", u""},
        {u" ;  ; ", u""},
        {u"", u""},
        {u"s=\"quoted value\"; SameSite=Lax; Priority=High", u"s=\"quoted value\""},
        {u"\u3000x=1\u3000;y=2", u"x=1; y=2"},
        {u"Set-Cookie", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Units(SetCookieToCookie(CWConstString(c.SetCookie))), c.Cookie);
}

TEST(Response, EqualOnlyToItselfAndCopiedWhole) {
    rg_WangYeFangWenXiangYingLei_n a;
    a.Body.AppendBytes("body", 4);
    a.Cookies.SetText(u"a=1\r\n");
    a.RedirectUrls.Texts.AddText(u"http://x/");
    a.RedirectCount = 1;
    a.StatusCode = 200;
    rg_WangYeFangWenXiangYingLei_n b(a);
    EXPECT_FALSE(a.IsEqual(b));
    EXPECT_TRUE(a.IsEqual(a));
    EXPECT_EQ(b.Body.GetSize(), 4);
    EXPECT_EQ(b.RedirectUrls.Texts.GetCount(), 1);
    EXPECT_EQ(b.StatusCode, 200);
    b.Reset();
    EXPECT_EQ(b.Body.GetSize(), 0);
    EXPECT_EQ(b.RedirectCount, 0);
    EXPECT_TRUE(b.Cookies.IsEmpty());
}

TEST(Utf8Text, WholeBuffers) {
    CNimbMem bytes;
    const std::string utf8 = "中文 ok 😀";
    bytes.AppendBytes(utf8.data(), static_cast<int64_t>(utf8.size()));
    CWString text(u"stale");
    EXPECT_EQ(Utf8ToText(bytes, text, true), 8);
    EXPECT_EQ(Units(text), u"中文 ok 😀");
    EXPECT_EQ(Utf8ToText(bytes, text, false), 8);
    const CNimbMem back = TextToUtf8(text, false, true);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.GetData()),
                          static_cast<size_t>(back.GetSize())),
              utf8);
    EXPECT_EQ(TextToUtf8(text, true, true).GetSize(), static_cast<int64_t>(utf8.size()) + 1);
    EXPECT_EQ(TextToUtf8(CWString(), true, false).GetSize(), 0);

    // Broken input: nothing with validation, replacement characters without.
    CNimbMem broken;
    broken.AppendBytes("a\xFF\xC3", 3);
    EXPECT_EQ(Utf8ToText(broken, text, true), 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_GE(Utf8ToText(broken, text, false), 2);
    EXPECT_EQ(text.GetText()[0], u'a');
    EXPECT_EQ(Utf8ToText(CNimbMem(), text, false), 0);

    const char16_t lone[] = {u'x', 0xD800, 0};
    EXPECT_EQ(TextToUtf8(CWConstString(lone), false, true).GetSize(), 0);
    const CNimbMem repaired = TextToUtf8(CWConstString(lone), false, false);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(repaired.GetData()),
                          static_cast<size_t>(repaired.GetSize())),
              "x\xEF\xBF\xBD");
}
