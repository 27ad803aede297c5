#include "gui/PictureGeometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PictureGeometry, PlacesByMode) {
    const CNimbRect area{10, 20, 210, 220}; // 200 × 200
    const struct {
        int32_t Mode, Width, Height;
        CNimbRect Expected;
    } cases[] = {
        {kPictureFitted, 400, 200, {10, 70, 210, 170}}, // halved, 50 from the top
        {kPictureFitted, 200, 400, {60, 20, 160, 220}}, // halved, 50 from the left
        {kPictureFitted, 100, 50, {60, 95, 160, 145}},  // fits: centred, never enlarged
        {kPictureFitted, 201, 3, {10, 119, 210, 121}},  // 2.985 pixels high: truncated to 2
        {kPictureFitted, 200, 200, {10, 20, 210, 220}},
        {kPictureTopLeft, 400, 300, {10, 20, 410, 320}}, // natural size, clipped when drawn
        {kPictureStretched, 5, 7, {10, 20, 210, 220}},
        {kPictureFitted, 0, 10, {}},
        {7, 10, 10, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PicturePlace(c.Mode, area, c.Width, c.Height), c.Expected)
            << c.Mode << " " << c.Width << "x" << c.Height;
}

TEST(PictureGeometry, OnlyTilesThatMeetTheClipAreDrawn) {
    std::vector<CNimbRect> tiles;
    const auto collect = [&](const CNimbRect& tile) { tiles.push_back(tile); };
    ForEachTile({0, 0, 100, 50}, 40, 30, {0, 0, 100, 50}, collect);
    ASSERT_EQ(tiles.size(), 6u); // three across (the last one cut), two down
    EXPECT_EQ(tiles.front(), (CNimbRect{0, 0, 40, 30}));
    EXPECT_EQ(tiles.back(), (CNimbRect{80, 30, 120, 60}));

    tiles.clear();
    ForEachTile({0, 0, 100, 50}, 40, 30, {45, 35, 50, 40}, collect);
    ASSERT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles[0], (CNimbRect{40, 30, 80, 60}));

    tiles.clear();
    ForEachTile({0, 0, 100, 50}, 0, 30, {0, 0, 100, 50}, collect);
    EXPECT_TRUE(tiles.empty());
}
