#include "rrbutton/rrbutton.h"

#include <cstring>

#include "common/win_handles.h"
#include "rrbutton/button_look.h"

namespace {

constexpr UINT kHoverMilliseconds = 10;

using Slot = HANDLE RRButtonRecord::*;

// The four image slots, in the order of ImageSlot::Normal .. Disabled and of RRBM_LOADIMAGE ..
// RRBM_LOADDISABLEDIMAGE.
constexpr Slot kImageSlots[] = {&RRButtonRecord::image, &RRButtonRecord::hotImage, &RRButtonRecord::pressedImage,
                                &RRButtonRecord::disabledImage};
static_assert(static_cast<int>(ImageSlot::None) == 0 && static_cast<int>(ImageSlot::Normal) == 1 &&
                  static_cast<int>(ImageSlot::Hot) == 2 && static_cast<int>(ImageSlot::Pressed) == 3 &&
                  static_cast<int>(ImageSlot::Disabled) == 4,
              "ImageSlot n names kImageSlots[n - 1]");
static_assert(RRBM_LOADHOTIMAGE == RRBM_LOADIMAGE + 1 && RRBM_LOADPRESSEDIMAGE == RRBM_LOADIMAGE + 2 &&
                  RRBM_LOADDISABLEDIMAGE == RRBM_LOADIMAGE + 3,
              "RRBM_LOADIMAGE + n loads kImageSlots[n]");

// Images are released by their own kind, whatever imageType says now: the four slots share one
// imageType, which a later load may have changed.
void ReleaseImage(HANDLE image) {
    if (!image) {
        return;
    }
    if (GetObjectType(image) == OBJ_BITMAP) {
        DeleteObject(image);
    } else {
        DestroyIcon(static_cast<HICON>(image));
    }
}

void ReleaseSlot(RRButtonRecord& r, Slot slot) {
    if (slot != &RRButtonRecord::image || !r.imageIsCallers) {
        ReleaseImage(r.*slot);
    }
    r.*slot = nullptr;
}

void Redraw(const RRButtonRecord& r) {
    InvalidateRect(r.hwnd, nullptr, FALSE);
    UpdateWindow(r.hwnd);
}

void RedrawIf(const RRButtonRecord& r, LPARAM flag) {
    if (flag) {
        Redraw(r);
    }
}

bool IsPassive(const RRButtonRecord& r) {
    return r.staticLook > 0 && r.interactive == 0;
}

// The screen cursor lies inside the button's round shape.
bool IsCursorOver(const RRButtonRecord& r) {
    RECT window;
    POINT cursor;
    if (!r.region || !GetWindowRect(r.hwnd, &window) || !GetCursorPos(&cursor) || !PtInRect(&window, cursor)) {
        return false;
    }
    ScreenToClient(r.hwnd, &cursor);
    return PtInRegion(r.region, cursor.x, cursor.y);
}

void Click(const RRButtonRecord& r) {
    if (IsWindowEnabled(r.hwnd)) {
        SendMessageA(r.parent, WM_COMMAND, MAKEWPARAM(r.id, BN_CLICKED), reinterpret_cast<LPARAM>(r.hwnd));
    }
}

// The parent may destroy the button while it handles a click; then the record is gone.
bool StillAlive(HWND button, const RRButtonRecord& r) {
    return RRButtonRecordOf(button) == &r;
}

void FillWithSystemFace(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    WindowDc dc(button);
    FillRect(dc.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
}

// Makes the round-rect region of the client area grown by `grow` pixels on the right and bottom
// and moved by `origin`, and puts it in place of the old one.
void RebuildRegion(RRButtonRecord& r, int origin, int grow) {
    FillWithSystemFace(r.hwnd);
    RECT client;
    GetClientRect(r.hwnd, &client);
    DeleteObject(r.region);
    r.region = CreateRoundRectRgn(origin, origin, client.right + grow, client.bottom + grow, r.corner, r.corner);
}

void RefreshColors(RRButtonRecord& r) {
    const COLORREF system = GetSysColor(COLOR_BTNFACE);
    r.faceColor = FollowSystemFace(r.faceColor, r.lastSysFace, system);
    r.paletteEntries[0] = r.faceColor;
    r.paletteEntries[1] = RingShade(system);
    r.paletteEntries[2] = GetSysColor(COLOR_INFOBK);
    r.paletteEntries[3] = GetSysColor(COLOR_SCROLLBAR);
    r.lastSysFace = system;
    {
        WindowDc dc(r.hwnd);
        if (GetDeviceCaps(dc.Get(), NUMCOLORS) > -1 && (GetDeviceCaps(dc.Get(), RASTERCAPS) & RC_PALETTE)) {
            struct {
                WORD version, count;
                PALETTEENTRY entries[4];
            } palette{0x300, 4, {}};
            for (int i = 0; i < 4; ++i) {
                palette.entries[i] = {GetRValue(r.paletteEntries[i]), GetGValue(r.paletteEntries[i]),
                                      GetBValue(r.paletteEntries[i]), 0};
            }
            DeleteObject(r.palette);
            r.palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
            for (COLORREF& entry : r.paletteEntries) {
                entry |= 0x02000000;  // palette-relative, as PALETTERGB makes it
            }
            r.faceColor = r.paletteEntries[0];
        }
    }
    DeleteObject(r.faceBrush);
    r.faceBrush = CreateSolidBrush(r.faceColor);
}

// ---- painting ----

COLORREF InkColor(const RRButtonRecord& r, Ink ink) {
    switch (ink) {
        case Ink::Highlight:
            return GetSysColor(COLOR_BTNHIGHLIGHT);
        case Ink::Shadow:
            return GetSysColor(COLOR_BTNSHADOW);
        case Ink::Face:
            return r.faceColor;
        case Ink::RingShade:
            return r.paletteEntries[1];
        case Ink::InfoBackground:
            return GetSysColor(COLOR_INFOBK);
    }
    return r.faceColor;
}

ButtonLook LookOf(const RRButtonRecord& r) {
    return {r.staticLook, r.state, r.idleRaised, r.interactive, GetFocus() == r.hwnd};
}

void DrawFrame(const RRButtonRecord& r, HDC dc, int width, int height) {
    const Frame frame = ChooseFrame(LookOf(r));
    if (frame.notification) {
        SendMessageA(r.parent, frame.notification, reinterpret_cast<WPARAM>(r.hwnd), r.id);
    }
    for (int i = 0; i < frame.count; ++i) {
        const Outline& o = frame.outlines[i];
        PenHandle pen(CreatePen(PS_SOLID, 1, InkColor(r, o.ink)));
        SelectionGuard selected(dc, pen.Get());
        RoundRect(dc, o.a, o.a, width - o.b, height - o.b, r.corner, r.corner);
    }
}

void DrawImage(const RRButtonRecord& r, HDC dc, HANDLE image, Point at) {
    if (r.imageType == IMAGE_BITMAP) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, at.x, at.y, 0, 0, DST_BITMAP);
    } else {
        DrawIconEx(dc, at.x, at.y, static_cast<HICON>(image), r.imageWidth, r.imageHeight, 0, nullptr, DI_NORMAL);
    }
}

