#pragma once
// The debug text every container writes: a header with the member count and how many
// were left out, then one numbered line per member.

#include "runtime/CWString.h"

#include <cstdint>

// Appends "<kind> 总共 count 个unit:", or when `limit` leaves some out the header that
// says how many were printed and how many not, and returns how many to print. A limit of
// 0 means `defaultLimit`, a negative one everything.
int64_t AppendDumpHeader(CWString& out, const char16_t* kind, const char16_t* unit, int64_t count,
                         int32_t limit, int64_t defaultLimit);

// The header of an array's dump: at most 64 members unless told otherwise.
inline int64_t AppendContainerHeader(CWString& out, int64_t count, int32_t limit) {
    return AppendDumpHeader(out, u"数组", u"成员", count, limit, 64);
}

// The text between quotation marks with backspace, tab, line feed, form feed, carriage
// return, the quotation mark, the apostrophe and the backslash escaped by a backslash,
// other printable code units as they are, and the rest as "\x%02X" below 256 or "\u%04X".
CWString EscapeQuoted(const CWString& text);
