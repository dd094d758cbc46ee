#include "mapview/map_grid.h"

#include <cmath>

ArrowPlacement ArrowPlacementFor(int32_t x, int32_t y, int32_t facing) {
    ArrowPlacement arrow{14 * x - 12, 14 * (45 - y), std::nullopt};
    switch (facing) {
        case 1:
            arrow.angle = 270;
            break;
        case 2:
            arrow.angle = 0;
            arrow.y += 1;
            break;
        case 3:
            arrow.angle = 90;
            arrow.x -= 1;
            break;
        case 4:
            arrow.angle = 180;
            break;
        default:
            break;
    }
    return arrow;
}

namespace {

// Nearest integer, a half to the even neighbour (the default rounding mode).
int64_t RoundHalfEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

}  // namespace

MapCell CellOfClick(const ClickView& view) {
    int64_t zoomedWidth = RoundHalfEven(static_cast<double>(view.zoom) * view.pictureWidth);
    int64_t zoomedHeight = RoundHalfEven(static_cast<double>(view.zoom) * view.pictureHeight);
    int64_t offsetX = view.clientWidth > zoomedWidth ? (view.clientWidth - zoomedWidth) / 2 : 0;
    int64_t offsetY = view.clientHeight > zoomedHeight ? (view.clientHeight - zoomedHeight) / 2 : 0;
    int64_t px = view.mouseX, py = view.mouseY;
    if (view.zoom > 0) {
        px = RoundHalfEven((view.mouseX - offsetX + view.scrollX) / static_cast<double>(view.zoom));
        py = RoundHalfEven((view.mouseY - offsetY + view.scrollY) / static_cast<double>(view.zoom));
    }
    return {static_cast<float>(std::floor((px + 12) / 14.0)), static_cast<float>(std::floor(46 - (py - 2) / 14.0))};
}
