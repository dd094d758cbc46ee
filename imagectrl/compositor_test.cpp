#include "imagectrl/compositor.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "imagectrl/test_pixels.h"

namespace {

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
    std::vector<uint32_t> before = again.pixels;
    BlendSprite(prepared, again.Buffer(), INT_MAX / 2, -INT_MAX / 2);  // far away: nothing, no harm
    EXPECT_EQ(again.pixels, before);
}
