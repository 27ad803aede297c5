#include "net/win/rg_WangLaoFangWenLei_n.h"

#include "net/Utf8Text.h"
#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"
#include "runtime/CNimbBaseDataType.h"
#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <winhttp.h>

#include <algorithm>

namespace rg_nimb_Kovra {

const CWString DefaultUserAgent(
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    u"Chrome/102.0.5005.124 Safari/537.36 Edg/102.0.1245.41");

namespace {

constexpr int64_t kChunk = 1048576;
// Not in every SDK's winhttp.h.
constexpr DWORD kOptionTcpFastOpen = 153;

// Empty texts pass to WinHTTP as nothing.
const wchar_t* WideOrNull(const CWString& text) {
    return text.IsEmpty() ? nullptr : Wide(text);
}

void SetNumber(HINTERNET handle, DWORD option, DWORD value) {
    ::WinHttpSetOption(handle, option, &value, sizeof value);
}

void AddHeader(HINTERNET request, const CWString& header) {
    ::WinHttpAddRequestHeaders(request, Wide(header), static_cast<DWORD>(header.GetLength()),
                               WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
}

BOOL AddHeaderLines(HINTERNET request, std::initializer_list<const char16_t*> lines) {
    CWString block;
    for (const char16_t* line : lines) {
        block.Append(line);
        block.Append(u"\r\n");
    }
    block.TrimRight();
    return ::WinHttpAddRequestHeaders(request, Wide(block), static_cast<DWORD>(block.GetLength()),
                                      WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
}

// After a failed query at index > 0 that found no such header, the index becomes -1.
void MarkNotFound(rg_nimb_base::rg_ZhengShuLei& index) {
    if (index.Value > 0 && ::GetLastError() == ERROR_WINHTTP_HEADER_NOT_FOUND)
        index.Value = -1;
}

int32_t QueryHeaderText(HINTERNET request, DWORD level, CWString& text,
                        rg_nimb_base::rg_ZhengShuLei& index) {
    text.Clear();
    DWORD size = 0;
    DWORD position = static_cast<DWORD>(index.Value);
    ::WinHttpQueryHeaders(request, level, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size, &position);
    if (size == 0) {
        MarkNotFound(index);
        return 0;
    }
    CNimbMem buffer;
    buffer.SetSize(size + sizeof(wchar_t));
    position = static_cast<DWORD>(index.Value);
    const BOOL found = ::WinHttpQueryHeaders(request, level, WINHTTP_HEADER_NAME_BY_INDEX,
                                             buffer.GetData(), &size, &position);
    if (found) {
        index.Value = static_cast<int32_t>(position);
        if (size != 0)
            text.SetTextN(reinterpret_cast<const char16_t*>(buffer.GetData()),
                          size / sizeof(wchar_t));
    }
    return found ? 1 : 0;
}

int32_t QueryHeaderNumber(HINTERNET request, DWORD level, rg_nimb_base::rg_ZhengShuLei& index) {
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD position = static_cast<DWORD>(index.Value);
    if (!::WinHttpQueryHeaders(request, level | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &value, &size, &position)) {
        MarkNotFound(index);
        return 0;
    }
    index.Value = static_cast<int32_t>(position);
    return static_cast<int32_t>(value);
}

// One CR LF-ended line of cookie pairs per Set-Cookie header of the current response.
void CollectCookies(HINTERNET request, CWString& cookies) {
    rg_nimb_base::rg_ZhengShuLei index(0);
    CWString value;
    while (QueryHeaderText(request, WINHTTP_QUERY_SET_COOKIE, value, index)) {
        cookies.Append(SetCookieToCookie(value));
        cookies.Append(u"\r\n");
    }
}

void Fail(rg_WangYeFangWenXiangYingLei_n& response, const char16_t* prefix) {
    response.ErrorText =
        CWString::Concat(CWConstString(prefix), rg_WangLaoFangWenLei_n::LastErrorText());
}

const char16_t* const kVerbs[] = {u"GET",     u"POST",  u"HEAD",    u"PUT",  u"DELETE",
                                  u"OPTIONS", u"TRACE", u"CONNECT", u"PATCH"};

// Reads a body of announced length into `body`, in chunks of 1 MiB, growing the buffer
// with what actually arrives: the length is the server's claim, and a short body must
// neither be padded with zeros nor allocated in full up front.
void ReadAnnouncedBody(HINTERNET request, int64_t announced, DWORD deadline,
                       rg_WangYeFangWenXiangYingLei_n& response) {
    CNimbMem& body = response.Body;
    body.SetSize(0);
    body.SetStep(kChunk);
    int64_t filled = 0;
    while (filled < announced) {
        if (filled >= rg_WangLaoFangWenLei_n::MaxBodySize) {
            ::SetLastError(ERROR_FILE_TOO_LARGE);
            Fail(response, u"接收数据失败：");
            return;
        }
        const int64_t chunk = std::min(kChunk, announced - filled);
        uint8_t* data = body.SetSize(filled + chunk);
        int64_t got = 0;
        while (got < chunk) {
            DWORD read = 0;
            if (!::WinHttpReadData(request, data + filled + got, static_cast<DWORD>(chunk - got),
                                   &read)) {
                body.SetSize(filled + got);
                Fail(response, chunk == kChunk ? u"接收数据失败：" : u"接收数据失败： ");
                return;
            }
            if (read == 0)
                break;
            got += read;
            if (deadline != 0 && static_cast<int32_t>(::GetTickCount() - deadline) > 0) {
                body.SetSize(filled + got);
                ::SetLastError(ERROR_WINHTTP_TIMEOUT);
                Fail(response, u"接收数据失败：");
                return;
            }
        }
        filled += got;
        if (got < chunk) {
            body.SetSize(filled);
            // The connection ended before the announced length.
            ::SetLastError(ERROR_WINHTTP_INVALID_SERVER_RESPONSE);
            Fail(response, u"接收数据失败：");
            return;
        }
    }
}

// Reads a body of unknown length by the amounts WinHTTP reports available.
void ReadUnannouncedBody(HINTERNET request, DWORD deadline,
                         rg_WangYeFangWenXiangYingLei_n& response) {
    CNimbMem& body = response.Body;
    body.SetStep(kChunk);
    CNimbMem block;
    for (;;) {
        DWORD available = 0;
        if (!::WinHttpQueryDataAvailable(request, &available)) {
            Fail(response, u"取可用数据量失败：");
            return;
        }
        uint8_t* data = block.SetSize(available);
        DWORD read = 0;
        if (!::WinHttpReadData(request, data, available, &read)) {
            Fail(response, u"接收数据失败：");
            return;
        }
        if (read == 0)
            return;
        // Only what was read: a short read must not append stale bytes.
        body.AppendBytes(data, read);
        if (body.GetSize() >= rg_WangLaoFangWenLei_n::MaxBodySize) {
            ::SetLastError(ERROR_FILE_TOO_LARGE);
            Fail(response, u"接收数据失败：");
            return;
        }
        if (deadline != 0 && static_cast<int32_t>(::GetTickCount() - deadline) > 0) {
            ::SetLastError(ERROR_WINHTTP_TIMEOUT);
            Fail(response, u"接收数据失败：");
            return;
        }
    }
}

} // namespace

rg_WangLaoFangWenLei_n::rg_WangLaoFangWenLei_n() : ProxyBypass(u"<local>") {}

rg_WangLaoFangWenLei_n::rg_WangLaoFangWenLei_n(const rg_WangLaoFangWenLei_n& other)
    : CNimbObject(other), UserAgent(other.UserAgent), AccessType(other.AccessType),
      ProxyServer(other.ProxyServer), ProxyBypass(other.ProxyBypass), EscapeUrl(other.EscapeUrl),
      CookiesEnabled(other.CookiesEnabled) {}

rg_WangLaoFangWenLei_n& rg_WangLaoFangWenLei_n::operator=(const rg_WangLaoFangWenLei_n& other) {
    if (&other != this) {
        CNimbObject::operator=(other);
        UserAgent = other.UserAgent;
        AccessType = other.AccessType;
        ProxyServer = other.ProxyServer;
        ProxyBypass = other.ProxyBypass;
        EscapeUrl = other.EscapeUrl;
        CookiesEnabled = other.CookiesEnabled;
        // This object's session, if any, stays its own.
    }
    return *this;
}

rg_WangLaoFangWenLei_n::~rg_WangLaoFangWenLei_n() {
    if (Session != nullptr)
        ::WinHttpCloseHandle(Session);
}

bool rg_WangLaoFangWenLei_n::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& network = static_cast<const rg_WangLaoFangWenLei_n&>(other);
    return UserAgent.HasSameText(network.UserAgent) && AccessType == network.AccessType &&
           ProxyServer.HasSameText(network.ProxyServer) &&
           ProxyBypass.HasSameText(network.ProxyBypass) && EscapeUrl == network.EscapeUrl &&
           CookiesEnabled == network.CookiesEnabled && Session == network.Session;
}

void rg_WangLaoFangWenLei_n::LoadFromStream(CNimbStreamReader& reader) {
    UserAgent.LoadFromStream(reader);
    reader.ReadExact(&AccessType, sizeof AccessType);
    ProxyServer.LoadFromStream(reader);
    ProxyBypass.LoadFromStream(reader);
    reader.ReadExact(&EscapeUrl, sizeof EscapeUrl);
    reader.ReadExact(&CookiesEnabled, sizeof CookiesEnabled);
    uint64_t session = 0;
    reader.ReadExact(&session, sizeof session);
}

void rg_WangLaoFangWenLei_n::SaveToStream(CNimbStreamWriter& writer) const {
    UserAgent.SaveToStream(writer);
    writer.WriteBytes(&AccessType, sizeof AccessType);
    ProxyServer.SaveToStream(writer);
    ProxyBypass.SaveToStream(writer);
    writer.WriteBytes(&EscapeUrl, sizeof EscapeUrl);
    writer.WriteBytes(&CookiesEnabled, sizeof CookiesEnabled);
    const uint64_t session = reinterpret_cast<uintptr_t>(Session);
    writer.WriteBytes(&session, sizeof session);
}

int32_t rg_WangLaoFangWenLei_n::OpenSession() {
    if (Session != nullptr)
        return 1;
    const bool named = AccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY;
    const wchar_t* agent = UserAgent.IsNullObject()
                               ? nullptr
                               : Wide(UserAgent.IsEmpty() ? DefaultUserAgent : UserAgent);
    HINTERNET session =
        ::WinHttpOpen(agent, static_cast<DWORD>(AccessType), named ? Wide(ProxyServer) : nullptr,
                      named ? Wide(ProxyBypass) : nullptr, 0);
    if (session == nullptr)
        return 0;
    SetNumber(session, WINHTTP_OPTION_IPV6_FAST_FALLBACK, 1);
    SetNumber(session, kOptionTcpFastOpen, 1);
    ::WinHttpSetTimeouts(session, 5000, 2000, 30000, 30000);
    Session = session;
    return 1;
}

CWString rg_WangLaoFangWenLei_n::LastErrorText() {
    const DWORD code = ::GetLastError();
    wchar_t* message = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    CWString text;
    if (length != 0 && message != nullptr) {
        text.Format(u"错误(%u): %s", static_cast<uint32_t>(code), FromWide(message));
        ::LocalFree(message);
    }
    return text;
}

namespace {

// What one request sends, whichever URL it is sent to.
struct Outgoing {
    CWString Verb;
    CNimbMem Body;
    const CWString& Headers;
    const CWString& CookieText;
    const CWString& Proxy;
    const CWString& ProxyUser;
    const CWString& ProxyPassword;
    const CWString& ProxyBypass;
    int32_t TimeoutMs;
    int32_t IgnoreCertErrors;
    const CWString& AcceptEncoding;
    int32_t CookiesEnabled;
    uint32_t CrackFlags;
};

// The handles of one request to one URL.
struct Exchange {
    HINTERNET Connection = nullptr;
    HINTERNET Request = nullptr;
    rg_WangLaoURLZuJianXinXiLei_n Parts;

