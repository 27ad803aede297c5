#pragma once
// Helpers shared by the tests.

#include "runtime/CWString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

// The exit status of a process that ended with exit code -1.
#ifdef _WIN32
inline constexpr int kExitCodeMinusOne = -1;
#else
inline constexpr int kExitCodeMinusOne = 255;
#endif

// A text's code units, for comparisons that gtest can print.
inline std::u16string Units(const CWString& text) {
    return std::u16string(text.GetText(), static_cast<size_t>(text.GetLength()));
}

// UTF-8 for messages that leave the process (death-test output, for one).
inline std::string Utf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        const int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

inline void PrintTo(const CWString& text, std::ostream* os) {
    *os << ::testing::PrintToString(Units(text));
}

// Stands in for the run-time error box in death tests: writes "caption|message#n" to the
// standard error, n counting the boxes, so that a test can check the text and that there
// was exactly one.
inline void WriteErrorBox(const CWString& message, const CWString& caption) {
    static int shown = 0;
    std::fprintf(stderr, "%s|%s#%d", Utf8(Units(caption)).c_str(), Utf8(Units(message)).c_str(),
                 ++shown);
    std::fflush(stderr);
}
