#include <windows.h>

#include <commctrl.h>

#include "annotations/annotations.h"
#include "app/map_state.h"
#include "common/win_text.h"
#include "dialogs/dialog_layer.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"
#include "mapview/map_paths.h"
#include "mapview/map_view.h"

std::string townPath;
int32_t lastShownLevel = 0;

namespace {

constexpr WORD kZoomMin = 978;  // not 1000: the thumb's top shows the picture a little smaller
constexpr WORD kZoomMax = 5000;

void SetScrollPosition(HWND image, int bar, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(image, bar, &info, TRUE);
}

}  // namespace

std::string BuildMapPath(int32_t level, int alternate) {
    return level == 0 ? townPath : LevelPicturePath(CurrentDirectoryAnsi(), level, alternate);
}

void LoadMapPicture(HWND window, const std::string& path) {
    if (path.empty()) {
        return;
    }
    HWND image = GetDlgItem(window, kImageControl);
    bool keepView = playerState.level != 0;
    float zoom = 0;
    LONG scrollX = 0, scrollY = 0;
    if (keepView) {
        zoom = ZI_GetZoomValue(image);
        scrollX = ZI_GetXscroll(image);
        scrollY = ZI_GetYscroll(image);
    }
    ShowWindow(image, SW_HIDE);  // the change is not seen half-done
    ZI_SetFromFile(image, path.c_str());
    if (keepView) {
        ZI_SetZoomValue(image, zoom);
        ZI_SetZoomScrollInfo(image, zoom, zoom);
        ZI_SetProperty(image, 3, scrollX);
        ZI_SetProperty(image, 4, scrollY);
        SetScrollPosition(image, SB_HORZ, scrollX);
        SetScrollPosition(image, SB_VERT, scrollY);
    }
    if (ZI_GetDC(image)) {
        // The slider clamps its position into the range: the first time 0 becomes 978. Setting the
        // position sends no WM_VSCROLL, so the zoom stays as it is.
        HWND slider = GetDlgItem(window, kZoomSlider);
        LRESULT position = SendMessageW(slider, TBM_GETPOS, 0, 0);
        SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(kZoomMin, kZoomMax));
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
    }
    ShowWindow(image, SW_SHOW);
}

void ShowMapOfLevel(HWND window, int alternate) {
    LoadMapPicture(window, BuildMapPath(playerState.level, alternate));
    lastShownLevel = playerState.level;
    PlaceMarkers();
}

void ReloadMapForCheckbox(HWND window) {
    // By the time WM_COMMAND arrives the box has toggled: this is the new state.
    ShowMapOfLevel(window, GetCheckState(window, kAlternateSetBox));
}

void ApplySliderZoom(HWND window) {
    HWND image = GetDlgItem(window, kImageControl);
    LRESULT position = SendMessageA(GetDlgItem(window, kZoomSlider), TBM_GETPOS, 0, 0);
    float oldZoom = ZI_GetZoomValue(image);
    float newZoom = static_cast<float>(position / 1000.0);
    ZI_SetZoomValue(image, newZoom);
    ZI_SetZoomScrollInfo(image, oldZoom, newZoom);
}