HANDLE ImageIn(const RRButtonRecord& r, ImageSlot slot) {
    return slot == ImageSlot::None ? nullptr : r.*kImageSlots[static_cast<int>(slot) - 1];
}

ImagesHeld ImagesOf(const RRButtonRecord& r) {
    return {ImageIn(r, ImageSlot::Normal) != nullptr, ImageIn(r, ImageSlot::Hot) != nullptr,
            ImageIn(r, ImageSlot::Pressed) != nullptr, ImageIn(r, ImageSlot::Disabled) != nullptr};
}

COLORREF TextColorOf(const RRButtonRecord& r, TextInk ink) {
    switch (ink) {
        case TextInk::Hot:
            return r.hotTextColor;
        case TextInk::Pressed:
            return r.pressedTextColor;
        case TextInk::Disabled:
            return GetSysColor(COLOR_BTNSHADOW);
        case TextInk::Normal:
            break;
    }
    return r.textColor;
}

// Everything but the copy to the screen: background, frame, image and text, into `dc`.
void PaintContent(RRButtonRecord& r, HDC dc, int width, int height, const char* text) {
    if (!r.font) {
        r.font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    }
    SelectionGuard font(dc, r.font);
    SetBkMode(dc, r.textBkMode);
    SetBkColor(dc, r.textBkColor);

    const RECT client{0, 0, width, height};
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectionGuard brush(dc, r.faceBrush);

    const ImageLayout layout{r.imagePos,        r.imageX,         r.imageY,           r.imageWidth,       r.imageHeight,
                             r.imageMarginLeft, r.imageMarginTop, r.imageMarginRight, r.imageMarginBottom};
    const Point at = r.image ? PlaceImage(layout, width, height) : Point{0, 0};

    DrawFrame(r, dc, width, height);

    // Read again: the parent may have changed the button while handling the frame's notification.
    const Content content =
        ChooseContent(LookOf(r), IsWindowEnabled(r.hwnd), r.emboss != 0, r.imageNoShift != 0, ImagesOf(r));
    if (HANDLE image = ImageIn(r, content.image)) {
        DrawImage(r, dc, image, content.shiftImage ? Point{at.x + 1, at.y + 1} : at);
    }
    const Box box =
        PlaceText({r.textMarginLeft, r.textMarginTop, r.textMarginRight, r.textMarginBottom}, width, height);
    RECT rect{box.left, box.top, box.right, box.bottom};
    if (content.shiftText) {
        OffsetRect(&rect, 1, 1);
    }
    if (content.embossCopy) {
        RECT copy = rect;
        OffsetRect(&copy, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text, -1, &copy, r.textFormat);
    }
    SetTextColor(dc, TextColorOf(r, content.ink));
    DrawTextA(dc, text, -1, &rect, r.textFormat);
}

