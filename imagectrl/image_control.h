// Our image control: the window class "ZIMAGECTRL" and the ZI_ and ZD_ functions the map view
// calls. All are stdcall with 32-bit arguments. A picture is shown at a zoom with scroll bars;
// sprite objects, known by process-wide ids, are drawn over it at picture coordinates.
#pragma once

#include <windows.h>

// The callback that ZI_EventMessage forwards mouse messages to (a dialog callback).
using ZiEventProc = INT_PTR(CALLBACK*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window class "ZIMAGECTRL". The window text at creation names the picture to show;
// a trailing "<fit>" fits the whole picture into the control, aspect kept.
void WINAPI RegisterGDImageClass();

// From now on every image control forwards `message` (when `enable` is nonzero) to `proc`, with
// the control as window and wParam and lParam unchanged.
void WINAPI ZI_EventMessage(ZiEventProc proc, UINT message, LONG enable);

// Makes a child window follow its parent's size changes: 2 keeps its distance to the parent's
// right edge, 4 stretches with the parent's height, 5 stretches with width and height.
void WINAPI ZI_SetAnchorMode(HWND window, LONG mode);

// Properties: 3 and 4 set the horizontal and vertical scroll position (zoomed pixels).
void WINAPI ZI_SetProperty(HWND control, LONG property, LONG value);

// Replaces the picture (PNG or JPEG). Returns nonzero when it loaded.
LONG WINAPI ZI_SetFromFile(HWND control, const char* path);

// Zoom factor, 1 = 100 %.
float WINAPI ZI_GetZoomValue(HWND control);
void WINAPI ZI_SetZoomValue(HWND control, float zoom);
// Adapts scrolling to a zoom change from `oldZoom` to `newZoom`: the point under the view's centre
// stays where it is.
void WINAPI ZI_SetZoomScrollInfo(HWND control, float oldZoom, float newZoom);

// Scroll positions in zoomed pixels.
LONG WINAPI ZI_GetXscroll(HWND control);
LONG WINAPI ZI_GetYscroll(HWND control);

// The picture's size in unzoomed pixels (0 x 0 without a picture).
void WINAPI ZI_GetImageSizeFromControl(HWND control, LONG* width, LONG* height);

// Nonzero while a picture is loaded; 0 when the last load failed.
HDC WINAPI ZI_GetDC(HWND control);

// Repaints the control now.
void WINAPI ZI_UpdateWindow(HWND control, LONG reserved);

// A sprite bitmap from the executable's PNG resource (RT_RCDATA) of that name, with its
// transparency; 0 when there is none.
HBITMAP WINAPI ZI_LoadBitmap(const char* name);

// Sprite objects. Positions are pixels of the unzoomed picture; ids are process-wide; calls with
// an id that names no object do nothing.
LONG WINAPI ZD_ColorARGB(BYTE alpha, COLORREF rgb);
void WINAPI ZD_DrawBitmapToCtrl(HWND control, LONG x, LONG y, HBITMAP bitmap, LONG color, LONG id, LONG visible);
void WINAPI ZD_UsePngOpacity(LONG id, LONG use);
void WINAPI ZD_SetObjectAngle(LONG id, LONG degrees, LONG redraw);
void WINAPI ZD_SetObjectScroll(LONG id, LONG scrolls);
void WINAPI ZD_SetObjectLocked(LONG id, LONG locked);
void WINAPI ZD_SetObjectQuality(LONG id, LONG quality, LONG reserved);
void WINAPI ZD_CloneObject(LONG sourceId, LONG id, LONG x, LONG y);
void WINAPI ZD_SetObjectXY(LONG id, LONG x, LONG y, LONG redraw);
void WINAPI ZD_SetObjectVisibility(LONG id, LONG visible);
void WINAPI ZD_SetObjectZorder(LONG id, LONG order);
