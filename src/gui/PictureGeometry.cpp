#include "gui/PictureGeometry.h"

CNimbRect PicturePlace(int32_t mode, const CNimbRect& area, int32_t width,
                       int32_t height) noexcept {
    if (width <= 0 || height <= 0)
        return {};
    switch (mode) {
    case kPictureTopLeft:
        return {area.Left, area.Top, area.Left + width, area.Top + height};
    case kPictureStretched:
        return area;
    case kPictureFitted: {
        int64_t w = width;
        int64_t h = height;
        const int64_t areaWidth = area.Width();
        const int64_t areaHeight = area.Height();
        if (w > areaWidth || h > areaHeight) {
            // Shrunk by the smaller of the two ratios, in integers so that nothing rounds up.
            if (areaWidth * h <= areaHeight * w) {
                h = h * areaWidth / w;
                w = areaWidth;
            } else {
                w = w * areaHeight / h;
                h = areaHeight;
            }
        }
        const auto left = static_cast<int32_t>(area.Left + (areaWidth - w) / 2);
        const auto top = static_cast<int32_t>(area.Top + (areaHeight - h) / 2);
        return {left, top, left + static_cast<int32_t>(w), top + static_cast<int32_t>(h)};
    }
    default:
        return {};
    }
}
