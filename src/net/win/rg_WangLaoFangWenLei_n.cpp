#include "net/win/rg_WangLaoFangWenLei_n.h"

#include "net/Utf8Text.h"
#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"
#include "runtime/CNimbBaseDataType.h"
#include "runtime/win/CWinHandle.h"
#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace rg_nimb_Kovra {

const CWString DefaultUserAgent(
    u"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    u"Chrome/102.0.5005.124 Safari/537.36 Edg/102.0.1245.41");

namespace {

constexpr int64_t kChunk = 1048576;
// Not in every SDK's winhttp.h.
constexpr DWORD kOptionTcpFastOpen = 153;

using CHttpHandle = CWinHandle<HINTERNET, &::WinHttpCloseHandle>;

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

void Fail(rg_WangYeFangWenXiangYingLei_n& response, const char16_t* prefix) {
    response.ErrorText =
        CWString::Concat(CWConstString(prefix), rg_WangLaoFangWenLei_n::LastErrorText());
}

void FailWith(rg_WangYeFangWenXiangYingLei_n& response, const char16_t* prefix, DWORD error) {
    ::SetLastError(error);
    Fail(response, prefix);
}

const char16_t* const kVerbs[] = {u"GET",     u"POST",  u"HEAD",    u"PUT",  u"DELETE",
                                  u"OPTIONS", u"TRACE", u"CONNECT", u"PATCH"};

// The instant a request must be over by, on the tick count that never wraps.
class Deadline {
public:
    explicit Deadline(int32_t timeoutMs)
        : At(::GetTickCount64() +
             static_cast<ULONGLONG>(
                 timeoutMs > 0 ? timeoutMs : rg_WangLaoFangWenLei_n::DefaultRequestBoundMs)) {}

    bool Passed() const { return ::GetTickCount64() >= At; }
    DWORD Left() const {
        const ULONGLONG now = ::GetTickCount64();
        return now >= At ? 0 : static_cast<DWORD>(At - now);
    }

private:
    ULONGLONG At;
};

// Where one request handle and WinHTTP's worker threads meet. The status callback records
// each completion here and sets Done, for which the caller waits no longer than its
// deadline. A caller that gives up closes the handle and leaves; WinHTTP may still
// complete the call it had started, into these buffers, until it tells the handle is
// closing. So the record is shared: the caller holds one reference and the handle, once
// its callback is set, another, which the closing notification drops. It lives on the
// process heap, not in the pool, since the last reference may go on a WinHTTP thread.
class CAsyncCall {
public:
    static CAsyncCall* Create() {
        auto* call = new CAsyncCall;
        call->Done.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!call->Done) {
            call->Release();
            return nullptr;
        }
        return call;
    }
    void AddRef() { References.fetch_add(1, std::memory_order_relaxed); }
    void Release() {
        if (References.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

    // The outcome of the call just started: false when the deadline passed first,
    // otherwise true with Completion, Error and Count set.
    bool Await(const Deadline& deadline) {
        return ::WaitForSingleObject(Done.Get(), deadline.Left()) == WAIT_OBJECT_0;
    }

    static void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, void* information,
                                  DWORD length) {
        auto* call = reinterpret_cast<CAsyncCall*>(context);
        if (call == nullptr)
            return;
        switch (status) {
        case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:
            call->Release();
            return;
        case WINHTTP_CALLBACK_STATUS_REQUEST_SENT:
            call->Sent.store(true, std::memory_order_release);
            return;
        case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
        case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
            break;
        case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE:
            call->Count = *static_cast<const DWORD*>(information);
            break;
        case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
            call->Count = length;
            break;
        case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
            call->Error = static_cast<const WINHTTP_ASYNC_RESULT*>(information)->dwError;
            break;
        default:
            return;
        }
        call->Completion = status;
        ::SetEvent(call->Done.Get());
    }

    CKernelHandle Done;
    // Whether the request has left: from then on, waiting is waiting for the response,
    // even where the platform reports the send complete only once the answer begins.
    std::atomic<bool> Sent{false};
    // Written by the callback before Done is set, read by the caller after its wait.
    DWORD Completion = 0;
    DWORD Error = 0;
    DWORD Count = 0;
    // What WinHTTP reads from and writes into while a call may be pending.
    std::vector<uint8_t> RequestBody;
    std::vector<uint8_t> Received;

private:
    CAsyncCall() = default;
    ~CAsyncCall() = default;

    std::atomic<int> References{1};
};

// One request handle with its call record; closing it abandons whatever is pending.
class CRequest {
public:
    CRequest() = default;
    CRequest(const CRequest&) = delete;
    CRequest& operator=(const CRequest&) = delete;
    ~CRequest() { Close(); }

    // Takes over a fresh request handle, closed with this object, and makes it report to
    // a new call record; false when that cannot be done.
    bool Attach(HINTERNET request) {
        Close();
        Handle.Reset(request);
        Call = CAsyncCall::Create();
        if (Call == nullptr)
            return false;
        DWORD_PTR context = reinterpret_cast<DWORD_PTR>(Call);
        if (!::WinHttpSetOption(request, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context))
            return false;
        const DWORD notifications = WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS |
                                    WINHTTP_CALLBACK_FLAG_HANDLES |
                                    WINHTTP_CALLBACK_FLAG_SEND_REQUEST;
        if (::WinHttpSetStatusCallback(request, &CAsyncCall::OnStatus, notifications, 0) ==
            WINHTTP_INVALID_STATUS_CALLBACK)
            return false;
        Call->AddRef(); // the handle's, dropped by its closing notification
        return true;
    }
    // The handle first: its closing notification may then come at any time, and the call
    // record stays for it.
    void Close() {
        Handle.Reset();
        if (Call != nullptr)
            Call->Release();
        Call = nullptr;
    }

    CHttpHandle Handle;
    CAsyncCall* Call = nullptr;
};

// The outcome of one asynchronous step.
enum class Step { Done, Failed, TimedOut };

// Waits for the step just started (`started` is what the starting call returned) and
// leaves the failure's code as the thread's last error.
Step Finish(BOOL started, CAsyncCall& call, const Deadline& deadline) {
    if (!started)
        return Step::Failed;
    if (!call.Await(deadline)) {
        ::SetLastError(ERROR_WINHTTP_TIMEOUT);
        return Step::TimedOut;
    }
    if (call.Completion == WINHTTP_CALLBACK_STATUS_REQUEST_ERROR) {
        ::SetLastError(call.Error);
        return Step::Failed;
    }
    return Step::Done;
}

// One CR LF-ended line of cookie pairs per Set-Cookie header of the current response;
// false when the deadline cut the list short.
bool CollectCookies(HINTERNET request, CWString& cookies, const Deadline& deadline) {
    rg_nimb_base::rg_ZhengShuLei index(0);
    CWString value;
    while (QueryHeaderText(request, WINHTTP_QUERY_SET_COOKIE, value, index)) {
        cookies.Append(SetCookieToCookie(value));
        cookies.Append(u"\r\n");
        if (deadline.Passed())
            return false;
    }
    return true;
}

// Reads the body by the amounts WinHTTP reports available, each read at most a chunk,
// until the data ends, the announced length (0: none) is complete, the size limit is
// passed or the deadline strikes. A length is the server's claim: the body grows with
// what actually arrives and is neither padded nor allocated in full up front. False when
// the body is incomplete, with the failure in the response's ErrorText.
bool ReadBody(CRequest& request, int64_t announced, const Deadline& deadline,
              rg_WangYeFangWenXiangYingLei_n& response) {
    CNimbMem& body = response.Body;
    if (announced > 0)
        body.SetSize(0);
    body.SetStep(kChunk);
    CAsyncCall& call = *request.Call;
    // The failure texts of an announced body tell a whole chunk from the last part one.
    const int64_t lastChunk = announced / kChunk * kChunk;
    const auto readFailed = [&](int64_t at) {
        Fail(response, announced > 0 && at >= lastChunk && announced % kChunk != 0
                           ? u"接收数据失败： "
                           : u"接收数据失败：");
    };
    int64_t filled = 0;
    while (announced <= 0 || filled < announced) {
        // Data that is always there already would never let a wait run out.
        if (deadline.Passed()) {
            FailWith(response, u"接收数据失败：", ERROR_WINHTTP_TIMEOUT);
            return false;
        }
        Step step =
            Finish(::WinHttpQueryDataAvailable(request.Handle.Get(), nullptr), call, deadline);
        if (step == Step::TimedOut) {
            Fail(response, u"接收数据失败：");
            return false;
        }
        if (step == Step::Failed) {
            if (announced > 0)
                readFailed(filled);
            else
                Fail(response, u"取可用数据量失败：");
            return false;
        }
        const int64_t available = call.Count;
        if (available == 0)
            break;
        if (body.GetSize() >= rg_WangLaoFangWenLei_n::MaxBodySize) {
            FailWith(response, u"接收数据失败：", ERROR_FILE_TOO_LARGE);
            return false;
        }
        int64_t want =
            std::min({available, kChunk, rg_WangLaoFangWenLei_n::MaxBodySize - body.GetSize()});
        if (announced > 0)
            want = std::min(want, announced - filled);
        call.Received.resize(std::max(call.Received.size(), static_cast<size_t>(want)));
        step = Finish(::WinHttpReadData(request.Handle.Get(), call.Received.data(),
                                        static_cast<DWORD>(want), nullptr),
                      call, deadline);
        if (step == Step::TimedOut) {
            Fail(response, u"接收数据失败：");
            return false;
        }
        if (step == Step::Failed) {
            readFailed(filled);
            return false;
        }
        if (call.Count == 0)
            break;
        body.AppendBytes(call.Received.data(), call.Count);
        filled += call.Count;
    }
    if (announced > 0 && filled < announced) { // the connection ended before the length
        FailWith(response, u"接收数据失败：", ERROR_WINHTTP_INVALID_SERVER_RESPONSE);
        return false;
    }
    return true;
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
    // Asynchronous, so that a request can be given up at its deadline: a pending
    // synchronous call cannot be cut short. Request itself waits for every step.
    HINTERNET session =
        ::WinHttpOpen(agent, static_cast<DWORD>(AccessType), named ? Wide(ProxyServer) : nullptr,
                      named ? Wide(ProxyBypass) : nullptr, WINHTTP_FLAG_ASYNC);
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

// The handles of one request to one URL. The request goes first, then its connection.
struct Exchange {
    rg_WangLaoURLZuJianXinXiLei_n Parts;
    CHttpHandle Connection;
    CRequest Request;
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
    exchange.Connection.Reset(::WinHttpConnect(session, Wide(parts.Host), port, 0));
    if (!exchange.Connection) {
        Fail(response, u"连接服务器失败：");
        return false;
    }
    const CWString object = CWString::Concat(parts.Path, parts.ExtraInfo);
    HINTERNET request = ::WinHttpOpenRequest(
        exchange.Connection.Get(), Wide(out.Verb), WideOrNull(object), nullptr, nullptr, nullptr,
        parts.SchemeType == rg_scheme_https ? WINHTTP_FLAG_SECURE : 0);
    if (request == nullptr) {
        Fail(response, u"打开请求失败：");
        return false;
    }
    if (!exchange.Request.Attach(request)) {
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

// Sends the request and waits for the response's headers; false with the failure in the
// response's ErrorText.
bool SendAndReceive(const Outgoing& out, Exchange& exchange, const Deadline& deadline,
                    rg_WangYeFangWenXiangYingLei_n& response) {
    CAsyncCall& call = *exchange.Request.Call;
    // WinHTTP reads the body while the send is pending, which may outlast this call.
    const int32_t length = static_cast<int32_t>(out.Body.GetSize());
    if (length > 0)
        call.RequestBody.assign(out.Body.GetData(), out.Body.GetData() + length);
    const DWORD size = static_cast<DWORD>(std::max(length, 0));
    const BOOL sent =
        ::WinHttpSendRequest(exchange.Request.Handle.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                             length > 0 ? call.RequestBody.data() : WINHTTP_NO_REQUEST_DATA, size,
                             size, reinterpret_cast<DWORD_PTR>(&call));
    if (Finish(sent, call, deadline) != Step::Done) {
        Fail(response,
             call.Sent.load(std::memory_order_acquire) ? u"接收响应失败：" : u"发送请求失败：");
        return false;
    }
    if (Finish(::WinHttpReceiveResponse(exchange.Request.Handle.Get(), nullptr), call, deadline) !=
        Step::Done) {
        Fail(response, u"接收响应失败：");
        return false;
    }
    return true;
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
    const Deadline deadline(timeoutMs);
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
    int32_t redirects = 0;
    for (;;) {
        Exchange exchange;
        if (!Open(Session, target, out, exchange, response))
            return CNimbMem();
        HINTERNET request = exchange.Request.Handle.Get();
        if (!SendAndReceive(out, exchange, deadline, response))
            break;
        rg_nimb_base::rg_ZhengShuLei index(0);
        QueryHeaderText(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, response.RawHeaders, index);
        index.Value = 0;
        response.StatusCode = QueryHeaderNumber(request, WINHTTP_QUERY_STATUS_CODE, index);

        CWString location;
        index.Value = 0;
        if (maxRedirects > 0 && IsRedirect(response.StatusCode) &&
            QueryHeaderText(request, WINHTTP_QUERY_LOCATION, location, index) &&
            !location.IsEmpty()) {
            const CWString next = ResolveUrlReference(exchange.Parts, location);
            const bool downgrade =
                exchange.Parts.SchemeType == rg_scheme_https && next.StartsWithNoCase(u"http://");
            if (redirects >= maxRedirects || downgrade) {
                FailWith(response, u"接收响应失败：", ERROR_WINHTTP_REDIRECT_FAILED);
                break;
            }
            ++redirects;
            ++response.RedirectCount;
            response.RedirectUrls.Texts.AddText(next.GetText());
            if (!CollectCookies(request, response.Cookies, deadline)) {
                FailWith(response, u"接收响应失败：", ERROR_WINHTTP_TIMEOUT);
                break;
            }
            // As browsers do: 303 asks for a GET, and so do 301 and 302 after a POST.
            const bool toGet =
                response.StatusCode == 303 ||
                (response.StatusCode <= 302 && out.Verb.HasSameText(CWConstString(u"POST")));
            if (toGet && !out.Verb.HasSameText(CWConstString(u"HEAD"))) {
                out.Verb = CWConstString(u"GET");
                out.Body.SetSize(0);
            }
            target = next;
            continue;
        }

        bool complete = true;
        if (!out.Verb.HasSameText(CWConstString(u"HEAD"))) {
            index.Value = 0;
            complete = ReadBody(exchange.Request,
                                QueryHeaderNumber(request, WINHTTP_QUERY_CONTENT_LENGTH, index),
                                deadline, response);
        }
        // A body that failed keeps its own failure text.
        if (!CollectCookies(request, response.Cookies, deadline) && complete)
            FailWith(response, u"接收响应失败：", ERROR_WINHTTP_TIMEOUT);
        break;
    }
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
    CNimbMem bytes =
        Request(url, rg_http_get, bodyText, bodyBytes, headers, cookieText, -1, outCookies,
                outHeaders, proxy, proxyUser, proxyPassword, 15000, 1, acceptEncoding, response);
    // The response holds the same bytes as the returned copy, as long as Request is this
    // class's own. The copy goes before decoding, so that a body at the size limit costs
    // itself and its text, and no third buffer.
    const CNimbMem* source = &bytes;
    if (bytes.IsEqual(response.Body)) {
        bytes.SetSize(0);
        source = &response.Body;
    }
    CWString text;
    Utf8ToText(*source, text, false);
    return text;
}

} // namespace rg_nimb_Kovra