void SelectPaletteInto(const RRButtonRecord& r, HDC dc) {
    if (r.palette) {
        SelectPalette(dc, r.palette, TRUE);
        RealizePalette(dc);
    }
}

// Composes the whole button in a memory bitmap and copies it in one go, clipped to the round
// shape, so it never flickers and never touches a pixel outside the shape. Without a memory
// bitmap it paints straight onto the screen instead.
LRESULT OnPaint(RRButtonRecord& r) {
    if (GetSysColor(COLOR_BTNFACE) != r.lastSysFace) {
        RefreshColors(r);
    }
    RECT client;
    GetClientRect(r.hwnd, &client);
    char text[1024];
    GetWindowTextA(r.hwnd, text, sizeof text);

    PaintDc paint(r.hwnd);
    if (r.region) {
        SelectClipRgn(paint.Get(), r.region);
    }
    SelectPaletteInto(r, paint.Get());

    MemoryDc memory(CreateCompatibleDC(paint.Get()));
    BitmapHandle bitmap(memory ? CreateCompatibleBitmap(paint.Get(), client.right, client.bottom) : nullptr);
    if (!bitmap) {
        PaintContent(r, paint.Get(), client.right, client.bottom, text);
        return 0;
    }
    SelectPaletteInto(r, memory.Get());
    SelectionGuard selected(memory.Get(), bitmap.Get());
    if (r.region) {
        SelectClipRgn(memory.Get(), r.region);
    }
    PaintContent(r, memory.Get(), client.right, client.bottom, text);
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return 0;
}

// ---- creation and destruction ----

