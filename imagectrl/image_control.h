// Our image control: the window class "ZIMAGECTRL" and the ZI_ and ZD_ functions the map view
// calls. All are stdcall with 32-bit arguments. A picture is shown at a zoom with scroll bars;
// sprite objects, known by process-wide ids, are drawn over it at picture coordinates.
#pragma once

#include <windows.h>

// The callback that ZI_EventMessage forwards mouse messages to (a dialog callback).
using ZiEventProc = INT_PTR(CALLBACK*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the window class "ZIMAGECTRL" in the executable's instance (once; later calls do
// nothing). The window text at creation names the picture to show; a trailing "<fit>" fits the
// whole picture into the control, aspect kept, and keeps it fitted as the control changes size
// until the zoom is set.
void WINAPI RegisterGDImageClass();

// From now on every image control forwards the mouse message `message` (WM_MOUSEFIRST to
// WM_MOUSELAST) to `proc`, with the control as window and wParam and lParam unchanged; `enable` 0
// stops it. The control's own handling (a button press takes the focus) comes first.
void WINAPI ZI_EventMessage(ZiEventProc proc, UINT message, LONG enable);

// Makes a child window follow its parent's size changes: 2 keeps its distance to the parent's
// right edge, 4 stretches with the parent's height, 5 stretches with width and height, 0 ends
// it; other modes are ignored. The child's rectangle and the parent's client size are taken now,
// so call it once the layout stands. The parent needs no code of its own for this.
void WINAPI ZI_SetAnchorMode(HWND window, LONG mode);

// Properties: 3 and 4 set the horizontal and vertical scroll position (zoomed pixels, clamped to
// the range). 11 is user scrolling: 1 shows scroll bars while the zoomed picture is larger than
// the control and lets the mouse wheel scroll (Shift + wheel sideways); 0, the default, moves the
// view only through properties 3 and 4. Other properties are ignored.
void WINAPI ZI_SetProperty(HWND control, LONG property, LONG value);

// Replaces the picture (PNG or JPEG; a trailing "<fit>" as for the window text). Returns nonzero
// when it loaded. A file that is missing, damaged, not a picture or larger than 16384 pixels a
// side or 48 M pixels in all leaves the control empty (ZI_GetDC gives 0). Without "<fit>" the
// zoom and scroll positions stay as they were.
LONG WINAPI ZI_SetFromFile(HWND control, const char* path);

// Zoom factor, 1 = 100 %. Magnified pictures are drawn with nearest neighbour (every picture pixel
// stays a sharp square), reduced ones smoothed. Zooms are kept within 1/64..64; a zoom that is
// not a positive number is ignored. Setting it leaves the scroll positions to
// ZI_SetZoomScrollInfo.
float WINAPI ZI_GetZoomValue(HWND control);
void WINAPI ZI_SetZoomValue(HWND control, float zoom);
// Adapts scrolling to a zoom change from `oldZoom` to `newZoom`: the point under the view's centre
// stays where it is. The zooms are bounded as ZI_SetZoomValue bounds them; with one that is not a
// positive number both scroll positions become 0.
void WINAPI ZI_SetZoomScrollInfo(HWND control, float oldZoom, float newZoom);

// Scroll positions in zoomed pixels.
LONG WINAPI ZI_GetXscroll(HWND control);
LONG WINAPI ZI_GetYscroll(HWND control);

// The picture's size in unzoomed pixels (0 x 0 without a picture).
void WINAPI ZI_GetImageSizeFromControl(HWND control, LONG* width, LONG* height);

// Nonzero while a picture is loaded (a memory DC holding the decoded picture, owned by the
// control: do not release it); 0 when the last load failed.
HDC WINAPI ZI_GetDC(HWND control);

// Repaints the control now, picture and sprites.
void WINAPI ZI_UpdateWindow(HWND control, LONG reserved);

// A sprite bitmap from the executable's PNG resource (RT_RCDATA) of that name, with its
// transparency; 0 when there is none.
HBITMAP WINAPI ZI_LoadBitmap(const char* name);

// Sprite objects. Ids are process-wide; calls with an id that names no object do nothing. An
// object is drawn over the picture in z-order, at its position, unless it is hidden or at the
// parked position 8000, 8000.
// ZD_ColorARGB: alpha in the top byte, then red, green, blue. Its alpha, passed to
// ZD_DrawBitmapToCtrl, is the sprite's opacity (255 opaque); the colour is not used.
// ZD_DrawBitmapToCtrl: object `id` on the control from a copy of the bitmap's pixels (the caller
// keeps the bitmap), at x, y, shown when `visible` is nonzero; an existing object of that id is
// replaced.
// ZD_UsePngOpacity: 1 draws with the bitmap's own transparency; 0, the default, opaque.
// ZD_SetObjectAngle: clockwise on screen, about the sprite's centre, to the nearest quarter turn.
// ZD_SetObjectScroll: 1 places the sprite at pixels of the unzoomed picture, moving and scaling
// with it, so a 13 x 13 sprite keeps covering its cell; 0, the default, at client pixels, unscaled.
// ZD_SetObjectLocked: our sprites cannot be dragged, so every one is locked; accepted and ignored.
// ZD_SetObjectQuality: scaling of the sprite, 0 (the default) nearest neighbour, crisp like the
// map; nonzero smooth.
// ZD_CloneObject: a copy of the source object, with all its settings, as `id` at x, y.
// ZD_SetObjectXY: with `redraw` 0 the move shows at the next paint (ZI_UpdateWindow).
// ZD_SetObjectZorder: higher is drawn above; equal ones in the order they were made.
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
