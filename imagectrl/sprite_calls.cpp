// The ZD_ calls on sprite objects, and ZI_LoadBitmap. Objects are found by id in one hash table;
// a call with an id that names no object does nothing.
#include <memory>
#include <string_view>
#include <vector>

#include "common/dib.h"
#include "common/win_handles.h"
#include "common/win_resources.h"
#include "imagectrl/image_control.h"
#include "imagectrl/image_control_internal.h"
#include "imagectrl/view_geometry.h"
#include "imagectrl/wic_decoder.h"

namespace {

// Applies `change` to object `id` and tells its control, unless the object stays hidden.
template <typename F>
void ChangeObject(LONG id, bool redraw, F change) {
    if (SpriteObject* object = Sprites().Find(id)) {
        // The poll places the arrow four times a second, mostly where it already is: a call that
        // changes nothing costs no paint.
        SpriteObject before = *object;
        change(*object);
        if (before != *object && (before.visible || object->visible)) {
            RefreshControl(reinterpret_cast<HWND>(object->owner), redraw);
        }
    }
}

// The bitmap's pixels, top-down, with straight alpha. A bitmap without any alpha (not one of
// ZI_LoadBitmap's) is taken as opaque.
std::shared_ptr<SpriteBitmap> ReadBitmap(HBITMAP bitmap) {
    BITMAP header{};
    if (!GetObjectW(bitmap, sizeof(header), &header) || !PictureSizeAcceptable(header.bmWidth, header.bmHeight)) {
        return nullptr;
    }
    BITMAPINFO info = TopDownDibInfo(header.bmWidth, header.bmHeight);
    std::vector<uint32_t> pixels(static_cast<size_t>(header.bmWidth) * header.bmHeight);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc || GetDIBits(dc.Get(), bitmap, 0, header.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) == 0) {
        return nullptr;
    }
    bool anyAlpha = false;
    for (uint32_t pixel : pixels) {
        anyAlpha |= (pixel >> 24) != 0;
    }
    if (!anyAlpha) {
        for (uint32_t& pixel : pixels) {
            pixel |= 0xFF000000;
        }
    }
    return std::make_shared<SpriteBitmap>(header.bmWidth, header.bmHeight, std::move(pixels));
}

HBITMAP BitmapFromResource(const char* name) {
    std::string_view bytes = ResourceBytes(name);
    if (bytes.empty()) {
        return nullptr;
    }
    BitmapHandle bitmap;
    bool decoded = DecodePictureBytes(bytes.data(), static_cast<DWORD>(bytes.size()), true,
                                      [&bitmap](int width, int height) -> uint32_t* {
                                          uint32_t* bits = nullptr;
                                          bitmap = CreateTopDownDib(width, height, &bits);
                                          return bits;
                                      });
    return decoded ? bitmap.Release() : nullptr;
}

}  // namespace

HBITMAP WINAPI ZI_LoadBitmap(const char* name) {
    return name ? NoThrow<HBITMAP>(nullptr, [&] { return BitmapFromResource(name); }) : nullptr;
}

LONG WINAPI ZD_ColorARGB(BYTE alpha, COLORREF rgb) {
    return static_cast<LONG>((static_cast<DWORD>(alpha) << 24) | RgbFromColorref(rgb));
}

void WINAPI ZD_DrawBitmapToCtrl(HWND control, LONG x, LONG y, HBITMAP bitmap, LONG color, LONG id, LONG visible) {
    if (!IsImageControl(control) || !bitmap) {
        return;
    }
    NoThrow([&] {
        std::shared_ptr<SpriteBitmap> pixels = ReadBitmap(bitmap);
        if (!pixels) {
            return;
        }
        SpriteObject& object = Sprites().Create(id, reinterpret_cast<uintptr_t>(control), std::move(pixels));
        object.x = x;
        object.y = y;
        object.visible = visible != 0;
        object.opacity = static_cast<uint8_t>(static_cast<DWORD>(color) >> 24);
        RefreshControl(control, true);
    });
}

void WINAPI ZD_UsePngOpacity(LONG id, LONG use) {
    ChangeObject(id, true, [use](SpriteObject& object) { object.useAlpha = use != 0; });
}

void WINAPI ZD_SetObjectAngle(LONG id, LONG degrees, LONG redraw) {
    ChangeObject(id, redraw != 0, [degrees](SpriteObject& object) { object.quarterTurns = QuarterTurns(degrees); });
}

void WINAPI ZD_SetObjectScroll(LONG id, LONG scrolls) {
    ChangeObject(id, true, [scrolls](SpriteObject& object) { object.scrolls = scrolls != 0; });
}

void WINAPI ZD_SetObjectLocked(LONG, LONG) {}

void WINAPI ZD_SetObjectQuality(LONG id, LONG quality, LONG) {
    ChangeObject(id, true, [quality](SpriteObject& object) { object.smooth = quality != 0; });
}

void WINAPI ZD_CloneObject(LONG sourceId, LONG id, LONG x, LONG y) {
    NoThrow([&] {
        if (SpriteObject* object = Sprites().Clone(sourceId, id, x, y)) {
            RefreshControl(reinterpret_cast<HWND>(object->owner), true);
        }
    });
}

void WINAPI ZD_SetObjectXY(LONG id, LONG x, LONG y, LONG redraw) {
    ChangeObject(id, redraw != 0, [x, y](SpriteObject& object) {
        object.x = x;
        object.y = y;
    });
}

void WINAPI ZD_SetObjectVisibility(LONG id, LONG visible) {
    ChangeObject(id, true, [visible](SpriteObject& object) { object.visible = visible != 0; });
}

void WINAPI ZD_SetObjectZorder(LONG id, LONG order) {
    ChangeObject(id, true, [order](SpriteObject& object) { Sprites().SetZorder(object, order); });
}
