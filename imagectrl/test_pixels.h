// For the host tests of the compositor and the sprite store: a small image in memory and a few
// colours, as 32-bit BGRA words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagectrl/compositor.h"

constexpr uint32_t kBackground = 0xFF101010;
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

struct Image {
    int width, height;
    std::vector<uint32_t> pixels;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    PixelBuffer Buffer() { return {pixels.data(), width, height, width}; }
    ConstPixelBuffer Const() const { return {pixels.data(), width, height, width}; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
