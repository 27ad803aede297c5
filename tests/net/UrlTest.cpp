#include "TestSupport.h"
#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"
#include "runtime/CNimbMemoryStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace rg_nimb_Kovra;

namespace {

struct UrlCase {
    std::u16string Url;
    uint32_t Flags = 0;
    bool Splits = false;
    const char16_t* Scheme = u"";
    int32_t SchemeType = 0;
    std::u16string Host = u"";
    int32_t Port = 0;
    const char16_t* User = u"";
    const char16_t* Password = u"";
    std::u16string Path = u"";
    const char16_t* Extra = u"";
};

// URLs on which every splitter of the system agrees: the platform's, Wine's, and the
// portable one.
std::vector<UrlCase> Table() {
    return {
        {u"https://example.com:8443/a/b.html?x=1&y=2#frag", 0, true, u"https", 2, u"example.com",
         8443, u"", u"", u"/a/b.html", u"?x=1&y=2#frag"},
        {u"http://host", 0, true, u"http", 1, u"host", 80, u"", u"", u"", u""},
        {u"https://host", 0, true, u"https", 2, u"host", 443, u"", u"", u"", u""},
        {u"http://host/", 0, true, u"http", 1, u"host", 80, u"", u"", u"/", u""},
        {u"http://user:pw@host:81/p?q", 0, true, u"http", 1, u"host", 81, u"user", u"pw", u"/p",
         u"?q"},
        {u"http://user@host/p", 0, true, u"http", 1, u"host", 80, u"user", u"", u"/p", u""},
        {u"HTTP://Host.Example/P", 0, true, u"HTTP", 1, u"Host.Example", 80, u"", u"", u"/P", u""},
        {u"http://host:8080", 0, true, u"http", 1, u"host", 8080, u"", u"", u"", u""},
        {u"http://host:/x", 0, true, u"http", 1, u"host", 80, u"", u"", u"/x", u""},
        {u"http://host:65535/", 0, true, u"http", 1, u"host", 65535, u"", u"", u"/", u""},
        {u"http://a@b@c/x", 0, true, u"http", 1, u"b@c", 80, u"a", u"", u"/x", u""},
        {u"http://127.0.0.1:8081/get?x", 0, true, u"http", 1, u"127.0.0.1", 8081, u"", u"", u"/get",
         u"?x"},
        {u"https://host/a b?c d", rg_url_escape, true, u"https", 2, u"host", 443, u"", u"",
         u"/a%20b", u"?c%20d"},
        {u"https://h/p?q?r#s#t", rg_url_escape, true, u"https", 2, u"h", 443, u"", u"", u"/p",
         u"?q?r%23s%23t"},
        {u"http://host/%41%20", rg_url_escape, true, u"http", 1, u"host", 80, u"", u"",
         u"/%2541%2520", u""},
        {u"http://host/%41%20b", rg_url_decode, true, u"http", 1, u"host", 80, u"", u"", u"/A b",
         u""},
        {u"http://" + std::u16string(255, u'h') + u"/x", rg_url_escape, true, u"http", 1,
         std::u16string(255, u'h'), 80, u"", u"", u"/x", u""},
        {u"http://h/" + std::u16string(2046, u'p'), rg_url_escape, true, u"http", 1, u"h", 80, u"",
         u"", u"/" + std::u16string(2046, u'p'), u""},
        {u"http://" + std::u16string(256, u'h') + u"/x", rg_url_escape, false},
        {u"http://h/" + std::u16string(2047, u'p'), rg_url_escape, false},
        {u"http://" + std::u16string(300, u'h') + u"/x", 0, true, u"http", 1,
         std::u16string(300, u'h'), 80, u"", u"", u"/x", u""},
        {u"ftp://host/x", 0, false},
        {u"host/path", 0, false},
        {u"http:/host", 0, false},
        {u"http://", 0, false},
        {u"http://host:99999/x", 0, false},
        {u"http://host:65536/", 0, false},
        {u"", 0, false},
    };
}

} // namespace

