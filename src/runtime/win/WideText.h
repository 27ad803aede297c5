#pragma once
// The runtime's UTF-16 text at the wide Win32 API. On Windows char16_t and wchar_t are
// both 16-bit code units of UTF-16, so each direction is a cast, never a conversion.

#include "runtime/CWString.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide API's text is UTF-16");

inline const wchar_t* Wide(const char16_t* text) noexcept {
    return reinterpret_cast<const wchar_t*>(text);
}

inline wchar_t* Wide(char16_t* text) noexcept {
    return reinterpret_cast<wchar_t*>(text);
}

inline const wchar_t* Wide(const CWString& text) noexcept {
    return Wide(text.GetText());
}

// The reverse: a wide text the API handed out, as the runtime's code units.
inline const char16_t* FromWide(const wchar_t* text) noexcept {
    return reinterpret_cast<const char16_t*>(text);
}

inline char16_t* FromWide(wchar_t* text) noexcept {
    return reinterpret_cast<char16_t*>(text);
}
