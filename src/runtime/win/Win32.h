#pragma once
// <windows.h> as this project includes it. The API's name macros that would rename the
// runtime's own operations are removed right after it: GetClassInfo is a CNimbObject
// operation, not winuser.h's GetClassInfoW.
#include <windows.h>

#undef GetClassInfo

#include "runtime/CWString.h"

// The runtime's UTF-16 text as the API's wide text; both are 16-bit code units here.
inline const wchar_t* Wide(const char16_t* text) noexcept {
    return reinterpret_cast<const wchar_t*>(text);
}

inline const wchar_t* Wide(const CWString& text) noexcept {
    return Wide(text.GetText());
}
