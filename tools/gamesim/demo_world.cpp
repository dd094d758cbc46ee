#include "tools/gamesim/demo_world.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>

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

Cell LatticeCell(int i, int j) {
    return {4 + i * kStep, 4 + j * kStep};
}

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
    // A random maze over the lattice, with about a quarter of its points left as solid rock: every
    // edge of the maze's tree is a corridor.
    bool rock[kLatticeColumns][kLatticeRows] = {};
    for (int i = 0; i < kLatticeColumns; ++i) {
        for (int j = 0; j < kLatticeRows; ++j) {
            rock[i][j] = i > 0 && random.Below(4) == 0;
        }
    }
    int parent[kLatticeColumns][kLatticeRows];
    int depth[kLatticeColumns][kLatticeRows];
    for (auto& column : parent) {
        for (int& p : column) {
            p = -2;  // not reached
        }
    }
    const int di[] = {1, -1, 0, 0}, dj[] = {0, 0, 1, -1};
    int startI = 0, startJ = random.Below(kLatticeRows);
    parent[startI][startJ] = -1;
    depth[startI][startJ] = 0;
    std::vector<std::pair<int, int>> stack = {{startI, startJ}};
    std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> edges;
    while (!stack.empty()) {
        auto [i, j] = stack.back();
        int options[4], count = 0;
        for (int d = 0; d < 4; ++d) {
            int ni = i + di[d], nj = j + dj[d];
            if (ni >= 0 && nj >= 0 && ni < kLatticeColumns && nj < kLatticeRows && !rock[ni][nj] &&
                parent[ni][nj] == -2) {
                options[count++] = d;
            }
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        int d = options[random.Below(count)];
        int ni = i + di[d], nj = j + dj[d];
        parent[ni][nj] = i * kLatticeRows + j;
        depth[ni][nj] = depth[i][j] + 1;
        edges.push_back({{i, j}, {ni, nj}});
        stack.push_back({ni, nj});
    }

    // The route runs from the stairs up to the deepest point of the maze, where the stairs down are.
    int endI = startI, endJ = startJ;
    for (int i = 0; i < kLatticeColumns; ++i) {
        for (int j = 0; j < kLatticeRows; ++j) {
            if (parent[i][j] != -2 && depth[i][j] > depth[endI][endJ]) {
                endI = i;
                endJ = j;
            }
        }
    }
    std::vector<Cell> waypoints;
    std::set<std::pair<int, int>> onRoute;
    for (int i = endI, j = endJ;;) {
        waypoints.push_back(LatticeCell(i, j));
        onRoute.insert({i, j});
        if (parent[i][j] < 0) {
            break;
        }
        int p = parent[i][j];
        i = p / kLatticeRows;
        j = p % kLatticeRows;
    }
    std::reverse(waypoints.begin(), waypoints.end());
    DemoLevel level{number, {waypoints.front()}, {}};
    for (size_t k = 1; k < waypoints.size(); ++k) {
        AppendRun(level.route, waypoints[k - 1], waypoints[k]);
    }

    // The other corridors of the maze, and a room at some of its dead ends.
    for (const auto& [from, to] : edges) {
        if (onRoute.count(from) && onRoute.count(to)) {
            continue;
        }
        std::vector<Cell> corridor;
        Cell end = LatticeCell(to.first, to.second);
        AppendRun(corridor, LatticeCell(from.first, from.second), end);
        bool deadEnd = std::none_of(edges.begin(), edges.end(), [&](const auto& e) { return e.first == to; });
        if (deadEnd && random.Below(3) == 0) {
            for (int y = end.y - 1; y <= end.y + 1; ++y) {
                for (int x = end.x - 2; x <= end.x + 2; ++x) {
                    corridor.push_back({x, y});
                }
            }
        }
        level.branches.push_back(corridor);
    }
    return level;
}

namespace {

int FacingOf(Cell from, Cell to) {
    if (to.y > from.y)
        return 1;
    if (to.x > from.x)
        return 2;
    if (to.y < from.y)
        return 3;
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
