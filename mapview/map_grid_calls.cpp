#include "annotations/annotations.h"
#include "app/map_state.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"
#include "mapview/map_grid.h"
#include "mapview/map_view.h"

namespace {

constexpr LONG kAboveAll = 0xFFFFFF;

}  // namespace

void PlaceArrow() {
    if (playerState.level == 0) {
        ZD_SetObjectXY(kArrowSprite, kParked, kParked, 1);  // out of sight; its visibility stays
        return;
    }
    ArrowPlacement arrow = ArrowPlacementFor(playerState.x, playerState.y, playerState.facing);
    ZD_SetObjectVisibility(kArrowSprite, 1);
    if (arrow.angle) {
        ZD_SetObjectAngle(kArrowSprite, *arrow.angle, 1);
    }
    ZD_SetObjectZorder(kArrowSprite, kAboveAll);  // above every marker
    ZD_SetObjectXY(kArrowSprite, arrow.x, arrow.y, 1);
}

void CellFromClick(HWND window, LPARAM lParam) {
    if (window != GetDlgItem(mapWindow, kImageControl)) {
        return;
    }
    LONG pictureWidth = 0, pictureHeight = 0;
    ZI_GetImageSizeFromControl(window, &pictureWidth, &pictureHeight);
    RECT client{};
    GetClientRect(window, &client);
    ClickView view{
        LOWORD(lParam), HIWORD(lParam), ZI_GetXscroll(window), ZI_GetYscroll(window), ZI_GetZoomValue(window),
        pictureWidth,   pictureHeight,  client.right,          client.bottom};
    MapCell cell = CellOfClick(view);
    clickX = cell.x;
    clickY = cell.y;
    ShowAnnotationDialog(window);
}
