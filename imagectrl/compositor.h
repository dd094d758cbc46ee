// Our own small compositor: it writes the visible part of the picture, scaled, straight into the
// client-sized back buffer, then blends the sprites over it. Pixels are 32-bit BGRA words as in a
// top-down DIB section. Written for speed: table-driven sampling, rows that repeat are copied, and
// sprites are turned, scaled and pre-multiplied once per look, with their rows cut into runs of
// transparent, opaque and partly transparent pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagectrl/view_geometry.h"

struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels from one row to the next
    uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

struct ConstPixelBuffer {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    const uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Fills the whole target: the picture where the view puts it (nearest neighbour at zoom >= 1, so
// the picture's pixels stay crisp; bilinear below 1) and `background` around it. Without picture
// pixels the target is all background.
void DrawPicture(const ConstPixelBuffer& picture,
                 const PixelBuffer& target,
                 const ViewGeometry& view,
                 uint32_t background);

// How a sprite is drawn.
struct SpriteLook {
    int quarterTurns = 0;  // clockwise on screen, 0..3
    int width = 0;         // drawn size, after turning and scaling
    int height = 0;
    bool useAlpha = false;  // the bitmap's own transparency; without it the sprite is opaque
    uint8_t opacity = 255;  // the whole sprite's
    bool smooth = false;    // bilinear scaling; else nearest neighbour
    bool operator==(const SpriteLook&) const = default;
};

struct SpriteSpan {
    int start;
    int length;
    bool opaque;  // copied; else blended
};

// A sprite ready to blend: pre-multiplied pixels and, per row, its runs of visible pixels.
struct PreparedSprite {
    SpriteLook look;
    std::vector<uint32_t> pixels;
    std::vector<SpriteSpan> spans;
    std::vector<int> rowSpans;  // spans of row y: [rowSpans[y], rowSpans[y + 1])
};

// `straight`: the bitmap's pixels with straight (not pre-multiplied) alpha.
PreparedSprite PrepareSprite(const ConstPixelBuffer& straight, const SpriteLook& look);

// Blends the sprite with its top-left corner at (left, top), clipped to the target.
void BlendSprite(const PreparedSprite& sprite, const PixelBuffer& target, int left, int top);
