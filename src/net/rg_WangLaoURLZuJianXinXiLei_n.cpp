#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"

#include <string>
#include <string_view>

namespace rg_nimb_Kovra {

namespace {

// The characters ICU_ESCAPE writes as %XX.
bool NeedsEscape(char16_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
        return false;
    if (c <= 31 || c >= 127)
        return true;
    return std::u16string_view(u" \"#%<>[\\]^`{|}~").find(c) != std::u16string_view::npos;
}

std::u16string Escaped(std::u16string_view text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out;
    for (char16_t c : text) {
        if (NeedsEscape(c)) {
            out += u'%';
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::u16string Decoded(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char16_t>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? a[i] + 32 : a[i];
        if (x != b[i])
            return false;
    }
    return true;
}

void Set(CWString& field, std::u16string_view part) {
    if (!part.empty())
        field.SetTextN(part.data(), static_cast<int64_t>(part.size()));
}

} // namespace

bool rg_WangLaoURLZuJianXinXiLei_n::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& url = static_cast<const rg_WangLaoURLZuJianXinXiLei_n&>(other);
    return Scheme.HasSameText(url.Scheme) && SchemeType == url.SchemeType &&
           Host.HasSameText(url.Host) && Port == url.Port && UserName.HasSameText(url.UserName) &&
           Password.HasSameText(url.Password) && Path.HasSameText(url.Path) &&
           ExtraInfo.HasSameText(url.ExtraInfo);
}

void rg_WangLaoURLZuJianXinXiLei_n::DumpToText(CWString& out, int32_t) const {
    out.SetText(u"<网络URL组件信息类_> 总共 8 个成员:\r\n"
                u"1.协议: \r\n2.协议类型: \r\n3.域名: \r\n4.端口: \r\n"
                u"5.用户名: \r\n6.密码: \r\n7.路径: \r\n8.附加信息: \r\n");
}

void rg_WangLaoURLZuJianXinXiLei_n::LoadFromStream(CNimbStreamReader& reader) {
    Scheme.LoadFromStream(reader);
    reader.ReadExact(&SchemeType, sizeof SchemeType);
    Host.LoadFromStream(reader);
    reader.ReadExact(&Port, sizeof Port);
    UserName.LoadFromStream(reader);
    Password.LoadFromStream(reader);
    Path.LoadFromStream(reader);
    ExtraInfo.LoadFromStream(reader);
}

void rg_WangLaoURLZuJianXinXiLei_n::SaveToStream(CNimbStreamWriter& writer) const {
    Scheme.SaveToStream(writer);
    writer.WriteBytes(&SchemeType, sizeof SchemeType);
    Host.SaveToStream(writer);
    writer.WriteBytes(&Port, sizeof Port);
    UserName.SaveToStream(writer);
    Password.SaveToStream(writer);
    Path.SaveToStream(writer);
    ExtraInfo.SaveToStream(writer);
}

bool rg_WangLaoDaiLiXinXiLei_n::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& proxy = static_cast<const rg_WangLaoDaiLiXinXiLei_n&>(other);
    return AccessType == proxy.AccessType && ProxyServer.HasSameText(proxy.ProxyServer) &&
           ProxyBypass.HasSameText(proxy.ProxyBypass);
}

void rg_WangLaoDaiLiXinXiLei_n::DumpToText(CWString& out, int32_t) const {
    out.SetText(u"<网络代理信息类_> 总共 3 个成员:\r\n1.访问类型: \r\n2.代理服务器: "
                u"\r\n3.代理跳过列表: \r\n");
}

void rg_WangLaoDaiLiXinXiLei_n::LoadFromStream(CNimbStreamReader& reader) {
    reader.ReadExact(&AccessType, sizeof AccessType);
    ProxyServer.LoadFromStream(reader);
    ProxyBypass.LoadFromStream(reader);
}

void rg_WangLaoDaiLiXinXiLei_n::SaveToStream(CNimbStreamWriter& writer) const {
    writer.WriteBytes(&AccessType, sizeof AccessType);
    ProxyServer.SaveToStream(writer);
    ProxyBypass.SaveToStream(writer);
}

int32_t CrackUrlPortable(const CWString& url, rg_WangLaoURLZuJianXinXiLei_n& parts,
                         uint32_t flags) {
    parts.Reset();
    const bool copied = flags == rg_url_escape || flags == rg_url_decode;
    std::u16string text(url.GetText(), static_cast<size_t>(url.GetLength()));
    if (flags & rg_url_decode)
        text = Decoded(text);
    const std::u16string_view all(text);

    const size_t colon = all.find(u':');
    if (colon == std::u16string_view::npos)
        return 0;
    const std::u16string_view scheme = all.substr(0, colon);
    const int32_t schemeType = EqualsNoCase(scheme, u"http")    ? rg_scheme_http
                               : EqualsNoCase(scheme, u"https") ? rg_scheme_https
                                                                : 0;
    if (schemeType == 0 || all.substr(colon + 1, 2) != u"//")
        return 0;

    const std::u16string_view rest = all.substr(colon + 3);
    const size_t authorityEnd = rest.find_first_of(u"/?#");
    std::u16string_view authority = rest.substr(0, authorityEnd);
    const std::u16string_view location = authorityEnd == std::u16string_view::npos
                                             ? std::u16string_view()
                                             : rest.substr(authorityEnd);

    std::u16string_view user, password;
    if (const size_t at = authority.find(u'@'); at != std::u16string_view::npos) {
        if (flags & rg_url_reject_userpwd)
            return 0;
        const std::u16string_view credentials = authority.substr(0, at);
        const size_t separator = credentials.find(u':');
        user = credentials.substr(0, separator);
        if (separator != std::u16string_view::npos)
            password = credentials.substr(separator + 1);
        authority = authority.substr(at + 1);
    }

    std::u16string_view host = authority;
    std::u16string_view port;
    const size_t bracket = authority.starts_with(u'[') ? authority.find(u']') : 0;
    if (bracket == std::u16string_view::npos)
        return 0;
    if (const size_t portColon = authority.find(u':', bracket);
        portColon != std::u16string_view::npos) {
        host = authority.substr(0, portColon);
        port = authority.substr(portColon + 1);
    }
    if (host.empty())
        return 0;
    int32_t number = schemeType == rg_scheme_https ? 443 : 80;
    if (!port.empty()) {
        number = 0;
        for (char16_t c : port) {
            if (c < u'0' || c > u'9')
                return 0;
            number = number * 10 + (c - u'0');
            if (number > 65535)
                return 0;
        }
    }

    const size_t pathEnd = location.find_first_of(u"?#");
    std::u16string path(location.substr(0, pathEnd));
    std::u16string extra(pathEnd == std::u16string_view::npos ? std::u16string_view()
                                                              : location.substr(pathEnd));
    if (flags & rg_url_escape) {
        path = Escaped(path);
        extra = Escaped(extra);
    }
    // Copied parts must fit the platform's buffers with their terminators.
    if (copied && (scheme.size() >= 10 || host.size() >= 256 || user.size() >= 256 ||
                   password.size() >= 256 || path.size() >= 2048 || extra.size() >= 2048))
        return 0;

    Set(parts.Scheme, scheme);
    parts.SchemeType = schemeType;
    Set(parts.Host, host);
    parts.Port = number;
    if (flags != rg_url_reject_userpwd) {
        Set(parts.UserName, user);
        Set(parts.Password, password);
    }
    Set(parts.Path, path);
    Set(parts.ExtraInfo, extra);
    return 1;
}

namespace {

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Whether `text` starts with a scheme and its colon: a letter, then letters, digits, "+",
// "-" and ".". Anything else is a relative reference, even with "://" further on.
bool StartsWithScheme(std::u16string_view text) {
    if (text.empty() || !IsAsciiLetter(text[0]))
        return false;
    for (size_t i = 1; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u':')
            return true;
        if (!IsAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return false;
}

// Takes "." and ".." segments out of a path the way RFC 3986 does, so that "../" never
// climbs above the root.
std::u16string RemoveDotSegments(std::u16string_view in) {
    std::u16string out;
    const auto dropLastSegment = [&out] {
        const size_t slash = out.rfind(u'/');
        out.erase(slash == std::u16string::npos ? 0 : slash);
    };
    while (!in.empty()) {
        if (in.starts_with(u"../")) {
            in.remove_prefix(3);
        } else if (in.starts_with(u"./")) {
            in.remove_prefix(2);
        } else if (in.starts_with(u"/./")) {
            in.remove_prefix(2);
        } else if (in == u"/.") {
            in = u"/";
        } else if (in.starts_with(u"/../")) {
            in.remove_prefix(3);
            dropLastSegment();
        } else if (in == u"/..") {
            in = u"/";
            dropLastSegment();
        } else if (in == u"." || in == u"..") {
            in = {};
        } else {
            const size_t end = in.find(u'/', in[0] == u'/' ? 1 : 0);
            const size_t length = end == std::u16string_view::npos ? in.size() : end;
            out.append(in.substr(0, length));
            in.remove_prefix(length);
        }
    }
    return out;
}

std::u16string_view View(const CWString& text) {
    return std::u16string_view(text.GetText(), static_cast<size_t>(text.GetLength()));
}

} // namespace

CWString ResolveUrlReference(const rg_WangLaoURLZuJianXinXiLei_n& base, const CWString& reference) {
    std::u16string_view rest = View(reference);
    if (StartsWithScheme(rest))
        return reference;

    // The reference's parts: [//authority][path][?query][#fragment].
    std::u16string_view fragment, query, authority;
    bool hasQuery = false, hasAuthority = false;
    if (const size_t hash = rest.find(u'#'); hash != std::u16string_view::npos) {
        fragment = rest.substr(hash);
        rest = rest.substr(0, hash);
    }
    if (const size_t mark = rest.find(u'?'); mark != std::u16string_view::npos) {
        query = rest.substr(mark);
        rest = rest.substr(0, mark);
        hasQuery = true;
    }
    if (rest.starts_with(u"//")) {
        const size_t slash = rest.find(u'/', 2);
        authority = rest.substr(2, slash == std::u16string_view::npos ? rest.npos : slash - 2);
        rest = slash == std::u16string_view::npos ? std::u16string_view() : rest.substr(slash);
        hasAuthority = true;
    }

    std::u16string target(View(base.Scheme));
    target += u"://";
    std::u16string path;
    if (hasAuthority) {
        target += authority;
        path = RemoveDotSegments(rest);
    } else {
        // A host with colons is an IPv6 address, written in brackets.
        const std::u16string_view host = View(base.Host);
        const bool brackets = host.find(u':') != host.npos && !host.starts_with(u'[');
        if (brackets)
            target += u'[';
        target += host;
        if (brackets)
            target += u']';
        const int32_t defaultPort = base.SchemeType == rg_scheme_https ? 443 : 80;
        if (base.Port != 0 && base.Port != defaultPort)
            target += u':' + std::u16string(View(CWString(static_cast<int64_t>(base.Port))));
        const std::u16string_view basePath = View(base.Path);
        const std::u16string_view baseExtra = View(base.ExtraInfo);
        const std::u16string_view baseQuery = baseExtra.substr(0, baseExtra.find(u'#'));
        if (rest.empty()) {
            path = basePath.empty() ? u"/" : std::u16string(basePath);
            if (!hasQuery)
                query = baseQuery;
        } else if (rest[0] == u'/') {
            path = RemoveDotSegments(rest);
        } else {
            // Relative to the directory of the base path.
            const size_t slash = basePath.rfind(u'/');
            std::u16string merged(slash == basePath.npos ? u"/" : basePath.substr(0, slash + 1));
            merged += rest;
            path = RemoveDotSegments(merged);
        }
    }
    target += path;
    target += query;
    target += fragment;
    return CWString(target.c_str());
}

} // namespace rg_nimb_Kovra
