#pragma once
// printf-style formatting of UTF-16 text with the conventions of the Windows wide
// printf family, identical on every platform: "%s" takes a UTF-16 text, "l" means 32
// bits, "I64" and "ll" mean 64 bits, "%I64X" prints a 64-bit value in upper-case hex.
// Arguments carry their type, so a text can never be read as a number or the reverse:
// a conversion whose argument is missing or of the wrong kind makes the format fail.

#include <concepts>
#include <cstddef>
#include <cstdint>

class CWString;

class CFormatArg {
public:
    enum class Kind : uint8_t { Signed, Unsigned, Real, Text, Pointer };

    template <std::signed_integral T>
    CFormatArg(T value) noexcept : ArgKind(Kind::Signed), Signed(value) {}
    template <std::unsigned_integral T>
    CFormatArg(T value) noexcept : ArgKind(Kind::Unsigned), Unsigned(value) {}
    CFormatArg(double value) noexcept : ArgKind(Kind::Real), Real(value) {}
    CFormatArg(const char16_t* text) noexcept : ArgKind(Kind::Text), Text(text) {}
    CFormatArg(const CWString& text) noexcept;
    CFormatArg(const void* pointer) noexcept : ArgKind(Kind::Pointer), Pointer(pointer) {}
    // 8-bit texts have no place in a UTF-16 format.
    CFormatArg(const char*) = delete;

    Kind ArgKind;
    union {
        int64_t Signed;
        uint64_t Unsigned;
        double Real;
        const char16_t* Text;
        const void* Pointer;
    };
};

// Appends the formatted text to `out`. Returns false, with `out` possibly partly
// extended, when the format is malformed or an argument is missing or of the wrong kind.
bool AppendFormatted(CWString& out, const char16_t* format, const CFormatArg* args, size_t count);

// Appends `value` in the C locale's printf form of `spec`, for instance "%.15G".
void AppendReal(CWString& out, const char* spec, double value);
