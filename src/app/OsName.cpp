#include "app/OsName.h"

#include "runtime/NumberText.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

namespace {

struct Edition {
    const char16_t* Keyword;
    const char16_t* Label;
};

// Searched in this order; the first keyword the name contains decides.
constexpr Edition kEditions[] = {
    {u"Starter", u"(初级版)"},          {u"Basic", u"(家庭普通版)"},
    {u"Home Premium", u"(家庭高级版)"}, {u"Home", u"(家庭版)"},
    {u"Professional", u"(专业版)"},     {u"Mobile Enterprise", u"(企业移动版)"},
    {u"Enterprise", u"(企业版)"},       {u"Ultimate", u"(旗舰版)"},
    {u"Education", u"(教育版)"},        {u"Mobile", u"(移动版)"},
    {u"IoT Core", u"(物联网版)"},
};

// Windows 11 still calls itself Windows 10 in ProductName; only the build tells.
constexpr int64_t kFirstWindows11Build = 22000;

bool Contains(const CWString& text, const char16_t* keyword) {
    return text.Find(keyword, 0, true) >= 0;
}

} // namespace

CWString rg_name_windows(CWString& name, const std::function<CWString()>& readBuildLab) {
    for (const Edition& edition : kEditions) {
        if (Contains(name, edition.Keyword)) {
            name.Append(edition.Label);
            break;
        }
    }

    CWString version;
    if (Contains(name, u"server")) {
        const CWString head = name.Left(20);
        for (const char16_t* p = head.GetText(); *p != 0; ++p) {
            if (*p >= u'0' && *p <= u'9')
                version.AppendChar(*p);
        }
        name.Append(u"(服务器)");
    } else if (Contains(name, u"Windows 7")) {
        version.SetText(u"7");
    } else if (Contains(name, u"Windows 8.1")) {
        version.SetText(u"8.1");
    } else if (Contains(name, u"Windows 8")) {
        version.SetText(u"8");
    } else if (Contains(name, u"Windows 10")) {
        const CWString lab = readBuildLab();
        const int64_t dot = lab.Find(u".");
        const int64_t build = dot < 0 ? 0 : TextToInt64(lab.Left(dot).GetText());
        if (build < kFirstWindows11Build) {
            version.SetText(u"10");
        } else {
            version.SetText(u"11");
            name.ReplaceAllNoCase(u"Windows 10", u"Windows 11");
        }
    }
    return version;
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