TEST(CrackUrl, SplitsIntoEightParts) {
    for (const UrlCase& c : Table()) {
        rg_WangLaoURLZuJianXinXiLei_n parts;
        parts.Host.SetText(u"stale");
        const int32_t result = CrackUrl(CWString(c.Url.c_str()), parts, c.Flags);
        const std::string url = testing::PrintToString(c.Url.substr(0, 60));
        EXPECT_EQ(result != 0, c.Splits) << url;
        if (!c.Splits) {
            EXPECT_TRUE(parts.IsEqual(rg_WangLaoURLZuJianXinXiLei_n()))
                << url; // left in its initial state
            continue;
        }
        EXPECT_EQ(Units(parts.Scheme), c.Scheme) << url;
        EXPECT_EQ(parts.SchemeType, c.SchemeType) << url;
        EXPECT_EQ(Units(parts.Host), c.Host) << url;
        EXPECT_EQ(parts.Port, c.Port) << url;
        EXPECT_EQ(Units(parts.UserName), c.User) << url;
        EXPECT_EQ(Units(parts.Password), c.Password) << url;
        EXPECT_EQ(Units(parts.Path), c.Path) << url;
        EXPECT_EQ(Units(parts.ExtraInfo), c.Extra) << url;
    }
}

#ifdef _WIN32
TEST(CrackUrl, ThePortableSplitterAgreesWithWinHttp) {
    for (const UrlCase& c : Table()) {
        rg_WangLaoURLZuJianXinXiLei_n platform;
        rg_WangLaoURLZuJianXinXiLei_n portable;
        const CWString url(c.Url.c_str());
        EXPECT_EQ(CrackUrl(url, platform, c.Flags), CrackUrlPortable(url, portable, c.Flags));
        EXPECT_TRUE(platform.IsEqual(portable)) << testing::PrintToString(c.Url.substr(0, 60));
    }
}
#else
TEST(CrackUrl, ThePortableSplitterEndsTheHostAtAQueryOrFragment) {
    rg_WangLaoURLZuJianXinXiLei_n parts;
    ASSERT_TRUE(CrackUrl(CWConstString(u"http://host?x=1"), parts, 0));
    EXPECT_EQ(Units(parts.Host), u"host");
    EXPECT_EQ(Units(parts.ExtraInfo), u"?x=1");
    ASSERT_TRUE(CrackUrl(CWConstString(u"http://[::1]:8080/p#f"), parts, 0));
    EXPECT_EQ(Units(parts.Host), u"[::1]");
    EXPECT_EQ(parts.Port, 8080);
    EXPECT_EQ(Units(parts.Path), u"/p");
    EXPECT_EQ(Units(parts.ExtraInfo), u"#f");
    EXPECT_FALSE(CrackUrl(CWConstString(u"http://host:8o/"), parts, 0));
    EXPECT_FALSE(CrackUrl(CWConstString(u"http://u:p@host/"), parts, rg_url_reject_userpwd));
}
#endif

