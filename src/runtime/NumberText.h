#pragma once
// Conversions between 64-bit integers and text.

#include "runtime/CWString.h"

#include <cstdint>

// Plain decimal digits, "-" in front of a negative value.
CWString Int64ToText(int64_t value);

// Skips leading code units up to U+0020, takes one optional sign and reads decimal digits
// up to the first non-digit. A value beyond 2^64 - 1 saturates to INT64_MAX (positive
// text) or INT64_MIN (negative); otherwise the unsigned value, negated for "-", is taken
// as a signed 64-bit value. Null or digit-less text gives 0.
int64_t TextToInt64(const char16_t* text);

// Reads hexadecimal digits after an optional "0x" or "0X" at the very start, up to the
// first other code unit; of more than 16 digits the last 16 count. No blanks, no sign.
int64_t HexTextToInt64(const char16_t* text);
