#pragma once
// Whole byte buffers between UTF-8 and text, over simdutf.

#include "runtime/CNimbMem.h"
#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_Kovra {

// Decodes `bytes` into `text` and returns its length in code units. With `validate`, text
// that is not UTF-8 gives an empty text. Without it valid UTF-8 takes simdutf's fast path
// for valid input, and anything else is decoded with replacement characters, so that no
// input can make the conversion run past its buffer.
int64_t Utf8ToText(const CNimbMem& bytes, CWString& text, bool validate);

// Encodes `text` as UTF-8, with a terminating zero byte when asked and something was
// converted. With `validate`, text with unpaired surrogates gives no bytes; without it
// they are encoded as U+FFFD.
CNimbMem TextToUtf8(const CWString& text, bool addTerminator, bool validate);

} // namespace rg_nimb_Kovra
