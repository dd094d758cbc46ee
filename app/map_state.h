// The Map window's process-wide values that the subsystems share: its control ids, its handle,
// and the map cell of the last right-click.
#pragma once

#include <windows.h>

enum MapControl {
    kHorizontalLabel = 1000,
    kXReadout = 1001,
    kVerticalLabel = 1002,
    kYReadout = 1003,
    kLevelLabel = 1004,
    kLevelReadout = 1005,
    kAlternateSetBox = 1006,
    kAboutButton = 1007,
    kExitButton = 1008,
    kZoomSlider = 1009,
    kImageControl = 1010,
};

// The Map window, from its creation on; null before.
extern HWND mapWindow;

// The map cell of the last right-click on the map, whole numbers held as single-precision floats;
// written when the click is resolved, read by the Annotation dialog.
extern float clickX;
extern float clickY;
