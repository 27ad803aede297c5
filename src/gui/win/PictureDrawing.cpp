#include "gui/win/PictureDrawing.h"

#include "gui/win/GdiHandles.h"

namespace rg_nimb_MFCJieMian_base {

namespace {

// A memory device context holding a bitmap, given back in order.
class SelectedBitmap {
public:
    SelectedBitmap(HDC target, HBITMAP bitmap)
        : Memory(::CreateCompatibleDC(target)),
          Old(Memory != nullptr ? ::SelectObject(Memory, bitmap) : nullptr) {}
    ~SelectedBitmap() {
        if (Memory != nullptr) {
            ::SelectObject(Memory, Old);
            ::DeleteDC(Memory);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    HDC Memory;

private:
    HGDIOBJ Old;
};

} // namespace

COLORREF ColourOr(uint32_t colour, int systemColour) noexcept {
    return colour == 0xFF000000 ? ::GetSysColor(systemColour) : static_cast<COLORREF>(colour);
}

void PaintBackground(HDC target, const RECT& client, const RECT& clip, bool transparent,
                     uint32_t backColor, HBITMAP picture, int32_t mode) {
    if (!transparent) {
        const CGdiBrush brush(::CreateSolidBrush(ColourOr(backColor, COLOR_BTNFACE)));
        ::FillRect(target, &clip, brush.Get());
    }
    DrawPicture(target, picture, mode, client, clip);
}

CNimbRect ToNimbRect(const RECT& rect) noexcept {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void DrawPicture(HDC target, HBITMAP picture, int32_t mode, const RECT& area, const RECT& clip) {
    if (picture == nullptr)
        return;
    DIBSECTION section = {};
    BITMAP& bitmap = section.dsBm;
    const int described = ::GetObjectW(picture, sizeof section, &section);
    if (described == 0 && ::GetObjectW(picture, sizeof bitmap, &bitmap) == 0)
        return;
    const bool alpha = bitmap.bmBitsPixel == 32 && bitmap.bmBits != nullptr;
    const SelectedBitmap source(target, picture);
    if (source.Memory == nullptr)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0)};
    const int width = bitmap.bmWidth;
    const int height = bitmap.bmHeight;

    const int saved = ::SaveDC(target);
    ::IntersectClipRect(target, clip.left, clip.top, clip.right, clip.bottom);
    const auto blendAt = [&](const CNimbRect& place) {
        ::GdiAlphaBlend(target, place.Left, place.Top, place.Width(), place.Height(), source.Memory,
                        0, 0, width, height, blend);
    };
    const CNimbRect nimbArea = ToNimbRect(area);
    if (mode == kPictureTiled) {
        ForEachTile(nimbArea, width, height, ToNimbRect(clip), blendAt);
    } else if (mode == kPictureTopLeft) {
        blendAt(PicturePlace(mode, nimbArea, width, height));
    } else if (mode == kPictureFitted || mode == kPictureStretched) {
        const CNimbRect place = PicturePlace(mode, nimbArea, width, height);
        ::SetStretchBltMode(target,
                            ::GetDeviceCaps(target, BITSPIXEL) > 16 ? HALFTONE : COLORONCOLOR);
        if (alpha)
            blendAt(place);
        else
            ::StretchBlt(target, place.Left, place.Top, place.Width(), place.Height(),
                         source.Memory, 0, 0, width, height, SRCCOPY);
    }
    ::RestoreDC(target, saved);
}

} // namespace rg_nimb_MFCJieMian_base
