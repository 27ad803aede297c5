#include "app/OsName.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using rg_nimb_JiTongCaoZuoZhiChiKu::rg_name_windows;

TEST(OsName, NamingRules) {
    const struct {
        const char16_t* ProductName;
        const char16_t* BuildLab; // null: not in the registry
        const char16_t* Name;
        const char16_t* Version;
    } cases[] = {
        {u"Windows 7 Ultimate", nullptr, u"Windows 7 Ultimate(旗舰版)", u"7"},
        {u"Windows 7 Home Basic", nullptr, u"Windows 7 Home Basic(家庭普通版)", u"7"},
        {u"Windows 7 Home Premium", nullptr, u"Windows 7 Home Premium(家庭高级版)", u"7"},
        {u"Windows 7 Starter", nullptr, u"Windows 7 Starter(初级版)", u"7"},
        {u"Windows 8.1 Pro", nullptr, u"Windows 8.1 Pro", u"8.1"},
        {u"Windows 8 Enterprise", nullptr, u"Windows 8 Enterprise(企业版)", u"8"},
        {u"Windows 10 Pro", u"19041.vb_release.191206-1406", u"Windows 10 Pro", u"10"},
        {u"Windows 10 Home China", u"19045.vb_release.191206-1406",
         u"Windows 10 Home China(家庭版)", u"10"},
        {u"Windows 10 Pro", u"22621.ni_release.220506-1250", u"Windows 11 Pro", u"11"},
        {u"Windows 10 Enterprise", u"22000.co_release.210604-1628",
         u"Windows 11 Enterprise(企业版)", u"11"},
        {u"Windows 10 IoT Enterprise", u"21999.x", u"Windows 10 IoT Enterprise(企业版)", u"10"},
        {u"Windows 10 Education", u"22000", u"Windows 10 Education(教育版)", u"10"}, // no "."
        {u"Windows 10 Pro", nullptr, u"Windows 10 Pro", u"10"},
        {u"Windows 10 Pro", u"  22631 .x", u"Windows 11 Pro", u"11"},
        {u"Windows 10 IoT Core", u"17763.rs5", u"Windows 10 IoT Core(物联网版)", u"10"},
        {u"Windows 10 Mobile Enterprise", u"15063.x", u"Windows 10 Mobile Enterprise(企业移动版)",
         u"10"},
        {u"Windows 10 Mobile", u"15063.x", u"Windows 10 Mobile(移动版)", u"10"},
        {u"Windows Server 2019 Datacenter", nullptr, u"Windows Server 2019 Datacenter(服务器)",
         u"2019"},
        {u"Windows Server 2008 R2 Enterprise", nullptr,
         u"Windows Server 2008 R2 Enterprise(企业版)(服务器)", u"2008"},
        {u"Windows Server 2022 Standard", u"20348.x", u"Windows Server 2022 Standard(服务器)",
         u"2022"},
        {u"WINDOWS 10 HOME", u"19045.x", u"WINDOWS 10 HOME(家庭版)", u"10"},
        {u"windows 10 pro", u"22631.x", u"Windows 11 pro", u"11"},
        {u"Windows Vista Business", nullptr, u"Windows Vista Business", u""},
        {u"", nullptr, u"", u""},
    };
    for (const auto& c : cases) {
        CWString name(c.ProductName);
        int labReads = 0;
        const CWString version = rg_name_windows(name, [&] {
            ++labReads;
            return CWString(c.BuildLab);
        });
        EXPECT_EQ(Units(name), c.Name);
        EXPECT_EQ(Units(version), c.Version)
            << testing::PrintToString(std::u16string(c.ProductName));
        // BuildLab matters to Windows 10 alone and is read only then.
        EXPECT_EQ(labReads, Units(version) == u"10" || Units(version) == u"11" ? 1 : 0);
    }
}
