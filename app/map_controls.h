// The Map window's control ids, shared by the parts that read and write its controls.
#pragma once

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
