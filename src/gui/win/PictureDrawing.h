#pragma once
// Drawing a background picture in one of its modes (see gui/PictureGeometry.h), for
// containers and labels.

#include "gui/PictureGeometry.h"
#include "runtime/win/Win32.h"

namespace rg_nimb_MFCJieMian_base {

// Draws `picture` into `area` of `target` by `mode`, limited to `clip`; nothing without a
// picture. 32-bit pictures whose bits are at hand blend with their own alpha.
void DrawPicture(HDC target, HBITMAP picture, int32_t mode, const RECT& area, const RECT& clip);

CNimbRect ToNimbRect(const RECT& rect) noexcept;

} // namespace rg_nimb_MFCJieMian_base
