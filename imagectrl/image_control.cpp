// The window class "ZIMAGECTRL": the picture, the view (zoom, scroll bars, wheel), painting, mouse
// forwarding, and the ZI_ calls on a control.
#include "imagectrl/image_control.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/dib.h"
#include "common/win_handles.h"
#include "common/win_text.h"
#include "imagectrl/image_control_internal.h"
#include "imagectrl/view_geometry.h"
#include "imagectrl/wic_decoder.h"

namespace {

constexpr wchar_t kClassName[] = L"ZIMAGECTRL";
constexpr int kLineStep = 20;   // zoomed pixels per scroll-bar arrow click
constexpr int kWheelStep = 60;  // zoomed pixels per wheel notch
constexpr int kStateIndex = 0;  // the ControlState pointer in the window's extra bytes
constexpr LONG kPropertyScrollX = 3, kPropertyScrollY = 4, kPropertyUserScrolling = 11;

ATOM classAtom = 0;
std::vector<std::pair<UINT, ZiEventProc>> forwarded;  // ZI_EventMessage registrations

// A 32-bit top-down DIB section selected into its own memory DC.
struct DibSurface {
    BitmapHandle bitmap;
    MemoryDc dc;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::optional<SelectionGuard> selection;  // last member: hands the bitmap back before both go

    PixelBuffer Pixels() const { return {bits, width, height, width}; }
    ConstPixelBuffer ConstPixels() const { return {bits, width, height, width}; }
};

std::unique_ptr<DibSurface> CreateDibSurface(int width, int height) {
    auto surface = std::make_unique<DibSurface>();
    surface->bitmap = CreateTopDownDib(width, height, &surface->bits);
    surface->dc.Reset(CreateCompatibleDC(nullptr));
    if (!surface->bitmap || !surface->dc) {
        return nullptr;
    }
    surface->width = width;
    surface->height = height;
    surface->selection.emplace(surface->dc.Get(), surface->bitmap.Get());
    return surface;
}

struct ControlState {
    HWND window = nullptr;
    std::unique_ptr<DibSurface> picture;  // none while no picture is loaded
    std::unique_ptr<DibSurface> buffer;   // the back buffer, client-sized
    float zoom = 1.0f;
    bool fit = false;            // the zoom follows the client size until it is set
    bool userScrolling = false;  // property 11
    int scrollX = 0;             // as last asked for; clamped into the range wherever used
    int scrollY = 0;
    bool stale = true;          // the back buffer no longer shows the state
    bool paintPending = false;  // an invalidation is waiting for its WM_PAINT
    bool updatingBars = false;
};

ControlState* StateOf(HWND window) {
    return IsImageControl(window) ? reinterpret_cast<ControlState*>(GetWindowLongPtrW(window, kStateIndex)) : nullptr;
}

// The axis that scroll bar `bar` (SB_HORZ or SB_VERT) moves along.
const ViewAxis& AxisOf(const ViewGeometry& view, int bar) {
    return bar == SB_HORZ ? view.x : view.y;
}

ViewGeometry View(const ControlState& state) {
    SIZE client = ClientSize(state.window);
    int width = state.picture ? state.picture->width : 0, height = state.picture ? state.picture->height : 0;
    return LayoutView(width, height, state.zoom, client.cx, client.cy, state.scrollX, state.scrollY);
}

// Many sprite calls in a row ask for one paint.
void Invalidate(ControlState& state) {
    state.stale = true;
    if (!state.paintPending) {
        state.paintPending = true;
        InvalidateRect(state.window, nullptr, FALSE);
    }
}

// Shows, sizes and places the scroll bars for the view. A bar that appears or goes changes the
// client size, which can change the fit zoom and the other bar, so this settles in a few rounds.
void UpdateScrollBars(ControlState& state) {
    if (state.updatingBars) {
        return;
    }
    state.updatingBars = true;
    for (int round = 0; round < 3; ++round) {
        SIZE before = ClientSize(state.window);
        if (state.fit && state.picture) {
            state.zoom = FitZoom(state.picture->width, state.picture->height, before.cx, before.cy);
        }
        ViewGeometry view = View(state);
        for (int bar : {SB_HORZ, SB_VERT}) {
            const ViewAxis& axis = AxisOf(view, bar);
            SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            if (state.userScrolling && axis.maxScroll > 0) {
                info.nMax = axis.zoomed - 1;
                info.nPage = static_cast<UINT>(axis.client);
                info.nPos = axis.scroll;
            }
            SetScrollInfo(state.window, bar, &info, TRUE);
        }
        SIZE after = ClientSize(state.window);
        if (after.cx == before.cx && after.cy == before.cy) {
            break;
        }
    }
    state.updatingBars = false;
    Invalidate(state);
}

void ScrollTo(ControlState& state, int bar, int position) {
    ViewGeometry view = View(state);
    const ViewAxis& axis = AxisOf(view, bar);
    int clamped = std::clamp(position, 0, axis.maxScroll);
    (bar == SB_HORZ ? state.scrollX : state.scrollY) = clamped;
    if (clamped != axis.scroll) {
        SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, clamped, 0};
        SetScrollInfo(state.window, bar, &info, TRUE);
        Invalidate(state);
    }
}

