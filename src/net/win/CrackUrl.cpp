#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <winhttp.h>

namespace rg_nimb_Kovra {

namespace {

void Set(CWString& field, const wchar_t* text, DWORD length) {
    if (text != nullptr && length > 0)
        field.SetTextN(FromWide(text), length);
}

} // namespace

int32_t CrackUrl(const CWString& url, rg_WangLaoURLZuJianXinXiLei_n& parts, uint32_t flags) {
    parts.Reset();
    URL_COMPONENTS components = {};
    components.dwStructSize = sizeof components;
    components.dwSchemeLength = 10;
    components.dwHostNameLength = 256;
    components.dwUserNameLength = flags == ICU_REJECT_USERPWD ? 0 : 256;
    components.dwPasswordLength = flags == ICU_REJECT_USERPWD ? 0 : 256;
    components.dwUrlPathLength = 2048;
    components.dwExtraInfoLength = 2048;
    // Decoding or escaping makes the platform copy the parts into buffers; otherwise it
    // answers with positions inside the URL text.
    wchar_t scheme[10], host[256], user[256], password[256], path[2048], extra[2048];
    if (flags == ICU_DECODE || flags == ICU_ESCAPE) {
        components.lpszScheme = scheme;
        components.lpszHostName = host;
        components.lpszUserName = components.dwUserNameLength != 0 ? user : nullptr;
        components.lpszPassword = components.dwPasswordLength != 0 ? password : nullptr;
        components.lpszUrlPath = path;
        components.lpszExtraInfo = extra;
    }
    const BOOL split =
        ::WinHttpCrackUrl(Wide(url), static_cast<DWORD>(url.GetLength()), flags, &components);
    if (split) {
        Set(parts.Scheme, components.lpszScheme, components.dwSchemeLength);
        parts.SchemeType = components.nScheme;
        Set(parts.Host, components.lpszHostName, components.dwHostNameLength);
        parts.Port = components.nPort;
        Set(parts.UserName, components.lpszUserName, components.dwUserNameLength);
        Set(parts.Password, components.lpszPassword, components.dwPasswordLength);
        Set(parts.Path, components.lpszUrlPath, components.dwUrlPathLength);
        Set(parts.ExtraInfo, components.lpszExtraInfo, components.dwExtraInfoLength);
    }
    return split ? 1 : 0;
}

} // namespace rg_nimb_Kovra
