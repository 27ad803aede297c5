// Any bytes as UTF-8 and any code units as text, in both conversions, with and without
// validation, checked against a decoder and an encoder written here from the Unicode
// tables: valid UTF-8 decodes to the same text and encodes back to the same bytes; any
// text encodes with its unpaired surrogates as U+FFFD and decodes back to that.

#include "FuzzInput.h"
#include "net/Utf8Text.h"

using rg_nimb_Kovra::TextToUtf8;
using rg_nimb_Kovra::Utf8ToText;

namespace {

void AppendUtf16(std::u16string& out, uint32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
// False at the first sequence that is not, with `units` holding the text before it.
bool ReferenceDecode(std::string_view bytes, std::u16string& units) {
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        const size_t length = lead < 0x80                    ? 1
                              : lead >= 0xC2 && lead <= 0xDF ? 2
                              : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                             : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = c << 6 | (next & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return false;
        AppendUtf16(units, c);
        i += length;
    }
    return true;
}

// The text with every unpaired surrogate replaced by U+FFFD.
std::u16string WellFormed(std::u16string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out += c;
            out += text[++i];
        } else {
            out += c >= 0xD800 && c <= 0xDFFF ? u'\uFFFD' : c;
        }
    }
    return out;
}

std::string ReferenceEncode(std::u16string_view wellFormed) {
    std::string out;
    for (size_t i = 0; i < wellFormed.size(); ++i) {
        uint32_t c = wellFormed[i];
        if (c >= 0xD800 && c <= 0xDBFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (wellFormed[++i] - 0xDC00u);
        AppendUtf8(out, c);
    }
    return out;
}

std::string_view BytesOf(const CNimbMem& bytes) {
    return {reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize())};
}

CNimbMem Buffer(std::string_view bytes) {
    CNimbMem buffer;
    buffer.AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
    return buffer;
}

void CheckBytes(std::string_view bytes) {
    const CNimbMem input = Buffer(bytes);
    std::u16string expected;
    const bool valid = ReferenceDecode(bytes, expected);
    CWString text;
    text.SetText(u"stale");
    const int64_t validated = Utf8ToText(input, text, true);
    FUZZ_EXPECT(validated == text.GetLength());
    FUZZ_EXPECT(valid ? UnitsOf(text) == expected : text.IsEmpty());

    const int64_t decoded = Utf8ToText(input, text, false);
    FUZZ_EXPECT(decoded == text.GetLength());
    const std::u16string_view units = UnitsOf(text);
    if (valid) {
        FUZZ_EXPECT(units == expected);
        FUZZ_EXPECT(BytesOf(TextToUtf8(text, false, true)) == bytes);
        const CNimbMem terminated = TextToUtf8(text, true, true);
        FUZZ_EXPECT(bytes.empty() ? terminated.GetSize() == 0
                                  : BytesOf(terminated) == std::string(bytes) + '\0');
        return;
    }
    // The text before the first bad sequence is kept, the sequence becomes U+FFFD, and
    // whatever follows stays within the units the bytes allow and is text.
    FUZZ_EXPECT(units.size() > expected.size() && units.substr(0, expected.size()) == expected &&
                units[expected.size()] == u'\uFFFD');
    FUZZ_EXPECT(units.size() <= bytes.size());
    FUZZ_EXPECT(WellFormed(units) == units);
}

void CheckText(std::u16string_view units) {
    CWString text;
    text.SetTextN(units.data(), static_cast<int64_t>(units.size()));
    const std::u16string repaired = WellFormed(units);
    const std::string expected = ReferenceEncode(repaired);
    const bool wellFormed = repaired == units;

    const CNimbMem bytes = TextToUtf8(text, false, false);
    FUZZ_EXPECT(BytesOf(bytes) == expected);
    const CNimbMem terminated = TextToUtf8(text, true, false);
    FUZZ_EXPECT(expected.empty() ? terminated.GetSize() == 0
                                 : BytesOf(terminated) == expected + '\0');
    FUZZ_EXPECT(BytesOf(TextToUtf8(text, false, true)) == (wellFormed ? expected : ""));
    FUZZ_EXPECT(TextToUtf8(text, true, true).GetSize() ==
                (wellFormed && !expected.empty() ? static_cast<int64_t>(expected.size()) + 1 : 0));

    CWString back;
    FUZZ_EXPECT(Utf8ToText(bytes, back, true) == static_cast<int64_t>(repaired.size()));
    FUZZ_EXPECT(UnitsOf(back) == repaired);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckBytes({reinterpret_cast<const char*>(data), size});
    CheckText(UnitsOf(data, size));
    return 0;
}
