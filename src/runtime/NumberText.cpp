#include "runtime/NumberText.h"

#include <limits>

CWString Int64ToText(int64_t value) {
    char16_t digits[21];
    char16_t* p = digits + sizeof digits / sizeof digits[0];
    // Working on the magnitude as unsigned covers INT64_MIN, which has no positive twin.
    uint64_t magnitude =
        value < 0 ? ~static_cast<uint64_t>(value) + 1 : static_cast<uint64_t>(value);
    do {
        *--p = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = u'-';
    CWString text;
    text.AppendUnits(p, digits + sizeof digits / sizeof digits[0] - p);
    return text;
}

int64_t TextToInt64(const char16_t* text) {
    if (text == nullptr)
        return 0;
    while (*text != 0 && *text <= 0x20)
        ++text;
    const bool negative = *text == u'-';
    if (*text == u'-' || *text == u'+')
        ++text;
    uint64_t value = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        const uint64_t digit = static_cast<uint64_t>(*text - u'0');
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10)
            return negative ? std::numeric_limits<int64_t>::min()
                            : std::numeric_limits<int64_t>::max();
        value = value * 10 + digit;
    }
    return static_cast<int64_t>(negative ? ~value + 1 : value);
}

int64_t HexTextToInt64(const char16_t* text) {
    if (text == nullptr)
        return 0;
    if (text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        text += 2;
    uint64_t value = 0;
    for (;; ++text) {
        const char16_t c = *text;
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            break;
        value = value << 4 | digit;
    }
    return static_cast<int64_t>(value);
}
