#include "runtime/ContainerDump.h"

#include "runtime/CNimbMem.h"
#include "runtime/Platform.h"

#include <algorithm>

int64_t AppendDumpHeader(CWString& out, const char16_t* kind, const char16_t* unit, int64_t count,
                         int32_t limit, int64_t defaultLimit) {
    const int64_t shown =
        limit < 0 ? count : std::min<int64_t>(count, limit == 0 ? defaultLimit : limit);
    if (shown == count) {
        out.AppendFormat(u"<%s> 总共 %d 个%s:", kind, static_cast<int32_t>(count), unit);
    } else {
        out.AppendFormat(u"<%s> 总共 %d 个%s,输出了 %d 个,还有 %d 个未被输出.", kind,
                         static_cast<int32_t>(count), unit, static_cast<int32_t>(shown),
                         static_cast<int32_t>(count - shown));
    }
    return shown;
}

CWString EscapeQuoted(const CWString& text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    const int64_t length = text.GetLength();
    const char16_t* in = text.GetText();
    // At most six code units per input unit, and the two quotation marks.
    CNimbMem storage;
    auto* start = reinterpret_cast<char16_t*>(storage.SetSize((6 * length + 2) * 2));
    char16_t* out = start;
    *out++ = u'"';
    for (int64_t i = 0; i < length; ++i) {
        const char16_t c = in[i];
        char16_t escape = 0;
        switch (c) {
        case u'\b':
            escape = u'b';
            break;
        case u'\t':
            escape = u't';
            break;
        case u'\n':
            escape = u'n';
            break;
        case u'\f':
            escape = u'f';
            break;
        case u'\r':
            escape = u'r';
            break;
        case u'"':
        case u'\'':
        case u'\\':
            escape = c;
            break;
        default:
            break;
        }
        if (escape != 0) {
            *out++ = u'\\';
            *out++ = escape;
        } else if (Platform::IsPrintable(c)) {
            *out++ = c;
        } else if (c < 256) {
            *out++ = u'\\';
            *out++ = u'x';
            *out++ = kHex[c >> 4];
            *out++ = kHex[c & 0xF];
        } else {
            *out++ = u'\\';
            *out++ = u'u';
            for (int shift = 12; shift >= 0; shift -= 4)
                *out++ = kHex[(c >> shift) & 0xF];
        }
    }
    *out++ = u'"';
    CWString result;
    result.SetTextN(start, out - start);
    return result;
}