// Releases the old picture first, so that a large picture never shares memory with another.
bool LoadPicture(ControlState& state, std::wstring path) {
    state.fit = StripFitSuffix(path);
    state.picture.reset();
    std::unique_ptr<DibSurface> picture;
    bool loaded = DecodePictureFile(path, false, [&picture](int width, int height) -> uint32_t* {
        picture = CreateDibSurface(width, height);
        return picture ? picture->bits : nullptr;
    });
    if (loaded) {
        state.picture = std::move(picture);
    }
    UpdateScrollBars(state);
    return loaded;
}

void Render(ControlState& state) {
    SIZE client = ClientSize(state.window);
    if (!state.buffer || state.buffer->width != client.cx || state.buffer->height != client.cy) {
        state.buffer = CreateDibSurface(std::max<LONG>(client.cx, 1), std::max<LONG>(client.cy, 1));
        if (!state.buffer) {
            return;
        }
    }
    ViewGeometry view = View(state);
    ConstPixelBuffer picture = state.picture ? state.picture->ConstPixels() : ConstPixelBuffer{};
    GdiFlush();  // GDI may still be writing to the buffer
    DrawPicture(picture, state.buffer->Pixels(), view, RgbFromColorref(GetSysColor(COLOR_APPWORKSPACE)));
    DrawSprites(Sprites(), reinterpret_cast<uintptr_t>(state.window), view, state.buffer->Pixels());
    state.stale = false;
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW& create) {
    auto* state = new ControlState;  // the window's own, deleted at WM_NCDESTROY
    state->window = window;
    SetWindowLongPtrW(window, kStateIndex, reinterpret_cast<LONG_PTR>(state));
    LoadPicture(*state, create.lpszName ? create.lpszName : L"");
    return 0;
}

void OnNcDestroy(HWND window, ControlState* state) {
    SetWindowLongPtrW(window, kStateIndex, 0);
    Sprites().RemoveOwner(reinterpret_cast<uintptr_t>(window));
    delete state;
}

void OnPaint(ControlState& state) {
    PaintDc paint(state.window);
    state.paintPending = false;
    if (state.stale || !state.buffer) {
        Render(state);
    }
    if (state.buffer) {
        const RECT& dirty = paint.Dirty();
        BitBlt(paint.Get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
               state.buffer->dc.Get(), dirty.left, dirty.top, SRCCOPY);
    }
}

void OnSize(ControlState& state) {
    UpdateScrollBars(state);
}

void OnScroll(ControlState& state, int bar, int code) {
    ViewGeometry view = View(state);
    const ViewAxis& axis = AxisOf(view, bar);
    int position = axis.scroll;
    switch (code) {
        case SB_LINEUP:
            position -= kLineStep;
            break;
        case SB_LINEDOWN:
            position += kLineStep;
            break;
        case SB_PAGEUP:
            position -= axis.client;
            break;
        case SB_PAGEDOWN:
            position += axis.client;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = axis.maxScroll;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(state.window, bar, &info);
            position = info.nTrackPos;
            break;
        }
        default:
            return;
    }
    ScrollTo(state, bar, position);
}

// A notch toward the user scrolls down (with Shift, to the right); a tilt to the right scrolls right.
void OnMouseWheel(ControlState& state, int bar, int notches) {
    if (state.userScrolling) {
        ViewGeometry view = View(state);
        ScrollTo(state, bar, AxisOf(view, bar).scroll + notches * kWheelStep / WHEEL_DELTA);
    }
}

void Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& [registered, proc] : forwarded) {
        if (registered == message) {
            proc(window, message, wParam, lParam);
            return;
        }
    }
}

