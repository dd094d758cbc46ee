#include "imagectrl/compositor.h"

#include <algorithm>
#include <cstring>

namespace {

// Two channels at a time: red and blue in one word, alpha and green in the other.
inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t weight) {
    uint32_t keep = 256 - weight;
    uint32_t rb = (((a & 0xFF00FF) * keep + (b & 0xFF00FF) * weight) >> 8) & 0xFF00FF;
    uint32_t ag = (((a >> 8) & 0xFF00FF) * keep + ((b >> 8) & 0xFF00FF) * weight) & 0xFF00FF00;
    return rb | ag;
}

// Pre-multiplied `source` over `dest`.
inline uint32_t Over(uint32_t source, uint32_t dest) {
    uint32_t keep = 256 - (source >> 24);
    uint32_t rb = (((dest & 0xFF00FF) * keep) >> 8) & 0xFF00FF;
    uint32_t ag = (((dest >> 8) & 0xFF00FF) * keep) & 0xFF00FF00;
    return source + (rb | ag);
}

inline uint32_t Premultiply(uint32_t pixel, uint32_t alpha) {
    uint32_t rb = (pixel & 0xFF00FF) * alpha + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t g = (pixel & 0xFF00) * alpha + 0x8000;
    g = ((g + ((g >> 8) & 0xFF00)) >> 8) & 0xFF00;
    return (alpha << 24) | rb | g;
}

// How much of what lies under it a pre-multiplied pixel covers.
enum class Coverage { Transparent, Partly, Opaque };
inline Coverage CoverageOf(uint32_t pixel) {
    uint32_t alpha = pixel >> 24;
    return alpha == 0 ? Coverage::Transparent : alpha == 255 ? Coverage::Opaque : Coverage::Partly;
}

// Client pixels [left, right) x [top, bottom).
struct ClientArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// `background` everywhere in the target but in `picture`; with no area ({}) everywhere.
void FillAround(const PixelBuffer& target, const ClientArea& picture, uint32_t background) {
    for (int y = 0; y < target.height; ++y) {
        uint32_t* row = target.Row(y);
        if (y < picture.top || y >= picture.bottom) {
            std::fill_n(row, target.width, background);
        } else {
            std::fill(row, row + picture.left, background);
            std::fill(row + picture.right, row + target.width, background);
        }
    }
}

void DrawNearest(const ConstPixelBuffer& picture, const PixelBuffer& target, const ViewGeometry& view) {
    std::vector<int> columns = NearestTable(view.x, view.zoom);
    std::vector<int> rows = NearestTable(view.y, view.zoom);
    int left = view.x.DestStart();
    auto count = static_cast<int>(columns.size());
    bool straight = count > 0 && columns.back() - columns.front() == count - 1;  // zoom 1: plain copies
    int previous = -1;
    uint32_t* previousRow = nullptr;
    for (size_t i = 0; i < rows.size(); ++i) {
        uint32_t* out = target.Row(view.y.DestStart() + static_cast<int>(i)) + left;
        if (rows[i] == previous) {
            std::memcpy(out, previousRow, count * sizeof(uint32_t));
            continue;
        }
        const uint32_t* in = picture.Row(rows[i]);
        if (straight) {
            std::memcpy(out, in + columns.front(), count * sizeof(uint32_t));
        } else {
            const int* column = columns.data();
            for (int x = 0; x < count; ++x) {
                out[x] = in[column[x]];
            }
        }
        previous = rows[i];
        previousRow = out;
    }
}

// Bilinear: each needed picture row is filtered horizontally once into a cache of two rows, then
// the two rows around a client row are mixed.
void DrawSmooth(const ConstPixelBuffer& picture, const PixelBuffer& target, const ViewGeometry& view) {
    std::vector<BilinearTap> columns = BilinearTable(view.x, view.zoom);
    std::vector<BilinearTap> rows = BilinearTable(view.y, view.zoom);
    auto count = static_cast<int>(columns.size());
    std::vector<uint32_t> cache[2] = {std::vector<uint32_t>(count), std::vector<uint32_t>(count)};
    int cached[2] = {-1, -1};
    auto filtered = [&](int slot, int index) {
        if (cached[slot] != index) {
            const uint32_t* in = picture.Row(index);
            uint32_t* out = cache[slot].data();
            for (int x = 0; x < count; ++x) {
                const BilinearTap& tap = columns[x];
                out[x] = Lerp(in[tap.index], in[tap.next], tap.weight);
            }
            cached[slot] = index;
        }
        return cache[slot].data();
    };
    int left = view.x.DestStart();
    for (size_t i = 0; i < rows.size(); ++i) {
        const BilinearTap& tap = rows[i];
        if (cached[1] == tap.index) {  // moving down: the lower row becomes the upper one
            std::swap(cache[0], cache[1]);
            std::swap(cached[0], cached[1]);
        }
        const uint32_t* upper = filtered(0, tap.index);
        uint32_t* out = target.Row(view.y.DestStart() + static_cast<int>(i)) + left;
        if (tap.weight == 0) {
            std::memcpy(out, upper, count * sizeof(uint32_t));
            continue;
        }
        const uint32_t* lower = filtered(1, tap.next);
        for (int x = 0; x < count; ++x) {
            out[x] = Lerp(upper[x], lower[x], tap.weight);
        }
    }
}

}  // namespace

