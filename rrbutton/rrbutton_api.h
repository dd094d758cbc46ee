// The round-rect button's creation API, exported by name from KOR.exe for other modules of the
// process: stdcall, every argument 32 bits. Text arguments are BSTRs of ANSI bytes that belong to
// the callee, which frees each exactly once, on every path; a null BSTR is an empty text.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

// Registers the window class "RRBUTTON"; calling it again changes nothing.
extern "C" void WINAPI InitRRButtonClass();

// A button with the style as given. With dialogUnits set, x, y, width and height are dialog
// units of the dialog layer's dialog that holds the parent (0 when there is none).
extern "C" HWND WINAPI CreateRRButton(HWND parent,
                                      LONG id,
                                      BSTR text,
                                      LONG x,
                                      LONG y,
                                      LONG width,
                                      LONG height,
                                      DWORD style,
                                      DWORD exStyle,
                                      LONG dialogUnits);

// A push button with the live look and optional icons (file paths or resource names).
extern "C" HWND WINAPI MakeRRButton(HWND parent,
                                    LONG id,
                                    BSTR text,
                                    LONG x,
                                    LONG y,
                                    LONG width,
                                    LONG height,
                                    DWORD style,
                                    DWORD exStyle,
                                    BSTR icon,
                                    BSTR hotIcon,
                                    LONG dialogUnits);

// A web-link button: flat, blue bold underlined text, red while pressed, a hand cursor.
extern "C" HWND WINAPI MakeRRButtonURL(HWND parent,
                                       LONG id,
                                       BSTR text,
                                       LONG x,
                                       LONG y,
                                       LONG width,
                                       LONG height,
                                       DWORD style,
                                       DWORD exStyle,
                                       BSTR icon,
                                       BSTR pressedIcon,
                                       BSTR disabledIcon,
                                       LONG dialogUnits);
