#include "imagectrl/anchor_layout.h"

#include <algorithm>

bool AnchorModeKnown(int mode) {
    return mode == 0 || mode == 2 || mode == 4 || mode == 5;
}

AnchorRect AnchoredRect(AnchorMode mode,
                        const AnchorRect& original,
                        int oldWidth,
                        int oldHeight,
                        int newWidth,
                        int newHeight) {
    AnchorRect rect = original;
    int dx = newWidth - oldWidth, dy = newHeight - oldHeight;
    switch (mode) {
        case AnchorMode::KeepRightMargin:
            rect.left += dx;
            rect.right += dx;
            break;
        case AnchorMode::StretchHeight:
            rect.bottom = std::max(rect.top, rect.bottom + dy);
            break;
        case AnchorMode::StretchBoth:
            rect.right = std::max(rect.left, rect.right + dx);
            rect.bottom = std::max(rect.top, rect.bottom + dy);
            break;
        case AnchorMode::None:
            break;
    }
    return rect;
}
