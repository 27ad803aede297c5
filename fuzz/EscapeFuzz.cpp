// Quoting any text, zeros and lone surrogates included, owned or borrowed. The result is
// read back by the documented escapes: it must be one quoted text with no raw character
// that is not printable, every escape the one its unit calls for, and decode to the input.

#include "FuzzInput.h"
#include "runtime/ContainerDump.h"
#include "runtime/Platform.h"

namespace {

// The units with an escape of their own, and its letter.
char16_t NamedEscape(char16_t c) {
    switch (c) {
    case u'\b':
        return u'b';
    case u'\t':
        return u't';
    case u'\n':
        return u'n';
    case u'\f':
        return u'f';
    case u'\r':
        return u'r';
    case u'"':
    case u'\'':
    case u'\\':
        return c;
    default:
        return 0;
    }
}

// The value of upper-case hexadecimal digits, or -1 when one is not.
int HexValue(std::u16string_view digits) {
    int value = 0;
    for (char16_t c : digits) {
        if (c >= u'0' && c <= u'9')
            value = value * 16 + (c - u'0');
        else if (c >= u'A' && c <= u'F')
            value = value * 16 + (c - u'A' + 10);
        else
            return -1;
    }
    return value;
}

void Check(const CWString& text) {
    const CWString quoted = EscapeQuoted(text);
    const std::u16string_view out = UnitsOf(quoted);
    FUZZ_EXPECT(out.size() >= 2 && out.front() == u'"' && out.back() == u'"');
    const std::u16string_view body = out.substr(1, out.size() - 2);
    std::u16string decoded;
    for (size_t i = 0; i < body.size();) {
        const char16_t c = body[i];
        if (c != u'\\') {
            // Raw units are printable and never a control character or one with an
            // escape of its own (a raw quotation mark would end the text early).
            FUZZ_EXPECT(Platform::IsPrintable(c) && NamedEscape(c) == 0);
            FUZZ_EXPECT(c >= 0x20 && !(c >= 0x7F && c < 0xA0));
            decoded += c;
            ++i;
            continue;
        }
        FUZZ_EXPECT(i + 1 < body.size());
        const char16_t kind = body[i + 1];
        const size_t digits = kind == u'x' ? 2 : kind == u'u' ? 4 : 0;
        if (digits == 0) {
            // A named escape stands for the one unit that has it.
            char16_t named = 0;
            for (char16_t unit : u"\b\t\n\f\r\"'\\") {
                if (unit != 0 && NamedEscape(unit) == kind)
                    named = unit;
            }
            FUZZ_EXPECT(named != 0);
            decoded += named;
            i += 2;
            continue;
        }
        FUZZ_EXPECT(i + 2 + digits <= body.size());
        const int value = HexValue(body.substr(i + 2, digits));
        FUZZ_EXPECT(value >= 0 && (value < 256) == (kind == u'x'));
        const auto unit = static_cast<char16_t>(value);
        FUZZ_EXPECT(!Platform::IsPrintable(unit) && NamedEscape(unit) == 0);
        decoded += unit;
        i += 2 + digits;
    }
    FUZZ_EXPECT(decoded == UnitsOf(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string units = UnitsOf(data, size);
    CWString owned;
    owned.SetTextN(units.data(), static_cast<int64_t>(units.size()));
    Check(owned);
    Check(CWConstString(units.c_str())); // up to the first zero
    return 0;
}
