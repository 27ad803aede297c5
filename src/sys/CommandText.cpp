#include "sys/CommandText.h"

#include "runtime/Platform.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

CWString rg_command_directory(const CWString& commandLine) {
    const char16_t* p = commandLine.GetText();
    while (*p != 0 && IsTrimmedSpace(*p))
        ++p;
    const char16_t* start = p;
    const char16_t* end;
    if (*p == u'"') {
        start = ++p;
        while (*p != 0 && *p != u'"')
            ++p;
        if (*p == 0)
            return CWString();
        end = p;
    } else {
        while (*p != 0 && !IsTrimmedSpace(*p))
            ++p;
        end = p;
    }
    CWString path;
    path.SetTextN(start, end - start);
    path.Trim();
    const int64_t slash = path.Find(u"\\", -1, false, true);
    return slash < 0 ? CWString() : path.Left(slash + 1);
}

CWString rg_ansi_bytes_to_text(const CNimbMem& bytes) {
    const auto* data = reinterpret_cast<const char*>(bytes.GetData());
    int64_t length = 0;
    while (length < bytes.GetSize() && data[length] != 0)
        ++length;
    CWString text;
    if (length == 0)
        return text;
    CNimbMem decoded;
    auto* units = reinterpret_cast<char16_t*>(decoded.SetSize(length * 2));
    text.SetTextN(units, Platform::AnsiToUtf16(data, length, units));
    return text;
}

void rg_drop_leading_lines(CNimbMem& text) {
    constexpr int64_t kKeep = 65535;
    const int64_t size = text.GetSize();
    if (size <= kKeep)
        return;
    const auto* units = reinterpret_cast<const char16_t*>(text.GetData());
    const int64_t count = size / 2;
    const int64_t excess = size - kKeep; // bytes
    int64_t position = 0;                // code units
    while (position * 2 < excess) {
        int64_t feed = position;
        while (feed < count && units[feed] != u'\n')
            ++feed;
        if (feed == count)
            break;
        position = feed + 1;
    }
    if (position == 0)
        text.SetSize(0); // one line longer than everything that may be kept
    else
        text.RemoveRange(0, position * 2);
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
