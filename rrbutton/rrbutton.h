// The round-rect button: window class "RRBUTTON", an owner-drawn push button with rounded
// corners, hot and pressed looks, images and text. Other modules of the process create it through
// the exports in rrbutton_api.h and set it up with the messages of rrbutton_messages.h.
#pragma once

#include <windows.h>

#include "rrbutton/rrbutton_messages.h"

constexpr char kRRButtonClass[] = "RRBUTTON";

// One per button, allocated zero-filled from the process heap at WM_CREATE and freed at
// WM_DESTROY, reached through the window's 4 extra bytes. Other modules rely on this layout (one
// 32-bit word per field, the palette entries and the image name excepted), so the fields stay
// plain and in this order. The button owns faceBrush, ownedFont, region, palette and the images
// (the normal image only while imageIsCallers is 0); font and cursor belong to others.
struct RRButtonRecord {
    HWND hwnd;
    LONG id;  // also the hover timer's id
    HMODULE resourceModule;
    HWND parent;
    HBRUSH faceBrush;
    HFONT font;
    HFONT ownedFont;
    HRGN region;
    UINT_PTR hoverTimer;
    LONG corner;
    HCURSOR cursor;
    COLORREF faceColor;
    LONG textBkMode;
    COLORREF textBkColor;
    COLORREF textColor;
    COLORREF pressedTextColor;
    COLORREF hotTextColor;
    LONG emboss;
    LONG idleRaised;
    LONG interactive;
    LONG state;        // 0 normal, 1 hot, 2 pressed
    LONG pressSource;  // 0 none, 1 mouse, 2 space bar
    LONG staticLook;   // 0 live; 1, 2, 3 fixed flat, raised, sunken
    HANDLE image;
    HANDLE hotImage;
    HANDLE pressedImage;
    HANDLE disabledImage;
    LONG imageIsCallers;
    LONG imageType;  // IMAGE_BITMAP draws bitmaps, anything else icons
    LONG imageX;
    LONG imageY;
    LONG imageWidth;
    LONG imageHeight;
    LONG imagePos;
    LONG imageNoShift;
    LONG imageMarginLeft;
    LONG imageMarginTop;
    LONG imageMarginRight;
    LONG imageMarginBottom;
    LONG textFormat;
    LONG textMarginLeft;
    LONG textMarginTop;
    LONG textMarginRight;
    LONG textMarginBottom;
    HPALETTE palette;
    COLORREF paletteEntries[4];
    COLORREF lastSysFace;
    char imageName[40];
};
static_assert(sizeof(void*) != 4 || sizeof(RRButtonRecord) == 46 * 4 + 16 + 40, "one 32-bit word per field");

// The record of a button window, or nullptr outside WM_CREATE .. WM_DESTROY.
RRButtonRecord* RRButtonRecordOf(HWND button);

LRESULT CALLBACK RRButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
