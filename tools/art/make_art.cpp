// Draws KOR's own art: the two 13 x 13 sprites, the chest icon at three sizes, and the demo's town
// picture. Writes PAM files into the folder given; make-art.sh converts them.
#include <string>

#include "raster.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};

// Outlines a sprite shape in black: every clear pixel next to a filled one.
void Outline(Raster& sprite) {
    Raster copy = sprite;
    for (int y = 0; y < sprite.Height(); ++y) {
        for (int x = 0; x < sprite.Width(); ++x) {
            if (copy.At(x, y).a) {
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (copy.Inside(x + dx, y + dy) && copy.At(x + dx, y + dy).a) {
                        sprite.At(x, y) = kBlack;
                    }
                }
            }
        }
    }
}

// A green arrow pointing right (toward increasing x), black outline, clear background.
Raster Arrow() {
    Raster sprite(13, 13);
    const Rgba green{40, 200, 40, 255}, light{120, 240, 110, 255};
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            bool shaft = x >= 1 && x <= 5 && y >= 5 && y <= 7;
            bool head = x >= 6 && x <= 11 && std::abs(y - 6) <= 11 - x;
            if (shaft || head) {
                sprite.At(x, y) = y == 5 || (head && y - 6 == -(11 - x)) ? light : green;
            }
        }
    }
    Outline(sprite);
    return sprite;
}

// A red exclamation mark inside yellow corner marks.
Raster AnnotationMark() {
    Raster sprite(13, 13);
    const Rgba yellow{255, 214, 0, 255}, red{220, 20, 20, 255};
    for (int i = 0; i < 4; ++i) {  // corner marks, each an L of two arms
        int x0 = i % 2 ? 12 : 0, y0 = i / 2 ? 12 : 0;
        int sx = i % 2 ? -1 : 1, sy = i / 2 ? -1 : 1;
        for (int k = 0; k < 4; ++k) {
            sprite.At(x0 + sx * k, y0) = yellow;
            sprite.At(x0, y0 + sy * k) = yellow;
        }
    }
    Raster mark(13, 13);
    for (int y = 2; y <= 7; ++y) {
        for (int x = 5; x <= 7; ++x) {
            mark.At(x, y) = red;
        }
    }
    for (int y = 9; y <= 10; ++y) {
        for (int x = 5; x <= 7; ++x) {
            mark.At(x, y) = red;
        }
    }
    Outline(mark);
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            if (mark.At(x, y).a) {
                sprite.At(x, y) = mark.At(x, y);
            }
        }
    }
    return sprite;
}

// A small treasure chest: a wooden box with a rounded lid, gold bands and a lock, in unit
// coordinates scaled to the icon size.
Raster Chest(int size) {
    Raster icon(size, size);
    double s = size;
    const Rgba outline{40, 22, 8, 255}, wood{150, 88, 38, 255}, woodDark{110, 62, 24, 255}, gold{240, 190, 40, 255},
        goldDark{180, 130, 20, 255};
    auto box = [&](double x0, double y0, double x1, double y1) {
        return [=](double x, double y) { return x >= x0 * s && x < x1 * s && y >= y0 * s && y < y1 * s; };
    };
    auto lid = [&](double inset) {
        return [=](double x, double y) {
            double cx = 0.5 * s, cy = 0.5 * s, rx = (0.44 - inset) * s, ry = (0.34 - inset) * s;
            double u = (x - cx) / rx, v = (y - cy) / ry;
            return y <= 0.5 * s && y >= (0.16 + inset) * s && u * u + v * v <= 1.0;
        };
    };
    double line = std::max(1.0, s / 16.0) / s;
    icon.FillShape(box(0.06, 0.46, 0.94, 0.90), outline);
    icon.FillShape(lid(0), outline);
    icon.FillShape(box(0.06 + line, 0.46 + line, 0.94 - line, 0.90 - line), wood);
    icon.FillShape(lid(line), Shade(wood, 1.15));
    if (size >= 32) {  // planks
        icon.FillShape(box(0.06 + line, 0.66, 0.94 - line, 0.66 + line), woodDark);
        icon.FillShape(box(0.06 + line, 0.34, 0.94 - line, 0.34 + line * 0.8), woodDark);
    }
    icon.FillShape(box(0.06, 0.46, 0.94, 0.46 + line * 1.5), goldDark);  // the lid's edge
    for (double x : {0.18, 0.74}) {                                      // bands
        icon.FillShape(box(x, 0.20, x + 0.08, 0.90 - line), gold);
        icon.FillShape(box(x + 0.06, 0.20, x + 0.08, 0.90 - line), goldDark);
    }
    icon.FillShape(box(0.42, 0.40, 0.58, 0.62), gold);  // lock plate
    icon.FillShape(box(0.48, 0.47, 0.52, 0.56), outline);
    return icon;
}