LRESULT OnCreate(HWND button) {
    auto* r = static_cast<RRButtonRecord*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(RRButtonRecord)));
    if (!r) {
        return -1;
    }
    SetWindowLongPtrA(button, 0, reinterpret_cast<LONG_PTR>(r));
    r->parent = reinterpret_cast<HWND>(GetWindowLongPtrA(button, GWLP_HWNDPARENT));
    r->hwnd = button;
    r->id = static_cast<LONG>(GetWindowLongPtrA(button, GWLP_ID));
    r->resourceModule = GetModuleHandleA("VURIZODA.DLL");
    if (!r->resourceModule) {
        r->resourceModule = reinterpret_cast<HMODULE>(GetWindowLongPtrA(button, GWLP_HINSTANCE));
    }
    r->corner = 5;
    r->cursor = LoadCursorA(nullptr, IDC_ARROW);
    r->textBkMode = TRANSPARENT;
    r->lastSysFace = kNoColor;
    r->faceColor = NewFaceColor(GetSysColor(COLOR_BTNFACE));
    r->textBkColor = r->faceColor;
    r->textColor = r->hotTextColor = r->pressedTextColor = GetSysColor(COLOR_BTNTEXT);
    r->interactive = 1;
    r->imagePos = -4;
    r->textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    r->imageWidth = r->imageHeight = 16;
    SendMessageA(button, RRBM_SETCORNER, r->corner, 0);
    return 0;
}

LRESULT OnDestroy(RRButtonRecord* r) {
    if (r->hoverTimer) {
        KillTimer(r->hwnd, r->id);
    }
    DeleteObject(r->palette);
    DeleteObject(r->faceBrush);
    DeleteObject(r->ownedFont);
    DeleteObject(r->region);
    for (Slot slot : kImageSlots) {
        ReleaseSlot(*r, slot);
    }
    SetWindowLongPtrA(r->hwnd, 0, 0);
    HeapFree(GetProcessHeap(), 0, r);
    return 0;
}

// ---- property messages ----

template <typename Field>
LRESULT Set(RRButtonRecord& r, Field RRButtonRecord::*field, WPARAM value, LPARAM redraw) {
    r.*field = static_cast<Field>(value);
    RedrawIf(r, redraw);
    return 0;
}

LRESULT OnSetCorner(RRButtonRecord& r, int corner, LPARAM redraw) {
    r.corner = corner < 0 ? 0 : corner;
    RebuildRegion(r, -1, 2);
    RedrawIf(r, redraw);
    return 0;
}

LRESULT OnSetFaceColor(RRButtonRecord& r, COLORREF color, LPARAM redraw) {
    r.faceColor = color;
    RefreshColors(r);
    RedrawIf(r, redraw);
    return 0;
}

LRESULT OnSetStaticLook(RRButtonRecord& r, int look, LPARAM redraw) {
    r.staticLook = look;
    if (look) {
        r.interactive = 0;
    }
    r.state = look ? look - 1 : 0;
    RedrawIf(r, redraw);
    return 0;
}

LRESULT OnSetCursor(RRButtonRecord& r, WPARAM systemCursor, LPARAM cursor) {
    r.cursor = cursor ? reinterpret_cast<HCURSOR>(cursor) : LoadCursorA(nullptr, MAKEINTRESOURCEA(systemCursor));
    return 0;
}

LRESULT OnSetImagePos(RRButtonRecord& r, int pos, int y) {
    if (pos < 0) {
        r.imagePos = pos;
    } else {
        r.imagePos = 0;
        r.imageX = pos;
        r.imageY = y;
    }
    return 0;
}

LRESULT OnSetImageSize(RRButtonRecord& r, int width, int height) {
    r.imageWidth = width;
    r.imageHeight = height;
    return 0;
}

