#pragma once
// Painting the background of containers and labels: a colour, then a picture in one of
// its modes (see gui/PictureGeometry.h).

#include "gui/PictureGeometry.h"
#include "runtime/win/Win32.h"

namespace rg_nimb_MFCJieMian_base {

// Draws `picture` into `area` of `target` by `mode`, limited to `clip`; nothing without a
// picture. 32-bit pictures whose bits are at hand blend with their own alpha.
void DrawPicture(HDC target, HBITMAP picture, int32_t mode, const RECT& area, const RECT& clip);

// Fills `clip` with `backColor` unless `transparent`, then draws the picture into `client`.
void PaintBackground(HDC target, const RECT& client, const RECT& clip, bool transparent,
                     uint32_t backColor, HBITMAP picture, int32_t mode);

// `colour`, or the system colour `systemColour` for 0xFF000000, the framework's "default".
COLORREF ColourOr(uint32_t colour, int systemColour) noexcept;

CNimbRect ToNimbRect(const RECT& rect) noexcept;

} // namespace rg_nimb_MFCJieMian_base
