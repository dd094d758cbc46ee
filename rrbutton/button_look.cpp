#include "rrbutton/button_look.h"

#include <algorithm>

#include "rrbutton/rrbutton_messages.h"

Color ShiftChannels(Color color, int delta) {
    Color result = color & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        int channel = std::clamp(static_cast<int>((color >> shift) & 0xFF) + delta, 0, 255);
        result |= static_cast<Color>(channel) << shift;
    }
    return result;
}

bool IsBlackOrWhite(Color color) {
    return color == 0x000000 || color == 0xFFFFFF;
}

Color NewFaceColor(Color systemFace) {
    return IsBlackOrWhite(systemFace) ? systemFace : ShiftChannels(systemFace, 8);
}

Color FollowSystemFace(Color face, Color lastSystemFace, Color systemFace) {
    if (lastSystemFace == kNoColor) {
        return face;
    }
    // The plain face is tested first: where lightening changes nothing (white) the face was plain.
    if (face == lastSystemFace) {
        return systemFace;
    }
    if (face == ShiftChannels(lastSystemFace, 8)) {
        return ShiftChannels(systemFace, 8);
    }
    return face;
}

Color RingShade(Color systemFace) {
    return ShiftChannels(systemFace, -16);
}

namespace {

// Half of twice, rounded to the nearest integer and an exact half to the even one.
int64_t HalfRoundedToEven(int64_t twice) {
    int64_t floor = twice >= 0 ? twice / 2 : -((1 - twice) / 2);
    bool half = twice % 2 != 0;
    return half && floor % 2 != 0 ? floor + 1 : floor;
}

// Sums of 32-bit values are made in 64 bits and then held to the reachable places.
int Held(int64_t place) {
    return static_cast<int>(std::clamp<int64_t>(place, -kFarthestPlace, kFarthestPlace));
}

}  // namespace

Point PlaceImage(const ImageLayout& image, int width, int height) {
    if (image.pos > -1 || image.pos < -9) {
        return {Held(image.x), Held(image.y)};
    }
    int column = (-image.pos - 1) % 3;  // 0 left, 1 centre, 2 right
    int row = (-image.pos - 1) / 3;     // 0 top, 1 middle, 2 bottom
    int64_t x = column == 0   ? image.marginLeft
                : column == 1 ? HalfRoundedToEven(int64_t{width} - image.width + 2 * int64_t{image.marginLeft})
                              : int64_t{width} - image.width - image.marginRight;
    int64_t y = row == 0   ? image.marginTop
                : row == 1 ? HalfRoundedToEven(int64_t{height} - image.height + 2 * int64_t{image.marginTop})
                           : int64_t{height} - image.height - image.marginBottom;
    return {Held(x), Held(y)};
}

Box PlaceText(const TextLayout& text, int width, int height) {
    return {Held(text.marginLeft), Held(text.marginTop), Held(int64_t{width} - text.marginRight),
            Held(int64_t{height} - text.marginBottom)};
}

Frame ChooseFrame(const ButtonLook& look) {
    const bool live = look.staticLook == 0;
    const bool interactive = look.interactive != 0;
    if (look.staticLook == 2 || (live && (look.state == 1 || (look.state == 0 && look.idleRaised == 1)))) {
        Frame frame{Look::Raised, RRBN_RAISED, {{{0, 1, Ink::Highlight}, {1, 0, Ink::Shadow}, {1, 1, Ink::Face}}}, 3};
        if (interactive && look.focused && (look.idleRaised != 0 || !live)) {
            frame.outlines[frame.count++] = {2, 2, Ink::RingShade};
        }
        return frame;
    }
    if (look.staticLook == 3 || (live && look.state == 2)) {
        Frame frame{Look::Sunken, RRBN_SUNKEN, {{{1, 0, Ink::Highlight}, {0, 1, Ink::Shadow}, {1, 1, Ink::Face}}}, 3};
        if (interactive && !live && look.focused) {
            frame.outlines[frame.count++] = {2, 2, Ink::InfoBackground};
        }
        return frame;
    }
    Frame frame{Look::Flat, look.idleRaised == 0 ? RRBN_FLAT : 0u, {{{0, live ? 1 : 0, Ink::Face}}}, 1};
    if (interactive && look.idleRaised == 0 && look.focused) {
        frame.outlines[frame.count++] = {0, 1, live ? Ink::InfoBackground : Ink::RingShade};
    }
    return frame;
}

Content ChooseContent(const ButtonLook& look, bool enabled, bool emboss, bool imageNoShift, const ImagesHeld& images) {
    auto first = [](std::initializer_list<std::pair<bool, ImageSlot>> choices) {
        for (auto [held, slot] : choices) {
            if (held) {
                return slot;
            }
        }
        return ImageSlot::None;
    };
    const bool live = look.staticLook == 0;
    if (look.state == 2) {
        return {first({{images.pressed, ImageSlot::Pressed},
                       {images.hot, ImageSlot::Hot},
                       {images.normal, ImageSlot::Normal}}),
                live && !imageNoShift, live, emboss, TextInk::Pressed};
    }
    if (look.state == 1) {
        return {first({{images.hot, ImageSlot::Hot},
                       {images.pressed, ImageSlot::Pressed},
                       {images.normal, ImageSlot::Normal}}),
                false, false, emboss, TextInk::Hot};
    }
    if (enabled) {
        return {images.normal ? ImageSlot::Normal : ImageSlot::None, false, false, emboss, TextInk::Normal};
    }
    // Disabled: the disabled image stands in for the normal one, and only where there is one.
    ImageSlot image = !images.normal ? ImageSlot::None : images.disabled ? ImageSlot::Disabled : ImageSlot::Normal;
    return {image, false, false, true, TextInk::Disabled};
}
