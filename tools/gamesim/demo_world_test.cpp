#include "tools/gamesim/demo_world.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool OnMap(Cell c) {
    return c.x >= 1 && c.x <= kDemoColumns && c.y >= 0 && c.y < kDemoRows;
}

}  // namespace

TEST(DemoWorld, EveryLevelIsAConnectedRouteOnTheMap) {
    for (int n = 1; n <= kDemoLevels; ++n) {
        DemoLevel level = MakeDemoLevel(n);
        ASSERT_GE(level.route.size(), 30u) << n;
        for (size_t k = 0; k < level.route.size(); ++k) {
            EXPECT_TRUE(OnMap(level.route[k])) << n;
            if (k > 0) {
                Cell a = level.route[k - 1], b = level.route[k];
                EXPECT_EQ(std::abs(a.x - b.x) + std::abs(a.y - b.y), 1) << n << " step " << k;
            }
        }
        for (const auto& branch : level.branches) {
            for (Cell c : branch) {
                EXPECT_TRUE(OnMap(c)) << n;
            }
        }
    }
}

TEST(DemoWorld, TheWalkMovesOneCellAtATimeAndFacesWhereItGoes) {
    std::vector<WalkStep> walk = DemoWalk();
    ASSERT_FALSE(walk.empty());
    EXPECT_EQ(walk.front().level, 0);
    int deepest = 0;
    for (size_t k = 1; k < walk.size(); ++k) {
        const WalkStep &a = walk[k - 1], &b = walk[k];
        deepest = std::max(deepest, b.level);
        if (a.level != b.level || a.level == 0) {
            continue;  // stairs
        }
        int dx = b.x - a.x, dy = b.y - a.y;
        ASSERT_LE(std::abs(dx) + std::abs(dy), 1) << k;
        if (dx || dy) {  // a step goes the way the party faced
            int facing = dy > 0 ? 1 : dx > 0 ? 2 : dy < 0 ? 3 : 4;
            EXPECT_EQ(a.facing, facing) << k;
        }
    }
    EXPECT_GE(deepest, 3);
    EXPECT_EQ(walk.back().level, 1);  // back at the top, ready to start again from the town
}
