// Anchors: a child window keeps, stretches or moves with its parent's client area. The rectangle
// and the parent's size are remembered when the anchor is set; every later size of the parent
// gives the child's rectangle from them.
#pragma once

struct AnchorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const AnchorRect&) const = default;
};

enum class AnchorMode {
    None = 0,
    KeepRightMargin = 2,  // moves with the right edge, same size
    StretchHeight = 4,    // keeps its top and its bottom margin
    StretchBoth = 5,      // keeps its top-left corner and its right and bottom margins
};

// False for the modes we do not know.
bool AnchorModeKnown(int mode);

// The child's rectangle for a parent client of newWidth x newHeight, from the rectangle it had
// when the parent's client was oldWidth x oldHeight. A stretched child never gets a negative size.
AnchorRect AnchoredRect(AnchorMode mode,
                        const AnchorRect& original,
                        int oldWidth,
                        int oldHeight,
                        int newWidth,
                        int newHeight);
