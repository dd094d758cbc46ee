#include "about/viewer_filter.h"

namespace {

constexpr uint32_t kSetFocus = 0x0007;
constexpr uint32_t kSetCursor = 0x0020;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kLeftButtonDown = 0x0201;
constexpr uint32_t kLeftButtonDoubleClick = 0x0203;

constexpr uint32_t kTab = 0x09;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kPageUp = 0x21;  // Page Up, Page Down, End, Home, then the four arrows
constexpr uint32_t kDown = 0x28;

bool IsNavigationKey(uint32_t key) {
    return key == kTab || key == kEscape || (key >= kPageUp && key <= kDown);
}

}  // namespace

FilterVerdict ViewerFilterVerdict(uint32_t message, uint32_t wParam, bool shiftDown) {
    switch (message) {
        case kSetFocus:  // without it the viewer shows no caret
        case kSetCursor:
        case kLeftButtonDown:  // no selection, no link to follow
        case kLeftButtonDoubleClick:
            return FilterVerdict::Stop;
        case kKeyDown:
            return IsNavigationKey(wParam) && !shiftDown ? FilterVerdict::Pass : FilterVerdict::Stop;
        default:
            return FilterVerdict::Pass;
    }
}
