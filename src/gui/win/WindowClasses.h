#pragma once
// The window classes the framework registers: all with the same attributes, so that each
// window's look comes from its wrapper, never from its class.

#include "runtime/win/Win32.h"

namespace rg_nimb_MFCJieMian_base {

inline constexpr wchar_t kContainerClass[] = L"NimbContainer";
inline constexpr wchar_t kLabelClass[] = L"NimbLabel";
inline constexpr wchar_t kDummyClass[] = L"NimbDummyWnd";
inline constexpr wchar_t kFormClass[] = L"NimbWinForm";
inline constexpr wchar_t kWindowClass[] = L"NimbWindow";

// Registers `name` for the program's instance unless a class of that name exists for it
// already (an empty name registers "NimbWindow"): redraws on both resizes, double
// clicks, the default window procedure (each window is subclassed to its wrapper), the
// arrow cursor and the null brush, so that the class erases no background. False when
// the class cannot be had.
bool RegisterFrameworkClass(const wchar_t* name);

} // namespace rg_nimb_MFCJieMian_base
