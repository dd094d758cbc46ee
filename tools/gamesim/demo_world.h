// The demo's dungeon: the corridors of each level and the party's walk through them. The stand-in
// game walks this route, and the demo's map pictures are drawn from the same corridors, so the
// party's arrow follows real corridors on the map.
#pragma once

#include <vector>

// A map cell: columns X to the right, rows Y counted upward (row 0 at the bottom of the picture).
struct Cell {
    int x, y;
    bool operator==(const Cell&) const = default;
};

// The cells a map picture of the demo has room for: picture pixel 14 * x - 12 ... and 630 - 14 * y.
inline constexpr int kDemoColumns = 70;  // x from 1 to 70
inline constexpr int kDemoRows = 46;     // y from 0 to 45

struct DemoLevel {
    int number;
    std::vector<Cell> route;                  // from the stairs up to the stairs down, one step apart
    std::vector<std::vector<Cell>> branches;  // side passages and rooms off the route
    Cell stairsUp() const { return route.front(); }
    Cell stairsDown() const { return route.back(); }
};

inline constexpr int kDemoLevels = 12;

// Level 1 to kDemoLevels, the same every time.
DemoLevel MakeDemoLevel(int number);

struct WalkStep {
    int level, x, y, facing;  // facing: 1 north (up), 2 east, 3 south, 4 west
};

// The party's walk: a moment in the town, then down the stairs of the first levels one after the
// other and back up to the town.
std::vector<WalkStep> DemoWalk();
