// The Map window: the program's one main window, a modal dialog of the dialog layer with the
// read-outs, the alternate-set checkbox, the About and Exit buttons, the zoom slider and the map.
#pragma once

#include <windows.h>

// Checks for the town picture, builds the Map window and runs it; returns when it has closed, or
// at once after the error box when the town picture is missing.
void RunMapWindow();

// Creates the Map window (hidden) with its eleven controls and its icon; the image control shows
// the town path.
HWND BuildMapWindow();

// The Map window's callback (the dialog layer's protocol); also receives the mouse presses that the
// image control forwards. Returns 0 on every path.
INT_PTR CALLBACK MapWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
