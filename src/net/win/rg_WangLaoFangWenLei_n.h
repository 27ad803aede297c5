#pragma once
// Synchronous HTTP and HTTPS requests over WinHTTP. One object owns one session, opened
// on first use and reused by every request made through it.
//
// Bounds. Every request, redirects included, returns within `timeoutMs` of its start (60 s
// when `timeoutMs` is 0 or less), whatever the server does: silent, trickling its headers
// or its body a byte at a time, or sending without end. The client enforces this itself;
// WinHTTP's own time-outs run per read and never trip on a trickle. A deadline that
// strikes while waiting for the headers fails with "接收响应失败：", while reading the
// body with "接收数据失败：", keeping the bytes that arrived. A body stops at MaxBodySize
// bytes; a request for one that large holds about twice that at its peak (the response's
// body and the returned copy), and FetchText three times (the body and its text).

#include "net/rg_WangYeFangWenXiangYingLei_n.h"
#include "runtime/CNimbMem.h"
#include "runtime/CNimbStream.h"
#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_Kovra {

// The user agent of sessions whose object names none.
extern const CWString DefaultUserAgent;

// Verb indices of Request.
enum : int32_t {
    rg_http_get = 0,
    rg_http_post = 1,
    rg_http_head = 2,
    rg_http_put = 3,
    rg_http_delete = 4,
    rg_http_options = 5,
    rg_http_trace = 6,
    rg_http_connect = 7,
    rg_http_patch = 8,
};

class rg_WangLaoFangWenLei_n : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_WangLaoFangWenLei_n, CNimbObject, "rg_nimb_Kovra::rg_WangLaoFangWenLei_n")

    rg_WangLaoFangWenLei_n();
    // A copy carries the settings; it opens a session of its own when it first needs one,
    // so that every session is closed exactly once.
    rg_WangLaoFangWenLei_n(const rg_WangLaoFangWenLei_n& other);
    rg_WangLaoFangWenLei_n& operator=(const rg_WangLaoFangWenLei_n& other);
    ~rg_WangLaoFangWenLei_n() override;

    bool IsEqual(const CNimbObject& other) const override;
    // The settings and the session value; a session value read back is not a live handle
    // and is not taken over.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    // Opens the session when there is none; 1 when one is available, 0 on failure.
    int32_t OpenSession();

    // Performs one request and returns the response body; everything else the request
    // learns goes into `response` (see the response class). `url` without a scheme gets
    // "http://" put in front. Failures are reported in `response.ErrorText` only.
    virtual CNimbMem Request(CWString& url, int32_t method, const CWString& bodyText,
                             const CNimbMem& bodyBytes, const CWString& headers,
                             const CWString& cookieText, int32_t maxRedirects, CWString& outCookies,
                             CWString& outHeaders, const CWString& proxy, const CWString& proxyUser,
                             const CWString& proxyPassword, int32_t timeoutMs,
                             int32_t ignoreCertErrors, const CWString& acceptEncoding,
                             rg_WangYeFangWenXiangYingLei_n& response);

    // A GET without redirects, time-out 15 s, certificate errors ignored; the body decoded
    // from UTF-8.
    CWString FetchText(CWString& url, const CWString& bodyText, const CNimbMem& bodyBytes,
                       const CWString& headers, const CWString& cookieText, CWString& outCookies,
                       CWString& outHeaders, const CWString& proxy, const CWString& proxyUser,
                       const CWString& proxyPassword, const CWString& acceptEncoding,
                       rg_WangYeFangWenXiangYingLei_n& response);

    // "错误(%u): %s" with the calling thread's last error code and the system's message
    // for it; empty when the system has none.
    static CWString LastErrorText();

    // Bodies beyond this many bytes are cut off with an error: a server can make a
    // request read without end, and nothing the viewer asks for comes near it.
    static constexpr int64_t MaxBodySize = 64 * 1024 * 1024;
    // The bound of a request whose `timeoutMs` sets none.
    static constexpr int32_t DefaultRequestBoundMs = 60000;

    CWString UserAgent;     // empty: DefaultUserAgent; NullObject set: none at all
    int32_t AccessType = 1; // 1 no proxy, 3 named proxy
    CWString ProxyServer;
    CWString ProxyBypass;
    int32_t EscapeUrl = 0;
    int32_t CookiesEnabled = 1;
    void* Session = nullptr;
};

} // namespace rg_nimb_Kovra
