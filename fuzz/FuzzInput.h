#pragma once
// Turning a fuzzer's bytes into the texts the runtime takes, and stopping on a wrong
// result.

#include "runtime/CWString.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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

// The same code units with the zeros kept, for the functions that take a length.
inline std::u16string UnitsOf(const uint8_t* data, size_t size) {
    std::u16string units(size / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    return units;
}

// A text's code units, embedded zeros included.
inline std::u16string_view UnitsOf(const CWString& text) {
    return {text.GetText(), static_cast<size_t>(text.GetLength())};
}

// A wrong result ends the run the way a crash does, so that libFuzzer keeps the input
// and the seed replay fails on it.
[[noreturn]] inline void FuzzFailure(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: wrong result: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_EXPECT(condition)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(#condition, __FILE__, __LINE__);                                           \
    } while (false)

// Takes the parameters of a call from the front of the input, leaving the rest as the
// input proper; past the end every read gives zeros.
class FuzzReader {
public:
    FuzzReader(const uint8_t* data, size_t size) noexcept : Data(data), Size(size) {}

    template <class T>
    T Take() noexcept {
        T value{};
        const size_t count = Size < sizeof value ? Size : sizeof value;
        if (count != 0) // an empty input may come without any storage
            std::memcpy(&value, Data, count);
        Data += count;
        Size -= count;
        return value;
    }

    const uint8_t* Data;
    size_t Size;
};
