#include "net/rg_WangYeFangWenXiangYingLei_n.h"

#include "runtime/Split.h"

namespace rg_nimb_Kovra {

bool rg_WangYeFangWenXiangYingLei_n::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) && this == &other;
}

void rg_WangYeFangWenXiangYingLei_n::LoadFromStream(CNimbStreamReader& reader) {
    Body.LoadFromStream(reader);
    Cookies.LoadFromStream(reader);
    RawHeaders.LoadFromStream(reader);
    RedirectUrls.LoadFromStream(reader);
    reader.ReadExact(&RedirectCount, sizeof RedirectCount);
    reader.ReadExact(&StatusCode, sizeof StatusCode);
    ErrorText.LoadFromStream(reader);
}

void rg_WangYeFangWenXiangYingLei_n::SaveToStream(CNimbStreamWriter& writer) const {
    Body.SaveToStream(writer);
    Cookies.SaveToStream(writer);
    RawHeaders.SaveToStream(writer);
    RedirectUrls.SaveToStream(writer);
    writer.WriteBytes(&RedirectCount, sizeof RedirectCount);
    writer.WriteBytes(&StatusCode, sizeof StatusCode);
    ErrorText.SaveToStream(writer);
}

CWString SetCookieToCookie(const CWString& setCookie) {
    CWString text(setCookie);
    if (text.GetLength() >= 11 && text.StartsWithNoCase(u"Set-Cookie:"))
        text = text.Mid(11, INT64_MAX);
    CMStringArray parts;
    SplitText(text.GetText(), parts, u";", true, true);
    static constexpr const char16_t* kAttributes[] = {u"Domain",  u"Path",     u"Expires",
                                                      u"Max-Age", u"SameSite", u"Priority"};
    CWString cookies;
    for (int64_t i = 0; i < parts.GetCount(); ++i) {
        const CWConstString part(parts.GetAt(i));
        if (part.Find(u"=") < 0)
            continue; // a flag such as Secure or HttpOnly
        bool attribute = false;
        for (const char16_t* name : kAttributes)
            attribute = attribute || part.StartsWithNoCase(name);
        if (attribute)
            continue;
        if (!cookies.IsEmpty())
            cookies.Append(u"; ");
        cookies.Append(part);
    }
    return cookies;
}

} // namespace rg_nimb_Kovra