// A name with a full stop is a file path; one without is a resource name in resourceModule.
LRESULT OnLoadImage(RRButtonRecord& r, Slot slot, UINT kind, const char* name) {
    const bool normal = slot == &RRButtonRecord::image;
    ReleaseSlot(r, slot);
    if (normal) {
        r.imageIsCallers = 0;  // empty or loaded by the button, so the button's own again
    }
    if (!name) {
        return 0;
    }
    r.imageType = static_cast<LONG>(kind);
    if (normal) {
        // Pads with zeros; the last byte is never written and stays the zero of the new record.
        std::strncpy(r.imageName, name, sizeof r.imageName - 1);
    }
    const UINT flags = LR_LOADMAP3DCOLORS | (std::strchr(name, '.') ? LR_LOADFROMFILE : 0);
    r.*slot = LoadImageA(r.resourceModule, name, kind, 0, 0, flags);
    if (normal) {
        r.imageWidth = r.imageHeight = r.image ? 16 : 0;
    }
    return 0;
}

LRESULT OnGetImageName(const RRButtonRecord& r, char* buffer) {
    if (buffer) {
        std::memcpy(buffer, r.imageName, std::strlen(r.imageName));
    }
    return 0;
}

// ---- standard messages that change properties ----

LRESULT OnSetFont(RRButtonRecord& r, HFONT font, LPARAM redraw) {
    if (font) {
        r.font = font;
        if (redraw && IsWindowVisible(r.hwnd)) {
            Redraw(r);
        }
    }
    DefWindowProcA(r.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    return 0;
}

LRESULT OnSetImage(RRButtonRecord& r, UINT kind, HANDLE image) {
    HANDLE previous = r.image;
    r.imageType = static_cast<LONG>(kind);
    r.image = image;
    r.imageIsCallers = 1;
    r.imageWidth = r.imageHeight = image ? 16 : 0;
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT OnSize(RRButtonRecord& r) {
    RebuildRegion(r, 0, 1);
    return 0;
}

LRESULT OnSysColorChange(RRButtonRecord& r, WPARAM wParam, LPARAM lParam) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (IsBlackOrWhite(face)) {
        const COLORREF text = GetSysColor(COLOR_BTNTEXT);
        SendMessageA(r.hwnd, RRBM_SETFACECOLOR, face, 0);
        SendMessageA(r.hwnd, RRBM_SETTEXTCOLOR, text, 0);
        SendMessageA(r.hwnd, RRBM_SETHOTTEXTCOLOR, text, 0);
        SendMessageA(r.hwnd, RRBM_SETPRESSEDTEXTCOLOR, text, 1);
    }
    return DefWindowProcA(r.hwnd, WM_SYSCOLORCHANGE, wParam, lParam);
}

LRESULT OnForward(RRButtonRecord& r, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND button = r.hwnd;  // the parent may destroy the button, and the record with it
    SendMessageA(r.parent, message, wParam, lParam);
    return DefWindowProcA(button, message, wParam, lParam);
}

// ---- focus, keyboard and mouse ----

LRESULT OnSetFocus(RRButtonRecord& r) {
    r.state = 0;
    if (IsPassive(r)) {  // a passive button hands the focus on in the direction it came from
        const BOOL backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        SetFocus(GetNextDlgTabItem(r.parent, r.hwnd, backwards));
    }
    Redraw(r);
    return 0;
}

LRESULT OnKillFocus(RRButtonRecord& r) {
    r.state = 0;
    r.pressSource = 0;
    Redraw(r);
    return 0;
}

LRESULT OnGetDlgCode(RRButtonRecord& r, WPARAM wParam, LPARAM lParam) {
    if (r.staticLook == 0 || r.interactive != 0) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message && (message->message == WM_KEYDOWN || message->message == WM_CHAR) &&
            message->wParam == VK_RETURN) {
            return DLGC_WANTALLKEYS;
        }
        if (!message && r.staticLook == 0) {
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        }
    }
    return DefWindowProcA(r.hwnd, WM_GETDLGCODE, wParam, lParam);
}