void DrawPicture(const ConstPixelBuffer& picture,
                 const PixelBuffer& target,
                 const ViewGeometry& view,
                 uint32_t background) {
    ClientArea shown{view.x.DestStart(), view.y.DestStart(), view.x.DestEnd(), view.y.DestEnd()};
    // Nothing to show: no picture, or none of it in the client.
    if (!picture.pixels || shown.right <= shown.left || shown.bottom <= shown.top) {
        FillAround(target, {}, background);
        return;
    }
    FillAround(target, shown, background);
    if (view.zoom >= 1) {
        DrawNearest(picture, target, view);
    } else {
        DrawSmooth(picture, target, view);
    }
}

PreparedSprite PrepareSprite(const ConstPixelBuffer& straight, const SpriteLook& look) {
    PreparedSprite sprite;
    sprite.look = look;
    int w = straight.width, h = straight.height;
    bool turnedSideways = look.quarterTurns % 2 != 0;
    int tw = turnedSideways ? h : w, th = turnedSideways ? w : h;

    // Turn clockwise and pre-multiply, at the bitmap's own size.
    std::vector<uint32_t> turned(static_cast<size_t>(tw) * th);
    for (int y = 0; y < th; ++y) {
        for (int x = 0; x < tw; ++x) {
            int sx = x, sy = y;
            switch (look.quarterTurns) {
                case 1:
                    sx = y, sy = h - 1 - x;
                    break;
                case 2:
                    sx = w - 1 - x, sy = h - 1 - y;
                    break;
                case 3:
                    sx = w - 1 - y, sy = x;
                    break;
                default:
                    break;
            }
            uint32_t pixel = straight.Row(sy)[sx];
            uint32_t alpha = look.useAlpha ? pixel >> 24 : 255;
            turned[static_cast<size_t>(y) * tw + x] = Premultiply(pixel, (alpha * look.opacity + 127) / 255);
        }
    }

    // Scale to the drawn size.
    sprite.pixels.resize(static_cast<size_t>(look.width) * look.height);
    double zoomX = static_cast<double>(look.width) / tw, zoomY = static_cast<double>(look.height) / th;
    ViewAxis axisX = LayoutAxis(tw, zoomX, look.width, 0), axisY = LayoutAxis(th, zoomY, look.height, 0);
    auto in = [&](int x, int y) { return turned[static_cast<size_t>(y) * tw + x]; };
    uint32_t* out = sprite.pixels.data();
    if (look.smooth) {
        std::vector<BilinearTap> columns = BilinearTable(axisX, zoomX), rows = BilinearTable(axisY, zoomY);
        for (const BilinearTap& r : rows) {
            for (const BilinearTap& c : columns) {
                *out++ = Lerp(Lerp(in(c.index, r.index), in(c.next, r.index), c.weight),
                              Lerp(in(c.index, r.next), in(c.next, r.next), c.weight), r.weight);
            }
        }
    } else {
        std::vector<int> columns = NearestTable(axisX, zoomX), rows = NearestTable(axisY, zoomY);
        for (int r : rows) {
            for (int c : columns) {
                *out++ = in(c, r);
            }
        }
    }

    // Runs of visible pixels, row by row.
    for (int y = 0; y < look.height; ++y) {
        sprite.rowSpans.push_back(static_cast<int>(sprite.spans.size()));
        const uint32_t* row = sprite.pixels.data() + static_cast<size_t>(y) * look.width;
        for (int x = 0; x < look.width;) {
            Coverage coverage = CoverageOf(row[x]);
            int end = x + 1;
            while (end < look.width && CoverageOf(row[end]) == coverage) {
                ++end;
            }
            if (coverage != Coverage::Transparent) {
                sprite.spans.push_back({x, end - x, coverage == Coverage::Opaque});
            }
            x = end;
        }
    }
    sprite.rowSpans.push_back(static_cast<int>(sprite.spans.size()));
    return sprite;
}

void BlendSprite(const PreparedSprite& sprite, const PixelBuffer& target, int left, int top) {
    int width = sprite.look.width;
    int firstRow = std::max(0, -top), endRow = std::min(sprite.look.height, target.height - top);
    int clipLeft = std::max(0, -left), clipRight = std::min(width, target.width - left);
    for (int y = firstRow; y < endRow; ++y) {
        const uint32_t* in = sprite.pixels.data() + static_cast<size_t>(y) * width;
        uint32_t* row = target.Row(top + y);  // not offset by `left` yet: that may point before the row
        for (int s = sprite.rowSpans[y]; s < sprite.rowSpans[y + 1]; ++s) {
            const SpriteSpan& span = sprite.spans[s];
            int from = std::max(span.start, clipLeft), to = std::min(span.start + span.length, clipRight);
            if (from >= to) {
                continue;
            }
            uint32_t* out = row + (left + from);
            if (span.opaque) {
                std::memcpy(out, in + from, (to - from) * sizeof(uint32_t));
            } else {
                for (int x = from; x < to; ++x, ++out) {
                    *out = Over(in[x], *out);
                }
            }
        }
    }
}
