// What the About viewer may see: it is a view, not an editor, so clicks, focus, cursor changes and
// most keys are kept from it, while scrolling, the navigation keys, Tab and Esc get through.
#pragma once

#include <cstdint>

enum class FilterVerdict { Stop, Pass };

// `shiftDown` is the Shift key's state when the key-down is handled.
FilterVerdict ViewerFilterVerdict(uint32_t message, uint32_t wParam, bool shiftDown);
