#pragma once
// The records of the network library: a URL split into its parts, and proxy settings in
// the shape of the platform's proxy record.

#include "runtime/CNimbStream.h"
#include "runtime/CWString.h"
#include "runtime/rg_KuoZhanDuiXiangLei.h"

#include <cstdint>

namespace rg_nimb_Kovra {

// URL-splitting flags the system passes.
enum : uint32_t {
    rg_url_escape = 0x80000000,         // ICU_ESCAPE: escape unsafe characters
    rg_url_decode = 0x10000000,         // ICU_DECODE: decode escape sequences
    rg_url_reject_userpwd = 0x00004000, // ICU_REJECT_USERPWD
};

// Scheme numbers.
enum : int32_t { rg_scheme_http = 1, rg_scheme_https = 2 };

// A URL in its eight parts.
class rg_WangLaoURLZuJianXinXiLei_n : public rg_nimb_base::rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_WangLaoURLZuJianXinXiLei_n, rg_nimb_base::rg_KuoZhanDuiXiangLei,
                       "rg_nimb_Kovra::rg_WangLaoURLZuJianXinXiLei_n")

    // Every field equal, texts case-sensitive.
    bool IsEqual(const CNimbObject& other) const override;
    // The header and the eight member labels; no values.
    void DumpToText(CWString& out, int32_t limit) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    CWString Scheme;
    int32_t SchemeType = 0; // rg_scheme_http or rg_scheme_https
    CWString Host;
    int32_t Port = 0;
    CWString UserName;
    CWString Password;
    CWString Path;      // from the first "/"
    CWString ExtraInfo; // the query and fragment, from "?" or "#"
};

// Proxy settings: access type, proxy servers, bypass list.
class rg_WangLaoDaiLiXinXiLei_n : public rg_nimb_base::rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_WangLaoDaiLiXinXiLei_n, rg_nimb_base::rg_KuoZhanDuiXiangLei,
                       "rg_nimb_Kovra::rg_WangLaoDaiLiXinXiLei_n")

    rg_WangLaoDaiLiXinXiLei_n() : ProxyBypass(u"<local>") {}

    bool IsEqual(const CNimbObject& other) const override;
    // The header and the three member labels; no values.
    void DumpToText(CWString& out, int32_t limit) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    int32_t AccessType = 0; // 0 default settings, 1 no proxy, 3 named proxy
    CWString ProxyServer;
    CWString ProxyBypass;
};

// Splits `url` into `parts` (reset first, and left reset on failure). Non-zero on
// success. On Windows this is the platform's WinHttpCrackUrl, with its last error set
// on failure; elsewhere the portable splitter.
int32_t CrackUrl(const CWString& url, rg_WangLaoURLZuJianXinXiLei_n& parts, uint32_t flags);

// The platform-free splitter, with WinHttpCrackUrl's part boundaries, scheme numbers,
// default ports and, when the parts are copied (rg_url_escape, rg_url_decode), its length
// limits: scheme 9, host, user name and password 255, path and extra information 2047
// characters.
int32_t CrackUrlPortable(const CWString& url, rg_WangLaoURLZuJianXinXiLei_n& parts, uint32_t flags);

// The absolute URL that `reference` (a redirect's Location, say) names when read against
// the URL split into `base`. A reference that starts with a scheme is absolute and comes
// back unchanged; anything else (a path, "//host/path", "?query", "#fragment", "../x") is
// resolved as RFC 3986 resolves relative references, dot segments removed, with the
// base's scheme and host, and its port where that is not the scheme's default.
CWString ResolveUrlReference(const rg_WangLaoURLZuJianXinXiLei_n& base, const CWString& reference);

} // namespace rg_nimb_Kovra
