// ZI_SetAnchorMode: children that follow their parent's size. The parent is subclassed once; on
// every WM_SIZE its anchored children are laid out again from the rectangles and parent size
// remembered when each anchor was set.
#include <windows.h>

#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "imagectrl/anchor_layout.h"
#include "imagectrl/image_control.h"
#include "imagectrl/image_control_internal.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x5A41;  // any id of ours

struct Anchor {
    HWND child;
    AnchorMode mode;
    AnchorRect rect;  // in the parent's client coordinates, when the anchor was set
    SIZE parent;      // the parent's client size then
};

std::unordered_map<HWND, std::vector<Anchor>> anchorsByParent;

void LayOut(HWND parent, SIZE size) {
    auto found = anchorsByParent.find(parent);
    if (found == anchorsByParent.end()) {
        return;
    }
    HDWP positions = BeginDeferWindowPos(static_cast<int>(found->second.size()));
    if (!positions) {
        return;
    }
    for (const Anchor& anchor : found->second) {
        if (!IsWindow(anchor.child)) {
            continue;
        }
        AnchorRect rect = AnchoredRect(anchor.mode, anchor.rect, anchor.parent.cx, anchor.parent.cy, size.cx, size.cy);
        positions = DeferWindowPos(positions, anchor.child, nullptr, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (!positions) {
            return;  // the moves asked for so far went with it
        }
    }
    EndDeferWindowPos(positions);
}

LRESULT CALLBACK AnchorSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

void OnParentSize(HWND parent, WPARAM kind, SIZE size) {
    if (kind != SIZE_MINIMIZED) {
        LayOut(parent, size);
    }
}

void OnParentNcDestroy(HWND parent) {
    anchorsByParent.erase(parent);
    RemoveWindowSubclass(parent, AnchorSubclassProc, kSubclassId);
}

// The parent's own procedure still gets every message, after ours.
LRESULT CALLBACK AnchorSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    try {
        switch (message) {
            case WM_SIZE:
                OnParentSize(window, wParam, {LOWORD(lParam), HIWORD(lParam)});
                break;
            case WM_NCDESTROY:
                OnParentNcDestroy(window);
                break;
            default:
                break;
        }
    } catch (...) {
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void WINAPI ZI_SetAnchorMode(HWND window, LONG mode) {
    HWND parent = window ? GetParent(window) : nullptr;
    if (!parent || !AnchorModeKnown(mode)) {
        return;
    }
    NoThrow([&] {
        std::vector<Anchor>& anchors = anchorsByParent[parent];
        std::erase_if(anchors, [window](const Anchor& anchor) { return anchor.child == window; });
        if (mode != 0) {
            RECT rect{};
            GetWindowRect(window, &rect);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
            anchors.push_back({window,
                               static_cast<AnchorMode>(mode),
                               {rect.left, rect.top, rect.right, rect.bottom},
                               ClientSize(parent)});
        }
        SetWindowSubclass(parent, AnchorSubclassProc, kSubclassId, 0);  // once: a second call only updates it
    });
}
