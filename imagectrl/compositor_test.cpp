#include "imagectrl/compositor.h"

#include <gtest/gtest.h>

#include <climits>

#include "imagectrl/sprite_store.h"

namespace {

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

// A picture whose pixel (x, y) holds the value x + 16 * y.
Image Numbered(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels[y * width + x] = static_cast<uint32_t>(x + 16 * y);
        }
    }
    return image;
}

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

}  // namespace

TEST(Compositor, MagnifiesWithNearestNeighbourAndCentresASmallPicture) {
    Image picture = Numbered(3, 2), target(8, 6);
    DrawPicture(picture.Const(), target.Buffer(), LayoutView(3, 2, 2, 8, 6, 0, 0), kBackground);
    // The 6 x 4 picture sits one pixel in from each side.
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 1 && x < 7 && y >= 1 && y < 5;
            uint32_t expected = inside ? static_cast<uint32_t>((x - 1) / 2 + 16 * ((y - 1) / 2)) : kBackground;
            EXPECT_EQ(target.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(Compositor, ShowsOnlyTheScrolledPartOfALargePicture) {
    Image picture = Numbered(8, 8), target(4, 4);
    DrawPicture(picture.Const(), target.Buffer(), LayoutView(8, 8, 2, 4, 4, 6, 10), kBackground);
    // Scrolled by 6 and 10 zoomed pixels: picture columns 3, 3, 4, 4 and rows 5, 5, 6, 6.
    EXPECT_EQ(target.At(0, 0), 3u + 16 * 5);
    EXPECT_EQ(target.At(2, 1), 4u + 16 * 5);
    EXPECT_EQ(target.At(3, 3), 4u + 16 * 6);
}

TEST(Compositor, CopiesThePictureUnchangedAtZoomOne) {
    Image picture = Numbered(5, 5), target(5, 5);
    DrawPicture(picture.Const(), target.Buffer(), LayoutView(5, 5, 1, 5, 5, 0, 0), kBackground);
    EXPECT_EQ(target.pixels, picture.pixels);
}

TEST(Compositor, SmoothsWhenMakingSmaller) {
    Image picture(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            picture.pixels[y * 4 + x] = (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000;  // a checkerboard
        }
    }
    Image target(2, 2);
    DrawPicture(picture.Const(), target.Buffer(), LayoutView(4, 4, 0.5, 2, 2, 0, 0), kBackground);
    for (uint32_t pixel : target.pixels) {
        EXPECT_NEAR(Channel(pixel, 8), 128, 2);  // grey, not a sampled black or white
        EXPECT_EQ(pixel >> 24, 0xFFu);
    }
}

TEST(Compositor, FillsEverythingWithTheBackgroundWithoutAPicture) {
    Image target(7, 3);
    DrawPicture({}, target.Buffer(), LayoutView(0, 0, 1, 7, 3, 0, 0), kBackground);
    for (uint32_t pixel : target.pixels) {
        EXPECT_EQ(pixel, kBackground);
    }
}

TEST(Compositor, TurnsSpritesClockwise) {
    Image sprite(2, 1);
    sprite.pixels = {kRed, kGreen};  // red on the left
    struct Case {
        int turns;
        int width, height;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {0, 2, 1, {kRed, kGreen}},
        {1, 1, 2, {kRed, kGreen}},  // the left end goes to the top
        {2, 2, 1, {kGreen, kRed}},
        {3, 1, 2, {kGreen, kRed}},
    };
    for (const Case& c : cases) {
        PreparedSprite prepared = PrepareSprite(sprite.Const(), {c.turns, c.width, c.height, true, 255, false});
        EXPECT_EQ(prepared.pixels, c.expected) << c.turns;
    }
}

TEST(Compositor, PreparesTransparencyOpacityAndScale) {
    Image sprite(3, 1);
    sprite.pixels = {0x00FFFFFF, 0x80FF0000, kBlue};  // transparent, half red, opaque blue
    PreparedSprite withAlpha = PrepareSprite(sprite.Const(), {0, 6, 2, true, 255, false});
    EXPECT_EQ(withAlpha.pixels[0], 0u);
    EXPECT_EQ(withAlpha.pixels[2], 0x80800000u);  // pre-multiplied
    EXPECT_EQ(withAlpha.pixels[11], kBlue);
    // Per row: the half-red run is blended, the blue run copied, the transparent one skipped.
    ASSERT_EQ(withAlpha.rowSpans[1] - withAlpha.rowSpans[0], 2);
    EXPECT_EQ(withAlpha.spans[0].start, 2);
    EXPECT_EQ(withAlpha.spans[0].length, 2);
    EXPECT_FALSE(withAlpha.spans[0].opaque);
    EXPECT_TRUE(withAlpha.spans[1].opaque);

    PreparedSprite opaque = PrepareSprite(sprite.Const(), {0, 3, 1, false, 255, false});
    EXPECT_EQ(opaque.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(opaque.pixels[1], kRed);

    PreparedSprite faded = PrepareSprite(sprite.Const(), {0, 3, 1, true, 128, false});
    EXPECT_EQ(faded.pixels[2], 0x80000080u);  // blue at alpha 128, pre-multiplied
}

TEST(Compositor, BlendsOverThePictureAndClipsAtTheEdges) {
    Image sprite(2, 2);
    sprite.pixels = {kRed, 0x80FF0000, 0x00000000, kRed};
    PreparedSprite prepared = PrepareSprite(sprite.Const(), {0, 2, 2, true, 255, false});
    Image target(3, 3, kBlue);
    BlendSprite(prepared, target.Buffer(), -1, 2);  // only the top-right sprite pixel lands, at (0, 2)
    EXPECT_EQ(Channel(target.At(0, 2), 16), 0x80);
    EXPECT_EQ(Channel(target.At(0, 2), 0), 0x7F);
    EXPECT_EQ(target.At(1, 2), kBlue);
    Image again(3, 3, kBlue);
    BlendSprite(prepared, again.Buffer(), 2, 2);
    EXPECT_EQ(again.At(2, 2), kRed);
    BlendSprite(prepared, again.Buffer(), INT_MAX / 2, -INT_MAX / 2);  // far away: nothing, no harm
}

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
    EXPECT_EQ(QuarterTurns(LONG_MIN), QuarterTurns(LONG_MIN));  // no overflow
}
