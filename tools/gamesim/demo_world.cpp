#include "tools/gamesim/demo_world.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// Waypoints lie on a coarse lattice so that corridors keep apart.
constexpr int kStep = 6;
constexpr int kLatticeColumns = 11;  // x = 4, 10, ..., 64
constexpr int kLatticeRows = 7;      // y = 4, 10, ..., 40

struct Random {
    uint32_t state;
    int Below(int n) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % static_cast<uint32_t>(n));
    }
};

Cell LatticeCell(int i, int j) { return {4 + i * kStep, 4 + j * kStep}; }

// The cells from `from` to `to` along one axis, without `from`.
void AppendRun(std::vector<Cell>& cells, Cell from, Cell to) {
    int dx = to.x > from.x ? 1 : to.x < from.x ? -1 : 0;
    int dy = to.y > from.y ? 1 : to.y < from.y ? -1 : 0;
    for (Cell c = from; !(c == to);) {
        c.x += dx;
        c.y += dy;
        cells.push_back(c);
    }
}

}  // namespace

DemoLevel MakeDemoLevel(int number) {
    Random random{static_cast<uint32_t>(number) * 7919u + 17u};
    bool used[kLatticeColumns][kLatticeRows] = {};
    const int di[] = {1, -1, 0, 0}, dj[] = {0, 0, 1, -1};

    // A self-avoiding walk on the lattice; it stops when it is stuck or long enough.
    int i = random.Below(3), j = random.Below(kLatticeRows);
    used[i][j] = true;
    std::vector<Cell> waypoints = {LatticeCell(i, j)};
    while (waypoints.size() < 16) {
        int options[4], count = 0;
        for (int d = 0; d < 4; ++d) {
            int ni = i + di[d], nj = j + dj[d];
            if (ni >= 0 && nj >= 0 && ni < kLatticeColumns && nj < kLatticeRows && !used[ni][nj]) {
                options[count++] = d;
            }
        }
        if (count == 0) {
            break;
        }
        // Prefer going on eastward, so the route crosses the map.
        int d = options[random.Below(count)];
        for (int k = 0; k < count; ++k) {
            if (options[k] == 0 && random.Below(3) == 0) {
                d = 0;
            }
        }
        i += di[d];
        j += dj[d];
        used[i][j] = true;
        waypoints.push_back(LatticeCell(i, j));
    }

    DemoLevel level{number, {waypoints.front()}, {}};
    for (size_t k = 1; k < waypoints.size(); ++k) {
        AppendRun(level.route, waypoints[k - 1], waypoints[k]);
    }

    // Dead ends and small rooms off the route, into lattice points the route does not use.
    for (int tries = 0; tries < 40 && level.branches.size() < 7; ++tries) {
        const Cell& start = waypoints[random.Below(static_cast<int>(waypoints.size()))];
        int d = random.Below(4);
        int ni = (start.x - 4) / kStep + di[d], nj = (start.y - 4) / kStep + dj[d];
        if (ni < 0 || nj < 0 || ni >= kLatticeColumns || nj >= kLatticeRows || used[ni][nj]) {
            continue;
        }
        used[ni][nj] = true;
        std::vector<Cell> branch;
        Cell end = LatticeCell(ni, nj);
        AppendRun(branch, start, end);
        if (random.Below(2)) {  // a room at the end
            for (int y = end.y - 1; y <= end.y + 1; ++y) {
                for (int x = end.x - 2; x <= end.x + 2; ++x) {
                    branch.push_back({x, y});
                }
            }
        }
        level.branches.push_back(branch);
    }
    return level;
}

namespace {

int FacingOf(Cell from, Cell to) {
    if (to.y > from.y) return 1;
    if (to.x > from.x) return 2;
    if (to.y < from.y) return 3;
    return 4;
}

void Walk(std::vector<WalkStep>& steps, int level, const std::vector<Cell>& route) {
    for (size_t k = 0; k < route.size(); ++k) {
        int facing = k + 1 < route.size() ? FacingOf(route[k], route[k + 1]) : steps.empty() ? 2 : steps.back().facing;
        if (k > 0 && facing != steps.back().facing) {  // turn on the spot first, as a party does
            steps.push_back({level, route[k].x, route[k].y, steps.back().facing});
        }
        steps.push_back({level, route[k].x, route[k].y, facing});
    }
}

}  // namespace

std::vector<WalkStep> DemoWalk() {
    constexpr int kDeepest = 4;
    std::vector<WalkStep> steps(8, WalkStep{0, 0, 0, 0});  // two seconds in the town
    for (int n = 1; n <= kDeepest; ++n) {
        Walk(steps, n, MakeDemoLevel(n).route);
    }
    for (int n = kDeepest; n >= 1; --n) {
        std::vector<Cell> back = MakeDemoLevel(n).route;
        std::reverse(back.begin(), back.end());
        Walk(steps, n, back);
    }
    return steps;
}