LRESULT HandleMessage(HWND window, ControlState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint(state);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case WM_SIZE:
            OnSize(state);
            return 0;
        case WM_HSCROLL:
            OnScroll(state, SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_VSCROLL:
            OnScroll(state, SB_VERT, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(state, GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT ? SB_HORZ : SB_VERT,
                         -GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_MOUSEHWHEEL:
            OnMouseWheel(state, SB_HORZ, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetFocus(window);
            break;  // so that the wheel comes here
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ImageControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        }
        auto* state = reinterpret_cast<ControlState*>(GetWindowLongPtrW(window, kStateIndex));
        if (!state) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY) {
            OnNcDestroy(window, state);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        LRESULT result = HandleMessage(window, *state, message, wParam, lParam);
        // Last: the receiver may run a modal dialog, during which this control may even go away.
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
            Forward(window, message, wParam, lParam);
        }
        return result;
    } catch (...) {
        return 0;
    }
}

}  // namespace

SpriteStore& Sprites() {
    static SpriteStore store;
    return store;
}

bool IsImageControl(HWND window) {
    return classAtom && IsWindow(window) && GetClassWord(window, GCW_ATOM) == classAtom;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void RefreshControl(HWND control, bool redraw) {
    if (ControlState* state = StateOf(control)) {
        state->stale = true;
        if (redraw) {
            Invalidate(*state);
        }
    }
}

void WINAPI RegisterGDImageClass() {
    if (classAtom) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ImageControlProc;
    windowClass.cbWndExtra = sizeof(ControlState*);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    classAtom = RegisterClassExW(&windowClass);
}

void WINAPI ZI_EventMessage(ZiEventProc proc, UINT message, LONG enable) {
    NoThrow([&] {
        std::erase_if(forwarded, [message](const auto& entry) { return entry.first == message; });
        if (enable && proc) {
            forwarded.emplace_back(message, proc);
        }
    });
}

void WINAPI ZI_SetProperty(HWND control, LONG property, LONG value) {
    ControlState* state = StateOf(control);
    if (!state) {
        return;
    }
    switch (property) {
        case kPropertyScrollX:
            ScrollTo(*state, SB_HORZ, value);
            break;
        case kPropertyScrollY:
            ScrollTo(*state, SB_VERT, value);
            break;
        case kPropertyUserScrolling:
            state->userScrolling = value != 0;
            UpdateScrollBars(*state);
            break;
        default:
            break;
    }
}

LONG WINAPI ZI_SetFromFile(HWND control, const char* path) {
    ControlState* state = StateOf(control);
    if (!state || !path) {
        return 0;
    }
    return NoThrow(0L, [&] { return LoadPicture(*state, WideFromAnsi(path)) ? 1L : 0L; });
}

float WINAPI ZI_GetZoomValue(HWND control) {
    ControlState* state = StateOf(control);
    return state ? state->zoom : 0.0f;
}

void WINAPI ZI_SetZoomValue(HWND control, float zoom) {
    ControlState* state = StateOf(control);
    double accepted = AcceptableZoom(zoom);
    if (!state || accepted == 0) {
        return;
    }
    // The scroll positions stay as they were: ZI_SetZoomScrollInfo maps them to the new zoom.
    state->zoom = static_cast<float>(accepted);
    state->fit = false;
    UpdateScrollBars(*state);
}

void WINAPI ZI_SetZoomScrollInfo(HWND control, float oldZoom, float newZoom) {
    ControlState* state = StateOf(control);
    if (!state || !state->picture) {
        return;
    }
    SIZE client = ClientSize(control);
    state->scrollX = SteadyScroll(state->scrollX, state->picture->width, client.cx, oldZoom, newZoom);
    state->scrollY = SteadyScroll(state->scrollY, state->picture->height, client.cy, oldZoom, newZoom);
    UpdateScrollBars(*state);
}

LONG WINAPI ZI_GetXscroll(HWND control) {
    ControlState* state = StateOf(control);
    return state ? View(*state).x.scroll : 0;
}

LONG WINAPI ZI_GetYscroll(HWND control) {
    ControlState* state = StateOf(control);
    return state ? View(*state).y.scroll : 0;
}

void WINAPI ZI_GetImageSizeFromControl(HWND control, LONG* width, LONG* height) {
    ControlState* state = StateOf(control);
    bool shown = state && state->picture;
    if (width) {
        *width = shown ? state->picture->width : 0;
    }
    if (height) {
        *height = shown ? state->picture->height : 0;
    }
}

HDC WINAPI ZI_GetDC(HWND control) {
    ControlState* state = StateOf(control);
    return state && state->picture ? state->picture->dc.Get() : nullptr;
}

void WINAPI ZI_UpdateWindow(HWND control, LONG) {
    if (ControlState* state = StateOf(control)) {
        Invalidate(*state);
        UpdateWindow(control);
    }
}
