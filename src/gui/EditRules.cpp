#include "gui/EditRules.h"

#include "runtime/DateTimeText.h"
#include "runtime/NumberText.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The C run-time's white space.
bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// The 64-bit value of the text with the given blank rule, sign and digits, saturating at
// the ends of the range.
int64_t ReadSaturating(const char16_t* p, bool (*blank)(char16_t)) {
    while (*p != 0 && blank(*p))
        ++p;
    const bool negative = *p == u'-';
    if (*p == u'-' || *p == u'+')
        ++p;
    // The magnitude of the most negative value is one more than the largest value.
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + negative;
    uint64_t magnitude = 0;
    for (; IsDigit(*p); ++p) {
        const auto digit = static_cast<uint64_t>(*p - u'0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    return negative ? static_cast<int64_t>(~magnitude + 1) : static_cast<int64_t>(magnitude);
}

bool UpToSpace(char16_t c) {
    return c <= 0x20;
}

// The text read as a floating-point number, as the C run-time reads one.
double TextToDouble(const CWString& text) {
    std::string narrow;
    for (const char16_t* p = text.GetText(); *p != 0 && *p < 0x80; ++p)
        narrow += static_cast<char>(*p);
    return std::strtod(narrow.c_str(), nullptr);
}

CWString RealText(const char16_t* format, double value) {
    CWString text;
    text.Format(format, value);
    return text;
}

CWString HexText(uint64_t value) {
    char16_t digits[16];
    int count = 0;
    do {
        digits[15 - count++] = u"0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    CWString text;
    text.AppendUnits(digits + 16 - count, count);
    return text;
}

} // namespace

bool AcceptsTypedCharacter(int64_t inputType, char16_t c) noexcept {
    if (c < 32)
        return true;
    switch (inputType) {
    case kEditByte:
        return IsDigit(c);
    case kEditIntegerText:
    case kEditShort:
    case kEditInteger:
    case kEditLong:
        return IsDigit(c) || c == u'-';
    case kEditDecimalText:
    case kEditSingle:
    case kEditDouble:
        return IsDigit(c) || c == u'-' || c == u'.';
    default:
        return true;
    }
}

int32_t TextToInt32(const char16_t* text) noexcept {
    return static_cast<int32_t>(std::clamp<int64_t>(ReadSaturating(text, IsBlank),
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

CWString NormaliseEditText(int64_t inputType, const CWString& text) {
    CWString result;
    switch (inputType) {
    case kEditByte:
        result = Int64ToText(std::clamp(TextToInt32(text.GetText()), 0, 255));
        break;
    case kEditShort:
        result = Int64ToText(std::clamp(TextToInt32(text.GetText()), -32768, 32767));
        break;
    case kEditInteger:
        result = Int64ToText(TextToInt32(text.GetText()));
        break;
    case kEditLong:
        result = Int64ToText(ReadSaturating(text.GetText(), UpToSpace));
        break;
    case kEditSingle:
        result = RealText(u"%.6G", static_cast<double>(static_cast<float>(TextToDouble(text))));
        break;
    case kEditDouble:
        result = RealText(u"%.13G", TextToDouble(text));
        break;
    case kEditDateLong:
    case kEditDateNumeric: {
        const bool chinese = inputType == kEditDateLong;
        const double value = TextToDateTime(text.GetText(), chinese);
        return value > -657433.999999 ? DateTimeToText(value, chinese) : CWString();
    }
    case kEditHex:
        result = HexText(static_cast<uint64_t>(HexTextToInt64(text.GetText())));
        break;
    default:
        return text;
    }
    if (result.HasSameText(CWConstString(u"0")))
        result.Clear();
    return result;
}

int32_t StepSpinValue(int32_t value, int32_t lower, int32_t upper, bool down) noexcept {
    const int64_t next = static_cast<int64_t>(value) + (down ? -1 : 1);
    if (down) {
        if (next < lower)
            return upper;
        return next > upper ? upper : static_cast<int32_t>(next);
    }
    if (next < lower)
        return lower;
    return next > upper ? lower : static_cast<int32_t>(next);
}