// The reference resolution examples of RFC 3986, section 5.4, and the redirects the
// client meets: a relative location is resolved whatever it carries in its query.
TEST(ResolveUrlReference, RelativeReferencesAgainstABase) {
    const struct {
        const char16_t* Base;
        const char16_t* Reference;
        const char16_t* Expected;
    } cases[] = {
        {u"http://a/b/c/d;p?q", u"g:h", u"g:h"},
        {u"http://a/b/c/d;p?q", u"g", u"http://a/b/c/g"},
        {u"http://a/b/c/d;p?q", u"./g", u"http://a/b/c/g"},
        {u"http://a/b/c/d;p?q", u"g/", u"http://a/b/c/g/"},
        {u"http://a/b/c/d;p?q", u"/g", u"http://a/g"},
        {u"http://a/b/c/d;p?q", u"//g", u"http://g"},
        {u"http://a/b/c/d;p?q", u"?y", u"http://a/b/c/d;p?y"},
        {u"http://a/b/c/d;p?q", u"g?y", u"http://a/b/c/g?y"},
        {u"http://a/b/c/d;p?q", u"#s", u"http://a/b/c/d;p?q#s"},
        {u"http://a/b/c/d;p?q", u"g?y#s", u"http://a/b/c/g?y#s"},
        {u"http://a/b/c/d;p?q", u";x", u"http://a/b/c/;x"},
        {u"http://a/b/c/d;p?q", u"", u"http://a/b/c/d;p?q"},
        {u"http://a/b/c/d;p?q", u".", u"http://a/b/c/"},
        {u"http://a/b/c/d;p?q", u"..", u"http://a/b/"},
        {u"http://a/b/c/d;p?q", u"../g", u"http://a/b/g"},
        {u"http://a/b/c/d;p?q", u"../..", u"http://a/"},
        {u"http://a/b/c/d;p?q", u"../../g", u"http://a/g"},
        {u"http://a/b/c/d;p?q", u"../../../../g", u"http://a/g"},
        {u"http://a/b/c/d;p?q", u"/./g", u"http://a/g"},
        {u"http://a/b/c/d;p?q", u"/../g", u"http://a/g"},
        {u"http://a/b/c/d;p?q", u"g.", u"http://a/b/c/g."},
        {u"http://a/b/c/d;p?q", u"..g", u"http://a/b/c/..g"},
        {u"http://a/b/c/d;p?q", u"./g/.", u"http://a/b/c/g/"},
        {u"http://a/b/c/d;p?q", u"g;x=1/../y", u"http://a/b/c/y"},
        {u"http://a/b/c/d;p?q", u"g?y/../x", u"http://a/b/c/g?y/../x"},
        {u"http://a/b/c/d;p?q", u"g#s/../x", u"http://a/b/c/g#s/../x"},
        {u"http://a/b/c/d;p?q", u"http:g", u"http:g"},
        {u"http://127.0.0.1:8080/start", u"/final?next=http://127.0.0.1/x",
         u"http://127.0.0.1:8080/final?next=http://127.0.0.1/x"},
        {u"https://example.com:443/a/b", u"c#top", u"https://example.com/a/c#top"},
        {u"https://example.com:8443/a", u"//other.example/p", u"https://other.example/p"},
        {u"http://example.com", u"x", u"http://example.com/x"},
        {u"http://example.com/a", u"HTTPS://secure.example/", u"HTTPS://secure.example/"},
    };
    for (const auto& c : cases) {
        rg_WangLaoURLZuJianXinXiLei_n base;
        ASSERT_TRUE(CrackUrl(CWConstString(c.Base), base, 0)) << Utf8(c.Base);
        EXPECT_EQ(Units(ResolveUrlReference(base, CWConstString(c.Reference))), c.Expected)
            << Utf8(c.Base) << " + " << Utf8(c.Reference);
    }
}

TEST(UrlRecords, DumpsEqualityAndStreams) {
    rg_WangLaoURLZuJianXinXiLei_n parts;
    ASSERT_TRUE(CrackUrl(CWConstString(u"https://u:p@example.com:8443/a?b"), parts, 0));
    CWString out(u"stale");
    parts.DumpToText(out, 5);
    EXPECT_EQ(Units(out), u"<网络URL组件信息类_> 总共 8 个成员:\r\n1.协议: \r\n2.协议类型: "
                          u"\r\n3.域名: \r\n4.端口: \r\n"
                          u"5.用户名: \r\n6.密码: \r\n7.路径: \r\n8.附加信息: \r\n");

    rg_WangLaoURLZuJianXinXiLei_n copy(parts);
    EXPECT_TRUE(copy.IsEqual(parts));
    copy.Port = 1;
    EXPECT_FALSE(copy.IsEqual(parts));

    CNimbMemoryStream sink;
    CNimbStreamWriter writer(&sink);
    parts.SaveToStream(writer);
    const CNimbMem& bytes = sink.GetOutput();
    CNimbMemoryStream source(bytes.GetData(), bytes.GetSize());
    CNimbStreamReader reader(&source);
    rg_WangLaoURLZuJianXinXiLei_n loaded;
    loaded.LoadFromStream(reader);
    EXPECT_TRUE(loaded.IsEqual(parts));

    rg_WangLaoDaiLiXinXiLei_n proxy;
    EXPECT_EQ(proxy.AccessType, 0);
    EXPECT_TRUE(proxy.ProxyServer.IsEmpty());
    EXPECT_EQ(Units(proxy.ProxyBypass), u"<local>");
    proxy.DumpToText(out, 0);
    EXPECT_EQ(Units(out), u"<网络代理信息类_> 总共 3 个成员:\r\n1.访问类型: \r\n2.代理服务器: "
                          u"\r\n3.代理跳过列表: \r\n");
    rg_WangLaoDaiLiXinXiLei_n other;
    other.ProxyBypass.SetText(u"<LOCAL>");
    EXPECT_FALSE(proxy.IsEqual(other));
    other.Reset();
    EXPECT_TRUE(proxy.IsEqual(other));
}
