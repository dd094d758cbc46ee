// The round-rect button's decisions that need no window: its colour arithmetic, where its image
// goes, which frame it draws and what it shows in each state. The window code asks these and
// does the drawing.
#pragma once

#include <array>
#include <cstdint>

// A colour as the platform keeps it: 0x00BBGGRR.
using Color = uint32_t;

// The "no colour yet" value of the last seen system face: it matches no real colour.
constexpr Color kNoColor = 0xFFFFFFFF;

// Adds delta to each of red, green and blue, each held to 0..255 so that nothing carries into or
// borrows from the neighbouring channel. The top byte is kept.
Color ShiftChannels(Color color, int delta);

// Pure black or pure white (top byte 0): the colours a button takes as they are.
bool IsBlackOrWhite(Color color);

// A new button's face: the system face 8 lighter in each channel; black and white as they are.
Color NewFaceColor(Color systemFace);

// The face after the system face changed from lastSystemFace to systemFace: a face that was the
// old system face stays the plain system face, one that was the old face 8 lighter stays 8
// lighter, and a face of the caller's own is kept.
Color FollowSystemFace(Color face, Color lastSystemFace, Color systemFace);

// The darker shade of the system face used by some focus rings.
Color RingShade(Color systemFace);

// The image's placement fields of the button record.
struct ImageLayout {
    int pos = -4;  // -1 .. -9: a place in a 3 x 3 grid; any other value: the explicit x, y
    int x = 0, y = 0;
    int width = 16, height = 16;
    int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
};

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

// Where the image's top left corner goes in a client area of width x height. Centred places are
// rounded to the nearest pixel, an exact half to the even one.
Point PlaceImage(const ImageLayout& image, int width, int height);

// The text margins of the button record.
struct TextLayout {
    int marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
};

struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
};

// The text rectangle: the client area of width x height inset by the margins.
Box PlaceText(const TextLayout& text, int width, int height);

// Both places are held within +-2^30 pixels: far outside any window, and far enough from the int
// limits that the pressed look's one-pixel shift cannot overflow, whatever sizes and margins a
// caller has sent.
constexpr int kFarthestPlace = 1 << 30;

// What decides the frame and the content.
struct ButtonLook {
    int staticLook = 0;  // 0 live; 1, 2, 3 fixed flat, raised, sunken
    int state = 0;       // 0 normal, 1 hot, 2 pressed
    int idleRaised = 0;
    int interactive = 1;
    bool focused = false;
};

enum class Look { Raised, Sunken, Flat };
enum class Ink { Highlight, Shadow, Face, RingShade, InfoBackground };

// RoundRect(a, a, W - b, H - b) outlined in one pixel of the ink and filled with the face.
struct Outline {
    int a, b;
    Ink ink;
    bool operator==(const Outline&) const = default;
};

struct Frame {
    Look look;
    unsigned notification;            // RRBN_RAISED, RRBN_SUNKEN, RRBN_FLAT, or 0 for none
    std::array<Outline, 4> outlines;  // drawn in order, each over the ones before; the focus ring last
    int count;
};

Frame ChooseFrame(const ButtonLook& look);

enum class ImageSlot { None, Normal, Hot, Pressed, Disabled };
enum class TextInk { Normal, Hot, Pressed, Disabled };

// Which of the four images the button has.
struct ImagesHeld {
    bool normal = false, hot = false, pressed = false, disabled = false;
};

struct Content {
    ImageSlot image;
    bool shiftImage;  // drawn one pixel right and down
    bool shiftText;   // the text rectangle moved one pixel right and down
    bool embossCopy;  // a highlight copy of the text one pixel right and down first
    TextInk ink;
    bool operator==(const Content&) const = default;
};

Content ChooseContent(const ButtonLook& look, bool enabled, bool emboss, bool imageNoShift, const ImagesHeld& images);
