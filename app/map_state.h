// The Map window's process-wide values that the subsystems share: its control ids, its timer, its
// sprites, its handle, and the map cell of the last right-click.
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

// The Map window's poll timer, four ticks a second.
constexpr UINT_PTR kPollTimer = 10000;

// The Map window's sprites on its image control: the party arrow, made at start-up, and the
// markers, cloned from the annotation template (kAnnotationTemplateSprite). A sprite is put out of
// sight at the parked position, which the image control never draws.
constexpr LONG kArrowSprite = 10001;
constexpr LONG kParked = 8000;

// The Map window, from its creation on; null before.
extern HWND mapWindow;

// The map cell of the last right-click on the map, whole numbers held as single-precision floats;
// written when the click is resolved, read by the Annotation dialog.
extern float clickX;
extern float clickY;
