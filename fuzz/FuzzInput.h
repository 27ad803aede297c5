#pragma once
// Turning a fuzzer's bytes into the texts the runtime takes.

#include "runtime/CWString.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// The bytes as UTF-16 code units (an odd last byte is dropped), lone surrogates and
// all: the runtime must cope with any text.
inline CWString TextOf(const uint8_t* data, size_t size) {
    CWString text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit;
        std::memcpy(&unit, data + i, sizeof unit);
        text.AppendChar(unit);
    }
    return text;
}
