// Reading any text as a decimal and as a hexadecimal number, checked against the C
// library's strtoull under the documented rules, and writing any 64-bit value as text
// and reading it back.

#include "FuzzInput.h"
#include "runtime/NumberText.h"

#include <cerrno>
#include <cinttypes>
#include <limits>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Blanks up to U+0020, one sign, the digits; past 2^64 - 1 the value saturates by sign,
// below it the unsigned value, negated for "-", is taken as it is.
int64_t ReferenceDecimal(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] <= 0x20)
        ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    std::string digits;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        digits += static_cast<char>(text[i]);
    if (digits.empty())
        return 0;
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(negative ? 0 - value : value);
}

// An optional "0x" or "0X" at the very start, then hexadecimal digits of which the last
// 16 count.
int64_t ReferenceHex(std::u16string_view text) {
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        text.remove_prefix(2);
    std::string digits;
    for (size_t i = 0; i < text.size() && IsHexDigit(text[i]); ++i)
        digits += static_cast<char>(text[i]);
    if (digits.size() > 16)
        digits.erase(0, digits.size() - 16);
    return digits.empty() ? 0 : static_cast<int64_t>(std::strtoull(digits.c_str(), nullptr, 16));
}

CWString Narrow(const char* ascii) {
    CWString text;
    for (; *ascii != 0; ++ascii)
        text.AppendChar(static_cast<char16_t>(*ascii));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CWString text = TextOf(data, size);
    FUZZ_EXPECT(TextToInt64(text.GetText()) == ReferenceDecimal(UnitsOf(text)));
    FUZZ_EXPECT(HexTextToInt64(text.GetText()) == ReferenceHex(UnitsOf(text)));

    FuzzReader reader(data, size);
    const auto value = reader.Take<int64_t>();
    char expected[32];
    std::snprintf(expected, sizeof expected, "%" PRId64, value);
    const CWString decimal = Int64ToText(value);
    FUZZ_EXPECT(decimal.HasSameText(Narrow(expected)));
    FUZZ_EXPECT(TextToInt64(decimal.GetText()) == value);
    // Hexadecimal in either case, with or without the prefix, and with digits in front
    // that the last 16 push out.
    const auto bits = static_cast<uint64_t>(value);
    char hex[3][32];
    std::snprintf(hex[0], sizeof hex[0], "%" PRIx64, bits);
    std::snprintf(hex[1], sizeof hex[1], "0X%016" PRIX64, bits);
    std::snprintf(hex[2], sizeof hex[2], "fff%016" PRIx64, bits);
    for (const char* form : hex)
        FUZZ_EXPECT(HexTextToInt64(Narrow(form).GetText()) == value);
    return 0;
}
