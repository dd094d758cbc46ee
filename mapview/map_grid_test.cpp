#include "mapview/map_grid.h"

#include <gtest/gtest.h>

TEST(ArrowPlacement, FollowsTheFacingTable) {
    const struct {
        int32_t x, y, facing;
        int32_t px, py;
        std::optional<int32_t> angle;
    } cases[] = {
        {1, 1, 1, 2, 616, 270}, {1, 1, 2, 2, 617, 0},     {1, 1, 3, 1, 616, 90},
        {1, 1, 4, 2, 616, 180}, {1, 1, 0, 2, 616, {}},    {1, 1, 200, 2, 616, {}},
        {0, 0, 2, -12, 631, 0}, {10, 45, 1, 128, 0, 270}, {255, 255, 4, 3558, -2940, 180},
    };
    for (const auto& c : cases) {
        ArrowPlacement arrow = ArrowPlacementFor(c.x, c.y, c.facing);
        EXPECT_EQ(arrow.x, c.px) << c.x << "," << c.y << " facing " << c.facing;
        EXPECT_EQ(arrow.y, c.py) << c.x << "," << c.y << " facing " << c.facing;
        EXPECT_EQ(arrow.angle, c.angle) << c.x << "," << c.y << " facing " << c.facing;
    }
}

TEST(CellOfClick, UndoesCentringScrollAndZoom) {
    // mouse, scroll, zoom, picture, client -> cell
    const struct {
        ClickView view;
        float x, y;
    } cases[] = {
        // A picture 600 wide in a client 700 wide is centred 50 pixels in: client x 52 is px 2.
        {{52, 0, 0, 0, 1.0f, 600, 646, 700, 600}, 1, 46},
        {{49, 0, 0, 0, 1.0f, 600, 646, 700, 600}, 0, 46},  // left of the picture: px -1
        // Rows: py = 646 - 14 Y is row Y, py = 632 - 14 Y is row Y + 1 (no centring here).
        {{2, 646 - 14 * 3, 0, 0, 1.0f, 1000, 1000, 500, 500}, 1, 3},
        {{2, 632 - 14 * 3, 0, 0, 1.0f, 1000, 1000, 500, 500}, 1, 4},
        {{2, 633, 0, 0, 1.0f, 1000, 1000, 500, 500}, 1, 0},
        {{2, 647, 0, 0, 1.0f, 1000, 1000, 500, 500}, 1, -1},
        // Columns: px from 14 X - 12 to 14 X + 1 is column X.
        {{15, 0, 0, 0, 1.0f, 1000, 1000, 500, 500}, 1, 46},
        {{16, 0, 0, 0, 1.0f, 1000, 1000, 500, 500}, 2, 46},
        // Zoom 1.5 with a picture 423 wide: 634.5 rounds to 634, so a 700 client centres by 33.
        {{33 + 3, 0, 0, 0, 1.5f, 423, 1000, 700, 500}, 1, 46},   // (36 - 33) / 1.5 = 2
        {{33 + 23, 0, 0, 0, 1.5f, 423, 1000, 700, 500}, 1, 46},  // 23 / 1.5 = 15.33 -> 15 (635 would give 16)
        {{33 + 24, 0, 0, 0, 1.5f, 423, 1000, 700, 500}, 2, 46},  // 24 / 1.5 = 16
        // Zoom 2.5 with scrolling: (100 + 400) / 2.5 = 200 -> column 15; (50 + 300) / 2.5 = 140 -> row 36.
        {{100, 50, 400, 300, 2.5f, 1000, 700, 600, 400}, 15, 36},
        // Halves go to the even neighbour: py 5 / 2 = 2.5 -> 2 stays in row 46 (3 would be row 45).
        {{0, 5, 0, 0, 2.0f, 1000, 1000, 500, 500}, 0, 46},
        // Zoom 0 or less takes the client point as it is.
        {{30, 620, 0, 0, 0.0f, 1000, 1000, 500, 500}, 3, 1},
        // An unsigned 16-bit coordinate is large, not negative.
        {{65535, 0, 0, 0, 1.0f, 1000, 1000, 500, 500}, 4681, 46},
    };
    for (const auto& c : cases) {
        MapCell cell = CellOfClick(c.view);
        EXPECT_EQ(cell.x, c.x) << c.view.mouseX << "," << c.view.mouseY << " zoom " << c.view.zoom;
        EXPECT_EQ(cell.y, c.y) << c.view.mouseX << "," << c.view.mouseY << " zoom " << c.view.zoom;
    }
}
