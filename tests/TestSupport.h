#pragma once
// Helpers shared by the tests.

#include "runtime/CWString.h"

#include <gtest/gtest.h>

#include <string>

// A text's code units, for comparisons that gtest can print.
inline std::u16string Units(const CWString& text) {
    return std::u16string(text.GetText(), static_cast<size_t>(text.GetLength()));
}

inline void PrintTo(const CWString& text, std::ostream* os) {
    *os << ::testing::PrintToString(Units(text));
}
