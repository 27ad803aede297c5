#pragma once
// The edit box's rules that need no window: which characters each input type takes while
// typing, what its text becomes when the box loses the focus, and how a stepping spin
// moves the number in the text.

#include "runtime/CWString.h"

#include <cstdint>

// Input types of an edit box.
enum : int64_t {
    kEditPlain = 0,
    kEditReadOnly = 1,
    kEditPassword = 2,
    kEditIntegerText = 3,
    kEditDecimalText = 4,
    kEditByte = 5,
    kEditShort = 6,
    kEditInteger = 7,
    kEditLong = 8,
    kEditSingle = 9,
    kEditDouble = 10,
    kEditDateLong = 11,
    kEditDateNumeric = 12,
    kEditHex = 13,
};

// Whether a box of `inputType` takes the typed character `c`. Control characters (below
// 32) are always taken; the number types take digits and, as their kind allows, "-" and
// ".".
bool AcceptsTypedCharacter(int64_t inputType, char16_t c) noexcept;

// The text of a box of `inputType` once it has lost the focus: numbers read from the text
// and written back in their canonical form (clamped or saturated to the type's range),
// dates in the type's date-time form, hexadecimal in upper case. A result of exactly "0"
// becomes empty, except for the date types; an unreadable date becomes empty. Types
// other than 5-13 keep their text.
CWString NormaliseEditText(int64_t inputType, const CWString& text);

// The 32-bit value of a text as the platform's integer reading gives it: leading white
// space, an optional sign, then digits up to the first other character; no digits give 0,
// and a value beyond the range saturates at its end.
int32_t TextToInt32(const char16_t* text) noexcept;

// The value a stepping spin press writes into the box: one down (`down`) or up from
// `value`, wrapping from one end of [lower, upper] to the other, and brought into the
// range from outside it.
int32_t StepSpinValue(int32_t value, int32_t lower, int32_t upper, bool down) noexcept;