    Exchange() = default;
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;
    ~Exchange() { Close(); }
    void Close() {
        if (Request != nullptr)
            ::WinHttpCloseHandle(Request);
        if (Connection != nullptr)
            ::WinHttpCloseHandle(Connection);
        Request = Connection = nullptr;
    }
};

// Splits the URL, connects and opens the request with every option and header line;
// false with the failure in the response's ErrorText.
bool Open(HINTERNET session, const CWString& url, const Outgoing& out, Exchange& exchange,
          rg_WangYeFangWenXiangYingLei_n& response) {
    if (!CrackUrl(url, exchange.Parts, out.CrackFlags)) {
        Fail(response, u"拆分URL失败：");
        return false;
    }
    const rg_WangLaoURLZuJianXinXiLei_n& parts = exchange.Parts;
    // 80 and 443 are passed as the scheme's default port, whatever the scheme.
    const INTERNET_PORT port =
        parts.Port == 80 || parts.Port == 443 ? 0 : static_cast<INTERNET_PORT>(parts.Port);
    exchange.Connection = ::WinHttpConnect(session, Wide(parts.Host), port, 0);
    if (exchange.Connection == nullptr) {
        Fail(response, u"连接服务器失败：");
        return false;
    }
    const CWString object = CWString::Concat(parts.Path, parts.ExtraInfo);
    exchange.Request = ::WinHttpOpenRequest(
        exchange.Connection, Wide(out.Verb), WideOrNull(object), nullptr, nullptr, nullptr,
        parts.SchemeType == rg_scheme_https ? WINHTTP_FLAG_SECURE : 0);
    HINTERNET request = exchange.Request;
    if (request == nullptr) {
        Fail(response, u"打开请求失败：");
        return false;
    }

    // Waiting for the response's headers has a time-out of its own; without it a server
    // that never answers would hold the request for ever.
    for (DWORD option : {WINHTTP_OPTION_RESOLVE_TIMEOUT, WINHTTP_OPTION_CONNECT_TIMEOUT,
                         WINHTTP_OPTION_RECEIVE_TIMEOUT, WINHTTP_OPTION_SEND_TIMEOUT,
                         WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT})
        SetNumber(request, option, static_cast<DWORD>(out.TimeoutMs));
    if (!out.Proxy.IsEmpty()) {
        WINHTTP_PROXY_INFO info = {WINHTTP_ACCESS_TYPE_NAMED_PROXY,
                                   const_cast<wchar_t*>(Wide(out.Proxy)),
                                   const_cast<wchar_t*>(Wide(out.ProxyBypass))};
        ::WinHttpSetOption(request, WINHTTP_OPTION_PROXY, &info, sizeof info);
    }
    if (!out.ProxyUser.IsEmpty()) {
        ::WinHttpSetOption(request, WINHTTP_OPTION_PROXY_USERNAME,
                           const_cast<wchar_t*>(Wide(out.ProxyUser)),
                           static_cast<DWORD>(out.ProxyUser.GetLength()));
        ::WinHttpSetOption(request, WINHTTP_OPTION_PROXY_PASSWORD,
                           const_cast<wchar_t*>(Wide(out.ProxyPassword)),
                           static_cast<DWORD>(out.ProxyPassword.GetLength()));
    }
    AddHeaderLines(
        request, {u"Accept: */*",
                  u"Accept-Language: zh-CN,zh;q=0.9,en;q=0.8,en-GB;q=0.7,en-US;q=0.6,zh-TW;q=0.5"});
    if (!out.AcceptEncoding.IsNullObject()) {
        DWORD decompression = WINHTTP_DECOMPRESSION_FLAG_GZIP | WINHTTP_DECOMPRESSION_FLAG_DEFLATE;
        if (::WinHttpSetOption(request, WINHTTP_OPTION_DECOMPRESSION, &decompression,
                               sizeof decompression)) {
            AddHeader(request, out.AcceptEncoding.IsEmpty()
                                   ? CWConstString(u"Accept-Encoding: gzip, deflate")
                                   : out.AcceptEncoding);
        }
    }
    if (out.CookiesEnabled == 0)
        SetNumber(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_COOKIES);
    if (!out.CookieText.IsEmpty()) {
        AddHeader(request, out.CookieText.StartsWithNoCase(u"Cookie:")
                               ? out.CookieText
                               : CWString::Concat(CWConstString(u"Cookie: "), out.CookieText));
    }
    if (static_cast<int32_t>(out.Body.GetSize()) > 0) {
        const uint8_t first = out.Body.GetData()[0];
        AddHeader(
            request,
            CWConstString(first == '{' || first == '['
                              ? u"Content-Type: application/json; charset=utf-8"
                              : u"Content-Type: application/x-www-form-urlencoded; charset=utf-8"));
    }
    if (!out.Headers.IsEmpty())
        AddHeader(request, out.Headers);
    // Redirects are followed by Request itself, so that the cookies of every response on
    // the way can be read; the platform's own following stays off.
    SetNumber(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_REDIRECTS);
    if (out.IgnoreCertErrors == 1) {
        SetNumber(request, WINHTTP_OPTION_SECURITY_FLAGS,
                  SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
                      SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                      SECURITY_FLAG_IGNORE_CERT_DATE_INVALID);
    }
    return true;
}

bool IsRedirect(int32_t status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The absolute URL a Location value names, seen from the URL split into `from`.
CWString ResolveLocation(const rg_WangLaoURLZuJianXinXiLei_n& from, const CWString& location) {
    if (location.Find(u"://") > 0)
        return location;
    CWString origin = CWString::Concat(from.Scheme, u"://");
    if (location.StartsWithNoCase(u"//"))
        return CWString::Concat(CWString::Concat(from.Scheme, u":"), location);
    origin.Append(from.Host);
    const bool defaultPort = from.Port == (from.SchemeType == rg_scheme_https ? 443 : 80);
    if (!defaultPort)
        origin.AppendFormat(u":%d", from.Port);
    if (location.GetText()[0] == u'/')
        return CWString::Concat(origin, location);
    // Relative to the directory of the current path.
    const int64_t slash = from.Path.Find(u"/", -1, false, true);
    origin.Append(slash >= 0 ? from.Path.Left(slash + 1) : CWString(u"/"));
    origin.Append(location);
    return origin;
}

} // namespace

CNimbMem rg_WangLaoFangWenLei_n::Request(CWString& url, int32_t method, const CWString& bodyText,
                                         const CNimbMem& bodyBytes, const CWString& headers,
                                         const CWString& cookieText, int32_t maxRedirects,
                                         CWString& outCookies, CWString& outHeaders,
                                         const CWString& proxy, const CWString& proxyUser,
                                         const CWString& proxyPassword, int32_t timeoutMs,
                                         int32_t ignoreCertErrors, const CWString& acceptEncoding,
                                         rg_WangYeFangWenXiangYingLei_n& response) {
    const DWORD start = ::GetTickCount();
    Outgoing out{CWConstString(method >= 0 && method <= 8 ? kVerbs[method] : u"GET"),
                 CNimbMem(bodyBytes),
                 headers,
                 cookieText,
                 proxy,
                 proxyUser,
                 proxyPassword,
                 ProxyBypass,
                 timeoutMs,
                 ignoreCertErrors,
                 acceptEncoding,
                 CookiesEnabled,
                 EscapeUrl != 0 ? uint32_t{rg_url_escape} : 0u};
    if (!bodyText.IsEmpty())
        out.Body = TextToUtf8(bodyText, false, false);
    if (url.Find(u"http://", 0, true) < 0 && url.Find(u"https://", 0, true) < 0)
        url = CWString::Concat(CWConstString(u"http://"), url);

    if (!OpenSession()) {
        Fail(response, u"初始化失败：");
        return CNimbMem();
    }
    CWString target(url);
    Exchange exchange;
    int32_t redirects = 0;
    for (;;) {
        if (!Open(Session, target, out, exchange, response))
            return CNimbMem();
        const int32_t length = static_cast<int32_t>(out.Body.GetSize());
        if (::WinHttpSendRequest(exchange.Request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                 length > 0 ? out.Body.GetData() : WINHTTP_NO_REQUEST_DATA,
                                 static_cast<DWORD>(std::max(length, 0)),
                                 static_cast<DWORD>(std::max(length, 0)),
                                 reinterpret_cast<DWORD_PTR>(&response)) != TRUE) {
            Fail(response, u"发送请求失败：");
            break;
        }
        if (::WinHttpReceiveResponse(exchange.Request, nullptr) != TRUE) {
            Fail(response, u"接收响应失败：");
            break;
        }
        rg_nimb_base::rg_ZhengShuLei index(0);
        QueryHeaderText(exchange.Request, WINHTTP_QUERY_RAW_HEADERS_CRLF, response.RawHeaders,
                        index);
        index.Value = 0;
        response.StatusCode = QueryHeaderNumber(exchange.Request, WINHTTP_QUERY_STATUS_CODE, index);

        CWString location;
        index.Value = 0;
        if (maxRedirects > 0 && IsRedirect(response.StatusCode) &&
            QueryHeaderText(exchange.Request, WINHTTP_QUERY_LOCATION, location, index) &&
            !location.IsEmpty()) {
            const CWString next = ResolveLocation(exchange.Parts, location);
            const bool downgrade =
                exchange.Parts.SchemeType == rg_scheme_https && next.StartsWithNoCase(u"http://");
            if (redirects >= maxRedirects || downgrade) {
                ::SetLastError(ERROR_WINHTTP_REDIRECT_FAILED);
                Fail(response, u"接收响应失败：");
                break;
            }
            ++redirects;
            ++response.RedirectCount;
            response.RedirectUrls.Texts.AddText(next.GetText());
            CollectCookies(exchange.Request, response.Cookies);
            // As browsers do: 303 asks for a GET, and so do 301 and 302 after a POST.
            const bool toGet =
                response.StatusCode == 303 ||
                (response.StatusCode <= 302 && out.Verb.HasSameText(CWConstString(u"POST")));
            if (toGet && !out.Verb.HasSameText(CWConstString(u"HEAD"))) {
                out.Verb = CWConstString(u"GET");
                out.Body.SetSize(0);
            }
            exchange.Close();
            target = next;
            continue;
        }

        if (!out.Verb.HasSameText(CWConstString(u"HEAD"))) {
            // A body may not keep the request past the sum of its time-outs.
            const DWORD deadline = timeoutMs > 0 ? start + 4 * static_cast<DWORD>(timeoutMs) : 0;
            index.Value = 0;
            const int32_t announced =
                QueryHeaderNumber(exchange.Request, WINHTTP_QUERY_CONTENT_LENGTH, index);
            if (announced > 0)
                ReadAnnouncedBody(exchange.Request, announced, deadline, response);
            else
                ReadUnannouncedBody(exchange.Request, deadline, response);
        }
        CollectCookies(exchange.Request, response.Cookies);
        break;
    }
    exchange.Close();
    outCookies = response.Cookies;
    outHeaders = response.RawHeaders;
    return response.Body;
}

CWString rg_WangLaoFangWenLei_n::FetchText(CWString& url, const CWString& bodyText,
                                           const CNimbMem& bodyBytes, const CWString& headers,
                                           const CWString& cookieText, CWString& outCookies,
                                           CWString& outHeaders, const CWString& proxy,
                                           const CWString& proxyUser, const CWString& proxyPassword,
                                           const CWString& acceptEncoding,
                                           rg_WangYeFangWenXiangYingLei_n& response) {
    const CNimbMem bytes =
        Request(url, rg_http_get, bodyText, bodyBytes, headers, cookieText, -1, outCookies,
                outHeaders, proxy, proxyUser, proxyPassword, 15000, 1, acceptEncoding, response);
    CWString text;
    Utf8ToText(bytes, text, false);
    return text;
}

} // namespace rg_nimb_Kovra
