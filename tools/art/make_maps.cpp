// Draws the demo's map pictures from the demo's dungeon: every level on the 14-pixel grid with rows
// counted upward, in the regular set and, drawn differently, in the alternate set "Levels - YEL".
// Writes for each a PAM picture and an imagemagick drawing file with its lettering.
#include <cstdio>
#include <set>
#include <string>

#include "raster.h"
#include "tools/gamesim/demo_world.h"

namespace {

constexpr int kWidth = 1000, kHeight = 644;

struct Style {
    Rgba rock, rockSpeck, floor, grid, wall, stairsUp, stairsDown, text;
    const char* font;
};

const Style kRegular{{52, 48, 44, 255},    {72, 66, 60, 255},    {222, 206, 168, 255},
                     {196, 178, 140, 255}, {30, 22, 16, 255},    {90, 150, 60, 255},
                     {170, 60, 40, 255},   {250, 236, 200, 255}, "DejaVu-Serif-Bold"};
const Style kAlternate{{18, 40, 86, 255},   {24, 50, 100, 255},   {36, 84, 150, 255},
                       {70, 120, 190, 255}, {235, 245, 255, 255}, {80, 230, 140, 255},
                       {255, 180, 60, 255}, {235, 245, 255, 255}, "DejaVu-Sans-Bold"};

// The picture rectangle of cell (x, y): 14 pixels from 14 x - 12, and from 630 - 14 y.
int Left(int x) {
    return 14 * x - 12;
}
int Top(int y) {
    return 630 - 14 * y;
}

void DrawLevel(const DemoLevel& level, const Style& style, bool alternate, const std::string& out) {
    Raster map(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            map.At(x, y) = Noise(x / 2, y / 2, level.number) < 0.12 ? style.rockSpeck : style.rock;
        }
    }
    std::set<std::pair<int, int>> floor;
    for (Cell c : level.route)
        floor.insert({c.x, c.y});
    for (const auto& branch : level.branches) {
        for (Cell c : branch)
            floor.insert({c.x, c.y});
    }
    auto isFloor = [&](int x, int y) { return floor.count({x, y}) > 0; };

    for (auto [x, y] : floor) {
        map.FillRect(Left(x), Top(y), Left(x) + 14, Top(y) + 14, style.floor);
        map.FillRect(Left(x), Top(y), Left(x) + 14, Top(y) + 1, style.grid);  // the grid's lines
        map.FillRect(Left(x), Top(y), Left(x) + 1, Top(y) + 14, style.grid);
    }
    for (auto [x, y] : floor) {  // walls wherever floor meets rock
        if (!isFloor(x, y + 1))
            map.FillRect(Left(x), Top(y), Left(x) + 14, Top(y) + 2, style.wall);
        if (!isFloor(x, y - 1))
            map.FillRect(Left(x), Top(y) + 12, Left(x) + 14, Top(y) + 14, style.wall);
        if (!isFloor(x - 1, y))
            map.FillRect(Left(x), Top(y), Left(x) + 2, Top(y) + 14, style.wall);
        if (!isFloor(x + 1, y))
            map.FillRect(Left(x) + 12, Top(y), Left(x) + 14, Top(y) + 14, style.wall);
    }
    auto stairs = [&](Cell c, Rgba colour) {
        for (int i = 0; i < 5; ++i) {
            map.FillRect(Left(c.x) + 2, Top(c.y) + 2 + i * 2, Left(c.x) + 12 - i * 2, Top(c.y) + 3 + i * 2, colour);
        }
    };
    stairs(level.stairsUp(), style.stairsUp);
    stairs(level.stairsDown(), style.stairsDown);
    map.WritePam(out + ".pam");

    // Lettering: the level's name, and the stairs; the alternate set also numbers the grid.
    FILE* text = std::fopen((out + ".mvg").c_str(), "w");
    std::fprintf(text, "font '%s' fill '#%02x%02x%02x' stroke none\n", style.font, style.text.r, style.text.g,
                 style.text.b);
    std::fprintf(text, "font-size 22 text 12,30 '%sLevel %d'\n", alternate ? "YEL  " : "", level.number);
    std::fprintf(text, "font-size 10\n");
    Cell up = level.stairsUp(), down = level.stairsDown();
    std::fprintf(text, "text %d,%d 'up' text %d,%d 'down'\n", Left(up.x) - 2, Top(up.y) - 3, Left(down.x) - 6,
                 Top(down.y) - 3);
    if (alternate) {
        for (int x = 5; x <= kDemoColumns; x += 5)
            std::fprintf(text, "text %d,%d '%d'\n", Left(x) + 1, 641, x);
        for (int y = 5; y < kDemoRows; y += 5)
            std::fprintf(text, "text %d,%d '%d'\n", 983, Top(y) + 11, y);
    }
    std::fclose(text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_maps OUTPUT_DIR\n");
        return 2;
    }
    std::string out = argv[1];
    for (int n = 1; n <= kDemoLevels; ++n) {
        DemoLevel level = MakeDemoLevel(n);
        char name[32];
        std::snprintf(name, sizeof name, "Level%02d", n);
        DrawLevel(level, kRegular, false, out + "/regular-" + name);
        DrawLevel(level, kAlternate, true, out + "/alternate-" + name);
    }
    return 0;
}
