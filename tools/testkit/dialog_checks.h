// Checks that a dialog of the dialog layer came out as its table states, in dialog units.
#pragma once

#include <windows.h>

// A control as a dialog's table states it. The text is not checked when null. WS_CLIPSIBLINGS and
// WS_EX_NOPARENTNOTIFY, which the system adds to some children, are not compared.
struct ExpectedControl {
    int id;
    const wchar_t* className;
    const char* text;
    RECT units;  // x, y, width, height
    DWORD style, exStyle;
};

// The dialog's client area: its origin at `units`' x and y from the owner's client origin, its size
// `units`' width and height.
void ExpectDialogPlacement(HWND dialog, HWND owner, RECT units);

// `control` (a child of `dialog`) has the id, class, text, place, size and styles of `expected`.
void ExpectControl(HWND dialog, HWND control, const ExpectedControl& expected);
