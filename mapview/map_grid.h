// The map grid: square cells of 14 picture pixels, rows counted upward (row 0 at y = 630, row 45
// at y = 0). The arrow's place and angle for the party's cell and facing, and the cell of a click.
#pragma once

#include <cstdint>
#include <optional>

struct ArrowPlacement {
    int32_t x, y;                  // picture pixels
    std::optional<int32_t> angle;  // degrees clockwise; none keeps the angle the arrow has
};

// Facing 1 points up (270), 2 right (0, one pixel lower), 3 down (90, one pixel to the left),
// 4 left (180); any other facing keeps the arrow's angle.
ArrowPlacement ArrowPlacementFor(int32_t x, int32_t y, int32_t facing);

// What a right-click on the image control is resolved against.
struct ClickView {
    uint16_t mouseX, mouseY;              // client coordinates, taken as unsigned 16-bit numbers
    int32_t scrollX, scrollY;             // zoomed pixels
    float zoom;                           // 1 = 100 %
    int32_t pictureWidth, pictureHeight;  // unzoomed pixels
    int32_t clientWidth, clientHeight;
};

struct MapCell {
    float x, y;  // whole numbers, possibly zero or negative outside the map
};

// The cell under the click: undo the centring of a picture smaller than the client, the scroll and
// the zoom (rounding half to even), then floor to the grid. No bounds are applied.
MapCell CellOfClick(const ClickView& view);
