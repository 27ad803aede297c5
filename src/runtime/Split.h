#pragma once
// Filling arrays from a text or a byte buffer.

#include "runtime/CMStringArray.h"
#include "runtime/CNimbObjectArray.h"

#include <cstdint>

// Splits `text` at any of the code units of the NUL-terminated `separators` into `out`
// (emptied first). With `trim`, blanks (up to U+0020 and U+3000) are removed from both
// ends of every piece; with `skipEmpty`, empty or all-blank pieces are dropped, and
// without it a text ending in a separator gives an empty last piece. Returns the number
// of entries.
int64_t SplitText(const char16_t* text, CMStringArray& out, const char16_t* separators, bool trim,
                  bool skipEmpty);

// Splits `source` at every non-overlapping occurrence of the `length` bytes at
// `separator` into new byte buffers appended to `out` (emptied first); n separators give
// n + 1 pieces, empty ones included. A separator shorter than one byte gives nothing.
// Returns the number of pieces.
int64_t SplitBytes(const CNimbMem& source, const void* separator, int64_t length,
                   CNimbObjectArray& out);
