#pragma once
// Where a background picture goes in a rectangle, by drawing mode: 0 top-left at natural
// size, 1 tiled, 2 fitted (centred, shrunk to fit, never enlarged), 3 stretched.

#include <cstdint>

enum : int32_t {
    kPictureTopLeft = 0,
    kPictureTiled = 1,
    kPictureFitted = 2,
    kPictureStretched = 3,
};

// A rectangle in window coordinates: left and top inside, right and bottom outside.
struct CNimbRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const noexcept { return Right - Left; }
    int32_t Height() const noexcept { return Bottom - Top; }
    bool IsEmpty() const noexcept { return Right <= Left || Bottom <= Top; }
    bool Intersects(const CNimbRect& other) const noexcept {
        return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
    }
    bool operator==(const CNimbRect&) const = default;
};

// The rectangle a picture of `width` × `height` pixels is drawn into within `area` in the
// modes that draw it once (0, 2, 3); an empty rectangle for an empty picture or an
// unknown mode.
CNimbRect PicturePlace(int32_t mode, const CNimbRect& area, int32_t width, int32_t height) noexcept;

// Calls `draw(tile)` for every tile of a tiled picture that meets `clip`: tiles of the
// picture's size from the area's top-left corner, across and down to its right and
// bottom edges.
template <class Draw>
void ForEachTile(const CNimbRect& area, int32_t width, int32_t height, const CNimbRect& clip,
                 Draw&& draw) {
    if (width <= 0 || height <= 0)
        return;
    for (int32_t y = area.Top; y < area.Bottom; y += height) {
        for (int32_t x = area.Left; x < area.Right; x += width) {
            const CNimbRect tile{x, y, x + width, y + height};
            if (tile.Intersects(clip))
                draw(tile);
        }
    }
}