// Enter clicks at once, on every key repeat; space presses the button until a key is released.
LRESULT OnKeyDown(RRButtonRecord& r, WPARAM key, LPARAM lParam) {
    const HWND button = r.hwnd;
    if (r.pressSource == 0) {
        if (key == VK_RETURN) {
            SendMessageA(r.parent, WM_COMMAND, MAKEWPARAM(r.id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        } else if (key == VK_SPACE) {
            r.state = 2;
            r.pressSource = 2;
            Redraw(r);
        }
    }
    return DefWindowProcA(button, WM_KEYDOWN, key, lParam);
}

LRESULT OnKeyUp(RRButtonRecord& r, WPARAM key, LPARAM lParam) {
    const HWND button = r.hwnd;
    if (r.pressSource == 2) {
        r.pressSource = 0;
        if (r.state) {
            r.state = 0;
            Redraw(r);
            Click(r);
            if (!StillAlive(button, r)) {
                return 0;
            }
        }
        r.state = 0;
        Redraw(r);
    }
    return DefWindowProcA(button, WM_KEYUP, key, lParam);
}

LRESULT OnLButtonDown(RRButtonRecord& r, WPARAM wParam, LPARAM lParam) {
    if (!IsCursorOver(r)) {
        return DefWindowProcA(r.hwnd, WM_LBUTTONDOWN, wParam, lParam);
    }
    SetCapture(r.hwnd);
    if (IsPassive(r)) {
        return 0;
    }
    if (r.pressSource == 2) {  // a keyboard press is under way: the mouse changes nothing
        return DefWindowProcA(r.hwnd, WM_LBUTTONDOWN, wParam, lParam);
    }
    r.pressSource = 1;
    if ((r.staticLook == 0 || (r.staticLook > 0 && r.interactive == 1)) && GetFocus() != r.hwnd) {
        SetFocus(r.hwnd);
    }
    r.state = 2;
    Redraw(r);
    return 0;
}

LRESULT OnLButtonUp(RRButtonRecord& r) {
    ReleaseCapture();
    if (IsPassive(r) || r.pressSource == 0) {
        return 0;
    }
    const LONG wasPressed = r.state;
    r.pressSource = 0;
    r.state = IsCursorOver(r) && r.staticLook == 0 ? 1 : 0;
    Redraw(r);
    if (wasPressed) {
        Click(r);
    }
    return 0;
}

void SetCursorIfOther(HCURSOR cursor) {
    if (GetCursor() != cursor) {
        SetCursor(cursor);
    }
}

LRESULT OnMouseMove(RRButtonRecord& r, WPARAM wParam, LPARAM lParam) {
    const bool over = IsCursorOver(r);
    if (IsPassive(r)) {
        if (over) {
            SetCursorIfOther(r.cursor);
        }
        return 0;
    }
    if (r.pressSource != 2) {
        if (over) {
            SetCursorIfOther(r.cursor);
            if (!r.hoverTimer && r.staticLook == 0) {
                r.hoverTimer = SetTimer(r.hwnd, r.id, kHoverMilliseconds, nullptr);
            }
            // Pressed while a mouse press lasts, else hot; a static look stays 0 but repaints.
            const LONG wanted = r.pressSource == 1 ? 2 : 1;
            if (r.state != wanted) {
                r.state = wanted == 1 && r.staticLook ? 0 : wanted;
                Redraw(r);
            }
        } else {
            if (GetCursor() == r.cursor) {
                SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            }
            if (r.state) {
                r.state = 0;
                Redraw(r);
            }
        }
    }
    return DefWindowProcA(r.hwnd, WM_MOUSEMOVE, wParam, lParam);
}

// The hover timer notices the pointer leaving the shape when no move message tells.
LRESULT OnTimer(RRButtonRecord& r, WPARAM wParam, LPARAM lParam) {
    if (!IsCursorOver(r)) {
        KillTimer(r.hwnd, r.id);
        r.hoverTimer = 0;
        r.state = 0;
        Redraw(r);
    }
    return DefWindowProcA(r.hwnd, WM_TIMER, wParam, lParam);
}

LRESULT HandleMessage(RRButtonRecord& r, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto w = static_cast<int>(wParam);
    switch (message) {
        case WM_PAINT:
            return OnPaint(r);
        case WM_ENABLE:
            Redraw(r);
            return 0;
        case WM_SETFOCUS:
            return OnSetFocus(r);
        case WM_KILLFOCUS:
            return OnKillFocus(r);
        case WM_GETDLGCODE:
            return OnGetDlgCode(r, wParam, lParam);
        case WM_KEYDOWN:
            return OnKeyDown(r, wParam, lParam);
        case WM_KEYUP:
            return OnKeyUp(r, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLButtonDown(r, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            SendMessageA(r.hwnd, WM_LBUTTONDOWN, wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            return OnLButtonUp(r);
        case WM_MOUSEMOVE:
            return OnMouseMove(r, wParam, lParam);
        case WM_TIMER:
            return OnTimer(r, wParam, lParam);
        case WM_SETFONT:
            return OnSetFont(r, reinterpret_cast<HFONT>(wParam), lParam);
        case BM_SETIMAGE:
            return OnSetImage(r, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
        case WM_SIZE:
            return OnSize(r);
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange(r, wParam, lParam);
        case WM_COMMAND:
        case WM_NOTIFY:
            return OnForward(r, message, wParam, lParam);

        case RRBM_SETCORNER:
            return OnSetCorner(r, w, lParam);
        case RRBM_SETFACECOLOR:
            return OnSetFaceColor(r, static_cast<COLORREF>(wParam), lParam);
        case RRBM_SETTEXTBKMODE:
            return Set(r, &RRButtonRecord::textBkMode, wParam, lParam);
        case RRBM_SETTEXTBKCOLOR:
            return Set(r, &RRButtonRecord::textBkColor, wParam, lParam);
        case RRBM_SETTEXTCOLOR:
            return Set(r, &RRButtonRecord::textColor, wParam, lParam);
        case RRBM_SETPRESSEDTEXTCOLOR:
            return Set(r, &RRButtonRecord::pressedTextColor, wParam, lParam);
        case RRBM_SETHOTTEXTCOLOR:
            return Set(r, &RRButtonRecord::hotTextColor, wParam, lParam);
        case RRBM_SETEMBOSS:
            return Set(r, &RRButtonRecord::emboss, wParam, lParam);
        case RRBM_SETIDLERAISED:
            return Set(r, &RRButtonRecord::idleRaised, wParam ? 1 : 0, lParam);
        case RRBM_SETSTATICLOOK:
            return OnSetStaticLook(r, w, lParam);
        case RRBM_SETCURSOR:
            return OnSetCursor(r, wParam, lParam);
        case RRBM_SETINTERACTIVE:
            return Set(r, &RRButtonRecord::interactive, wParam, lParam);
        case RRBM_REDRAW:
            Redraw(r);
            return 0;
        case RRBM_SETTEXTFORMAT:
            return Set(r, &RRButtonRecord::textFormat, wParam, lParam);
        case RRBM_SETTEXTMARGINLEFT:
            return Set(r, &RRButtonRecord::textMarginLeft, wParam, lParam);
        case RRBM_SETTEXTMARGINTOP:
            return Set(r, &RRButtonRecord::textMarginTop, wParam, lParam);
        case RRBM_SETTEXTMARGINRIGHT:
            return Set(r, &RRButtonRecord::textMarginRight, wParam, lParam);
        case RRBM_SETTEXTMARGINBOTTOM:
            return Set(r, &RRButtonRecord::textMarginBottom, wParam, lParam);
        case RRBM_SETIMAGEPOS:
            return OnSetImagePos(r, w, static_cast<int>(lParam));
        case RRBM_SETIMAGESIZE:
            return OnSetImageSize(r, w, static_cast<int>(lParam));
        case RRBM_SETIMAGENOSHIFT:
            return Set(r, &RRButtonRecord::imageNoShift, wParam, 0);
        case RRBM_SETIMAGEMARGINLEFT:
            return Set(r, &RRButtonRecord::imageMarginLeft, wParam, lParam);
        case RRBM_SETIMAGEMARGINTOP:
            return Set(r, &RRButtonRecord::imageMarginTop, wParam, lParam);
        case RRBM_SETIMAGEMARGINRIGHT:
            return Set(r, &RRButtonRecord::imageMarginRight, wParam, lParam);
        case RRBM_SETIMAGEMARGINBOTTOM:
            return Set(r, &RRButtonRecord::imageMarginBottom, wParam, lParam);
        case RRBM_LOADIMAGE:
        case RRBM_LOADHOTIMAGE:
        case RRBM_LOADPRESSEDIMAGE:
        case RRBM_LOADDISABLEDIMAGE:
            return OnLoadImage(r, kImageSlots[message - RRBM_LOADIMAGE], static_cast<UINT>(wParam),
                               reinterpret_cast<const char*>(lParam));

        case RRBM_GETCORNER:
            return r.corner;
        case RRBM_GETFACECOLOR:
            return r.faceColor;
        case RRBM_GETFACEBRUSH:
            return reinterpret_cast<LRESULT>(r.faceBrush);
        case RRBM_GETTEXTBKMODE:
            return r.textBkMode;
        case RRBM_GETTEXTBKCOLOR:
            return r.textBkColor;
        case RRBM_GETTEXTCOLOR:
            return r.textColor;
        case RRBM_GETPRESSEDTEXTCOLOR:
            return r.pressedTextColor;
        case RRBM_GETHOTTEXTCOLOR:
            return r.hotTextColor;
        case RRBM_GETEMBOSS:
            return r.emboss;
        case RRBM_GETIDLERAISED:
            return r.idleRaised;
        case RRBM_GETSTATICLOOK:
            return r.staticLook;
        case RRBM_GETINTERACTIVE:
            return r.interactive;
        case RRBM_GETTEXTFORMAT:
            return r.textFormat;
        case RRBM_GETTEXTMARGINLEFT:
            return r.textMarginLeft;
        case RRBM_GETTEXTMARGINTOP:
            return r.textMarginTop;
        case RRBM_GETTEXTMARGINRIGHT:
            return r.textMarginRight;
        case RRBM_GETTEXTMARGINBOTTOM:
            return r.textMarginBottom;
        case RRBM_GETIMAGEPOS:
            return r.imagePos;
        case RRBM_GETIMAGEWIDTH:
            return r.imageWidth;
        case RRBM_GETIMAGEHEIGHT:
            return r.imageHeight;
        case RRBM_GETIMAGEMARGINLEFT:
            return r.imageMarginLeft;
        case RRBM_GETIMAGEMARGINTOP:
            return r.imageMarginTop;
        case RRBM_GETIMAGEMARGINRIGHT:
            return r.imageMarginRight;
        case RRBM_GETIMAGEMARGINBOTTOM:
            return r.imageMarginBottom;
        case RRBM_GETIMAGENAME:
            return OnGetImageName(r, reinterpret_cast<char*>(wParam));
        default:
            return DefWindowProcA(r.hwnd, message, wParam, lParam);
    }
}

}  // namespace

RRButtonRecord* RRButtonRecordOf(HWND button) {
    return reinterpret_cast<RRButtonRecord*>(GetWindowLongPtrA(button, 0));
}

LRESULT CALLBACK RRButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return OnCreate(button);
    }
    RRButtonRecord* r = RRButtonRecordOf(button);
    if (!r) {  // before WM_CREATE and after WM_DESTROY
        return DefWindowProcA(button, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        return OnDestroy(r);
    }
    return HandleMessage(*r, message, wParam, lParam);
}
