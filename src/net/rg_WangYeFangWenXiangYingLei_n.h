#pragma once
// The record one HTTP request writes everything it learns into, and the reduction of a
// Set-Cookie value to the pairs a later request may send back.

#include "runtime/CNimbMem.h"
#include "runtime/CWString.h"
#include "runtime/rg_WenBenShuZuLei.h"

#include <cstdint>

namespace rg_nimb_Kovra {

class rg_WangYeFangWenXiangYingLei_n : public rg_nimb_base::rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_WangYeFangWenXiangYingLei_n, rg_nimb_base::rg_KuoZhanDuiXiangLei,
                       "rg_nimb_Kovra::rg_WangYeFangWenXiangYingLei_n")

    // An object is equal only to itself.
    bool IsEqual(const CNimbObject& other) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    CNimbMem Body;
    CWString Cookies;    // one CR LF-ended line of pairs per Set-Cookie header seen
    CWString RawHeaders; // the final response's status line and headers
    rg_nimb_base::rg_WenBenShuZuLei RedirectUrls;
    int32_t RedirectCount = 0;
    int32_t StatusCode = 0;
    CWString ErrorText; // the last failure of the request, if any
};

// The name=value pairs of one Set-Cookie value (with or without its header name), joined
// by "; ": attributes without "=" and the Domain, Path, Expires, Max-Age, SameSite and
// Priority attributes are dropped.
CWString SetCookieToCookie(const CWString& setCookie);

} // namespace rg_nimb_Kovra
