// What the image control's files share: the process-wide sprite objects, the way a control
// learns that something it shows has changed, and small window helpers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/no_throw.h"
#include "imagectrl/sprite_store.h"

SpriteStore& Sprites();

// True for a window of the class "ZIMAGECTRL".
bool IsImageControl(HWND window);

SIZE ClientSize(HWND window);

// A COLORREF as 0xRRGGBB, the order of our pixels' colour bytes.
inline uint32_t RgbFromColorref(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Something the control shows has changed: the next paint draws it afresh; with `redraw` that
// paint is asked for now.
void RefreshControl(HWND control, bool redraw);
