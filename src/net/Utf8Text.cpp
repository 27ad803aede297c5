#include "net/Utf8Text.h"

#include "runtime/Platform.h"

#include <simdutf.h>

namespace rg_nimb_Kovra {

int64_t Utf8ToText(const CNimbMem& bytes, CWString& text, bool validate) {
    const auto* input = reinterpret_cast<const char*>(bytes.GetData());
    const auto size = static_cast<size_t>(bytes.GetSize());
    if (size == 0) {
        text.Clear();
        return 0;
    }
    const bool valid = simdutf::validate_utf8(input, size);
    if (validate && !valid) {
        text.Clear();
        return 0;
    }
    // Straight into the text's own storage: a body at the size limit costs its text and
    // no scratch copy. Valid input is sized exactly; replacement decoding never needs more
    // units than there are bytes.
    const int64_t room = valid ? static_cast<int64_t>(simdutf::utf16_length_from_utf8(input, size))
                               : static_cast<int64_t>(size);
    char16_t* out = text.PrepareUnits(room);
    const int64_t count =
        valid ? static_cast<int64_t>(simdutf::convert_valid_utf8_to_utf16le(input, size, out))
              : Platform::Utf8ToUtf16(input, static_cast<int64_t>(size), out);
    text.SetLength(count);
    return count;
}

CNimbMem TextToUtf8(const CWString& text, bool addTerminator, bool validate) {
    CNimbMem bytes;
    const char16_t* input = text.GetText();
    const auto length = static_cast<size_t>(text.GetLength());
    if (length == 0)
        return bytes;
    CNimbMem wellFormed;
    if (!simdutf::validate_utf16le(input, length)) {
        if (validate)
            return bytes;
        auto* repaired =
            reinterpret_cast<char16_t*>(wellFormed.SetSize(static_cast<int64_t>(length) * 2));
        simdutf::to_well_formed_utf16le(input, length, repaired);
        input = repaired;
    }
    const size_t needed = simdutf::utf8_length_from_utf16le(input, length);
    char* out = reinterpret_cast<char*>(bytes.SetSize(static_cast<int64_t>(needed) + 1));
    size_t written = simdutf::convert_valid_utf16le_to_utf8(input, length, out);
    if (written != 0 && addTerminator)
        out[written++] = 0;
    bytes.SetSize(static_cast<int64_t>(written));
    return bytes;
}

} // namespace rg_nimb_Kovra
