#pragma once
// Windows path texts, handled as text alone so that the rules hold on every platform.

#include "runtime/CWString.h"

// Whether `path` starts with a backslash or with a drive, a colon and a backslash.
bool IsAbsolutePath(const char16_t* path) noexcept;

// `relative` resolved against `directory`: an empty directory gives the relative path, an
// empty relative path the directory, an absolute one itself. Otherwise the two are
// joined with a backslash, every "\.\" becomes "\" and every "\..\" removes itself with
// the segment before it; a path that climbs above its root gives `relative` unchanged.
CWString CombinePath(const char16_t* directory, const char16_t* relative);
