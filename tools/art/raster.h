// A small RGBA raster for drawing the program's art and the demo maps, written out as PAM files
// that imagemagick turns into PNG, ICO and JPEG (see make-art.sh).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
};

constexpr Rgba kClear{0, 0, 0, 0};

inline Rgba Mix(Rgba under, Rgba over, double coverage) {
    double a = over.a / 255.0 * coverage;
    auto channel = [&](uint8_t u, uint8_t o) { return static_cast<uint8_t>(std::lround(u + (o - u) * a)); };
    return {channel(under.r, over.r), channel(under.g, over.g), channel(under.b, over.b),
            static_cast<uint8_t>(std::lround(under.a + (255 - under.a) * a))};
}

inline Rgba Shade(Rgba c, double factor) {
    auto channel = [&](uint8_t v) { return static_cast<uint8_t>(std::clamp(v * factor, 0.0, 255.0)); };
    return {channel(c.r), channel(c.g), channel(c.b), c.a};
}

class Raster {
public:
    Raster(int width, int height, Rgba fill = kClear) : width_(width), height_(height), pixels_(width * height, fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgba& At(int x, int y) { return pixels_[y * width_ + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Blend(int x, int y, Rgba c, double coverage = 1.0) {
        if (Inside(x, y) && coverage > 0) {
            At(x, y) = Mix(At(x, y), c, coverage);
        }
    }

    void FillRect(int x0, int y0, int x1, int y1, Rgba c) {  // inclusive-exclusive
        for (int y = std::max(0, y0); y < std::min(height_, y1); ++y) {
            for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) {
                At(x, y) = Mix(At(x, y), c, 1.0);
            }
        }
    }

    // Fills the shape `inside(x, y)` (pixel coordinates, real) with 4 x 4 supersampling.
    void FillShape(const std::function<bool(double, double)>& inside,
                   Rgba c,
                   int x0 = 0,
                   int y0 = 0,
                   int x1 = -1,
                   int y1 = -1) {
        if (x1 < 0)
            x1 = width_;
        if (y1 < 0)
            y1 = height_;
        for (int y = std::max(0, y0); y < std::min(height_, y1); ++y) {
            for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
                    }
                }
                Blend(x, y, c, hits / 16.0);
            }
        }
    }

    void FillCircle(double cx, double cy, double radius, Rgba c) {
        FillShape([&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; }, c,
                  static_cast<int>(cx - radius) - 1, static_cast<int>(cy - radius) - 1,
                  static_cast<int>(cx + radius) + 2, static_cast<int>(cy + radius) + 2);
    }

    void WritePam(const std::string& path) const {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::perror(path.c_str());
            std::exit(1);
        }
        std::fprintf(file, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", width_,
                     height_);
        std::fwrite(pixels_.data(), 4, pixels_.size(), file);
        std::fclose(file);
    }

private:
    int width_, height_;
    std::vector<Rgba> pixels_;
};

// A repeatable pseudo-random value in [0, 1) for a pixel, for textures.
inline double Noise(int x, int y, int seed = 0) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65536.0;
}