// The demo's town: walls, streets, a square with a fountain, houses, trees and the dungeon stairs.
Raster Town() {
    const int w = 720, h = 640;
    Raster town(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double n = Noise(x / 3, y / 3, 1) * 0.5 + Noise(x, y, 2) * 0.5;
            town.At(x, y) = Shade({86, 138, 58, 255}, 0.85 + 0.3 * n);
        }
    }
    auto paved = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                bool joint = (y % 8 == 0) || ((x + (y / 8 % 2) * 6) % 12 == 0);
                town.At(x, y) = Shade({178, 160, 120, 255}, joint ? 0.8 : 0.92 + 0.16 * Noise(x, y, 3));
            }
        }
    };
    paved(40, 296, w - 40, 340);                          // the high street
    paved(338, 40, 382, h - 20);                          // the north road to the gate
    paved(120, 120, 164, 296);                            // a lane to the temple
    paved(520, 340, 564, 520);                            // a lane to the dungeon
    town.FillCircle(360, 318, 78, {178, 160, 120, 255});  // the square
    town.FillCircle(360, 318, 26, {120, 110, 100, 255});  // the fountain
    town.FillCircle(360, 318, 21, {60, 120, 200, 255});
    town.FillCircle(354, 312, 6, {150, 200, 250, 255});

    const Rgba wall{128, 124, 118, 255};  // the town wall, open at the gate
    town.FillRect(20, 20, w - 20, 36, wall);
    town.FillRect(20, 20, 36, h - 20, wall);
    town.FillRect(w - 36, 20, w - 20, h - 20, wall);
    town.FillRect(20, h - 36, 330, h - 20, wall);
    town.FillRect(390, h - 36, w - 20, h - 20, wall);
    for (int x = 24; x < w - 24; x += 16) {
        town.FillRect(x, 16, x + 8, 20, Shade(wall, 0.8));
    }

    struct House {
        int x, y, w, h;
        Rgba roof;
    };
    const House houses[] = {
        {60, 230, 90, 56, {168, 60, 40, 255}},      {180, 226, 70, 60, {120, 90, 70, 255}},
        {420, 224, 110, 62, {90, 96, 120, 255}},    {560, 232, 90, 54, {168, 60, 40, 255}},
        {60, 352, 80, 70, {120, 90, 70, 255}},      {170, 356, 120, 60, {168, 60, 40, 255}},
        {430, 356, 70, 80, {90, 96, 120, 255}},     {580, 360, 100, 60, {120, 90, 70, 255}},
        {180, 100, 100, 110, {200, 190, 170, 255}},  // the temple
        {400, 60, 120, 80, {168, 60, 40, 255}},      // the inn
        {560, 80, 90, 90, {90, 96, 120, 255}},       // the smithy
        {80, 460, 120, 70, {120, 90, 70, 255}},     {240, 470, 80, 70, {168, 60, 40, 255}},
    };
    for (const House& house : houses) {
        town.FillRect(house.x + 5, house.y + 5, house.x + house.w + 5, house.y + house.h + 5, {30, 50, 20, 110});
        town.FillRect(house.x, house.y, house.x + house.w, house.y + house.h / 2, house.roof);
        town.FillRect(house.x, house.y + house.h / 2, house.x + house.w, house.y + house.h, Shade(house.roof, 0.75));
        town.FillRect(house.x, house.y + house.h / 2 - 1, house.x + house.w, house.y + house.h / 2 + 1,
                      Shade(house.roof, 0.5));
    }

    // The dungeon entrance: steps going down into the dark.
    town.FillRect(500, 520, 590, 600, {70, 66, 62, 255});
    for (int i = 0; i < 6; ++i) {
        town.FillRect(508 + i * 3, 528 + i * 11, 582 - i * 3, 536 + i * 11,
                      Shade({150, 146, 140, 255}, 1.0 - i * 0.14));
    }

    for (int i = 0; i < 40; ++i) {  // trees in the gaps
        double x = 50 + Noise(i, 1, 7) * (w - 100), y = 50 + Noise(i, 2, 7) * (h - 100);
        bool onStreet = (y > 280 && y < 356) || (x > 322 && x < 398) || (x > 40 && x < 300 && y > 210 && y < 440) ||
                        (x > 400 && x < 700 && y > 210 && y < 450) || (x > 170 && x < 290 && y > 90 && y < 220) ||
                        (x > 390 && x < 660 && y > 50 && y < 180) || (x > 490 && x < 600 && y > 330) ||
                        (x > 70 && x < 330 && y > 450);
        if (!onStreet) {
            town.FillCircle(x + 3, y + 4, 13, {30, 50, 20, 90});
            town.FillCircle(x, y, 13, {40, 96, 36, 255});
            town.FillCircle(x - 4, y - 4, 6, {70, 130, 56, 255});
        }
    }
    return town;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art OUTPUT_DIR\n");
        return 2;
    }
    std::string out = argv[1];
    Arrow().WritePam(out + "/arrow.pam");
    AnnotationMark().WritePam(out + "/annotate.pam");
    for (int size : {16, 32, 48}) {
        Chest(size).WritePam(out + "/chest" + std::to_string(size) + ".pam");
    }
    Town().WritePam(out + "/town.pam");
    return 0;
}
