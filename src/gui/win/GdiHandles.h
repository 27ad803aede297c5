#pragma once
// Owners of the GDI objects and hooks the GUI framework holds.

#include "runtime/win/CWinHandle.h"

namespace WinRelease {

inline void GdiObject(HGDIOBJ object) noexcept {
    ::DeleteObject(object);
}

} // namespace WinRelease

using CGdiFont = CWinHandle<HFONT, &WinRelease::GdiObject>;
using CGdiBrush = CWinHandle<HBRUSH, &WinRelease::GdiObject>;
using CGdiBitmap = CWinHandle<HBITMAP, &WinRelease::GdiObject>;
using CGdiRegion = CWinHandle<HRGN, &WinRelease::GdiObject>;
using CWindowHook = CWinHandle<HHOOK, &::UnhookWindowsHookEx>;
