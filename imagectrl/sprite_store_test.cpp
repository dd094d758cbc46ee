#include "imagectrl/sprite_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "imagectrl/test_pixels.h"

TEST(SpriteStore, FindsClonesAndForgetsObjects) {
    SpriteStore store;
    auto bitmap = std::make_shared<SpriteBitmap>(1, 1, std::vector<uint32_t>{kRed});
    SpriteObject& original = store.Create(11000, 1, bitmap);
    original.useAlpha = true;
    original.quarterTurns = 2;
    EXPECT_EQ(store.Find(10001), nullptr);
    EXPECT_EQ(store.Clone(12345, 11001, 5, 6), nullptr);  // no such source

    SpriteObject* clone = store.Clone(11000, 11001, 5, 6);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->bitmap, bitmap);  // shared, not copied
    EXPECT_TRUE(clone->useAlpha);
    EXPECT_EQ(clone->quarterTurns, 2);
    EXPECT_EQ(clone->x, 5);
    EXPECT_EQ(store.Find(11000)->x, kParkedPosition);

    store.Create(11001, 2, bitmap);  // the id moves to another control
    EXPECT_EQ(store.DrawOrder(1).size(), 1u);
    EXPECT_EQ(store.DrawOrder(2).size(), 1u);
    store.RemoveOwner(1);
    EXPECT_EQ(store.Find(11000), nullptr);
    EXPECT_NE(store.Find(11001), nullptr);
}

TEST(SpriteStore, DrawsInZOrderThenCreationOrder) {
    SpriteStore store;
    auto bitmap = std::make_shared<SpriteBitmap>(1, 1, std::vector<uint32_t>{kRed});
    store.Create(10001, 1, bitmap);
    store.Create(11000, 1, bitmap);
    store.Clone(11000, 11001, 0, 0);
    store.SetZorder(*store.Find(10001), 0xFFFFFF);
    std::vector<long> ids;
    for (SpriteObject* object : store.DrawOrder(1)) {
        ids.push_back(object == store.Find(10001) ? 10001 : object == store.Find(11000) ? 11000 : 11001);
    }
    EXPECT_EQ(ids, (std::vector<long>{11000, 11001, 10001}));
}

TEST(SpriteStore, KeepsAZorderChangeWhenObjectsAreMadeAfterIt) {
    SpriteStore store;
    auto bitmap = std::make_shared<SpriteBitmap>(1, 1, std::vector<uint32_t>{kRed});
    SpriteObject* a = &store.Create(1, 1, bitmap);
    SpriteObject* b = &store.Create(2, 1, bitmap);
    store.SetZorder(*a, 5);
    SpriteObject* c = &store.Create(3, 1, bitmap);
    EXPECT_EQ(store.DrawOrder(1), (std::vector<SpriteObject*>{b, c, a}));
    // The same with a clone made last.
    store.SetZorder(*c, 9);
    SpriteObject* d = store.Clone(1, 4, 0, 0);  // z-order 5, as its source
    EXPECT_EQ(store.DrawOrder(1), (std::vector<SpriteObject*>{b, a, d, c}));
}

TEST(SpriteStore, DrawsVisibleSpritesAtTheirPicturePixelsScaledWithTheZoom) {
    SpriteStore store;
    Image pixels(2, 2, kRed);
    pixels.pixels[3] = kGreen;
    auto bitmap = std::make_shared<SpriteBitmap>(2, 2, pixels.pixels);
    auto add = [&](long id, int x, int y) -> SpriteObject& {
        SpriteObject& object = store.Create(id, 1, bitmap);
        object.x = x;
        object.y = y;
        object.scrolls = true;
        return object;
    };
    add(1, 3, 2);
    add(2, kParkedPosition, kParkedPosition);  // parked: never drawn, even on a huge picture
    add(3, 0, 0).visible = false;
    add(4, INT_MAX, INT_MIN);  // far away: skipped
    add(5, 9, 9).zorder = 2;
    add(6, 9, 9).zorder = 1;  // under object 5
    store.Find(6)->bitmap = std::make_shared<SpriteBitmap>(2, 2, std::vector<uint32_t>(4, kBlue));

    Image target(20, 20, kBackground);
    ViewGeometry view = LayoutView(10000, 10000, 2, 20, 20, 2, 0);  // zoom 2, scrolled 2 to the right
    DrawSprites(store, 1, view, target.Buffer());
    // Object 1 covers picture pixels 3..4 x 2..3: client x 4..7, y 4..7; its green corner at 6..7.
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint32_t expected = kBackground;
            if (x >= 4 && x < 8 && y >= 4 && y < 8) {
                expected = x >= 6 && y >= 6 ? kGreen : kRed;
            }
            EXPECT_EQ(target.At(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(target.At(16, 18), kRed);  // object 5 above object 6 at 16..19 x 18..19
}

TEST(SpriteStore, TakesAnglesToTheNearestQuarterTurn) {
    EXPECT_EQ(QuarterTurns(0), 0);
    EXPECT_EQ(QuarterTurns(90), 1);
    EXPECT_EQ(QuarterTurns(180), 2);
    EXPECT_EQ(QuarterTurns(270), 3);
    EXPECT_EQ(QuarterTurns(360), 0);
    EXPECT_EQ(QuarterTurns(-90), 3);
    EXPECT_EQ(QuarterTurns(100), 1);
    int turns = QuarterTurns(LONG_MIN);  // no overflow, with a 32-bit long as with a 64-bit one
    EXPECT_GE(turns, 0);
    EXPECT_LE(turns, 3);
}
