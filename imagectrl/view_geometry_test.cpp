#include "imagectrl/view_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

TEST(ViewGeometry, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(634.5), 634);
    EXPECT_EQ(RoundHalfEven(635.5), 636);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(ViewGeometry, LaysOutEachAxis) {
    struct Case {
        int picture;
        double zoom;
        int client, requested;
        int zoomed, offset, maxScroll, scroll;
    };
    const Case cases[] = {
        {600, 1, 700, 0, 600, 50, 0, 0},       // centred: a click at 52 is picture pixel 2
        {601, 1, 700, 30, 601, 49, 0, 0},      // odd margin: the remainder is dropped; no scrolling
        {423, 1.5, 600, 100, 634, 0, 34, 34},  // 634.5 rounds to even; the scroll is clamped
        {1000, 2.5, 1600, 400, 2500, 0, 900, 400},
        {1000, 0.978, 1600, 0, 978, 311, 0, 0},
        {0, 1, 500, 10, 0, 250, 0, 0},  // no picture
        {100, 1, 100, -5, 100, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ViewAxis axis = LayoutAxis(c.picture, c.zoom, c.client, c.requested);
        EXPECT_EQ(axis.zoomed, c.zoomed) << c.picture << " " << c.zoom;
        EXPECT_EQ(axis.offset, c.offset) << c.picture << " " << c.zoom;
        EXPECT_EQ(axis.maxScroll, c.maxScroll) << c.picture << " " << c.zoom;
        EXPECT_EQ(axis.scroll, c.scroll) << c.picture << " " << c.zoom;
    }
}

TEST(ViewGeometry, MapsClientPixelsToPicturePixels) {
    struct Case {
        int picture;
        double zoom;
        int client, scroll;
        int destStart, destEnd, first, last;
    };
    const Case cases[] = {
        {1000, 2.5, 1600, 900, 0, 1600, 360, 999},  // scrolled to the end: the last column shows
        {1000, 5, 1600, 0, 0, 1600, 0, 319},       {600, 1, 700, 0, 50, 650, 0, 599},
        {1000, 0.978, 1600, 0, 311, 1289, 0, 999}, {0, 1, 700, 0, 350, 350, 0, -1},  // nothing to show
    };
    for (const Case& c : cases) {
        ViewAxis axis = LayoutAxis(c.picture, c.zoom, c.client, c.scroll);
        EXPECT_EQ(axis.DestStart(), c.destStart) << c.zoom;
        EXPECT_EQ(axis.DestEnd(), c.destEnd) << c.zoom;
        SourceRange range = VisibleSource(axis, c.zoom);
        EXPECT_EQ(range.first, c.first) << c.zoom;
        EXPECT_EQ(range.last, c.last) << c.zoom;
    }
}

TEST(ViewGeometry, NearestNeighbourGivesEveryPicturePixelTheSameShareAtWholeZooms) {
    ViewAxis axis = LayoutAxis(5, 3, 15, 0);
    std::vector<int> expected = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    EXPECT_EQ(NearestTable(axis, 3), expected);
    // At 2.5 a 14-pixel cell covers 35 client pixels wherever it lies.
    axis = LayoutAxis(700, 2.5, 1750, 0);
    std::vector<int> table = NearestTable(axis, 2.5);
    for (int cell = 0; cell < 50; ++cell) {
        EXPECT_EQ(std::count_if(table.begin(), table.end(), [cell](int p) { return p / 14 == cell; }), 35) << cell;
    }
}

TEST(ViewGeometry, BilinearTapsSitBetweenPicturePixels) {
    ViewAxis axis = LayoutAxis(4, 0.5, 2, 0);
    std::vector<BilinearTap> taps = BilinearTable(axis, 0.5);
    ASSERT_EQ(taps.size(), 2u);
    EXPECT_EQ(taps[0].index, 0);
    EXPECT_EQ(taps[0].next, 1);
    EXPECT_EQ(taps[0].weight, 128u);
    EXPECT_EQ(taps[1].index, 2);
    EXPECT_EQ(taps[1].weight, 128u);
    // The edges never read outside the picture.
    taps = BilinearTable(LayoutAxis(3, 0.9, 100, 0), 0.9);
    for (const BilinearTap& tap : taps) {
        EXPECT_GE(tap.index, 0);
        EXPECT_LE(tap.next, 2);
    }
}

TEST(ViewGeometry, ZoomKeepsThePointUnderTheCentre) {
    struct Case {
        int scroll, picture, client;
        double from, to;
        int expected;
    };
    const Case cases[] = {
        {300, 1000, 400, 1, 2, 800},                                // centre at picture pixel 500
        {800, 1000, 400, 2, 1, 300}, {4600, 1000, 400, 5, 1, 600},  // the far end stays at the far end
        {0, 300, 400, 1, 2, 100},                                   // a centred picture zooms about its own centre
        {0, 1000, 400, 1, 1, 0},     {0, 1000, 400, 5, 0.978f, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SteadyScroll(c.scroll, c.picture, c.client, c.from, c.to), c.expected) << c.from << "->" << c.to;
    }
    // Zooming in and back out returns to the same place.
    for (int scroll = 0; scroll <= 600; scroll += 37) {
        int in = SteadyScroll(scroll, 1000, 400, 1, 2.5);
        EXPECT_NEAR(SteadyScroll(in, 1000, 400, 2.5, 1), scroll, 1) << scroll;
    }
    // Zooms are taken as the control takes them: NaN is refused, an infinity or a huge one bounded.
    EXPECT_EQ(SteadyScroll(300, 1000, 400, std::nan(""), 2), 0);
    EXPECT_EQ(SteadyScroll(300, 1000, 400, 1, std::numeric_limits<double>::infinity()), 500 * 64 - 200);
    EXPECT_EQ(SteadyScroll(300, 1000, 400, 1, 1e30), 500 * 64 - 200);
}

TEST(ViewGeometry, FitZoomShowsTheWholePictureAndNoMore) {
    EXPECT_FLOAT_EQ(FitZoom(1000, 700, 423, 391), 0.423f);
    EXPECT_EQ(FitZoom(0, 700, 423, 391), 1.0f);
    for (int width = 97; width < 3000; width += 131) {  // above kMinZoom
        for (int client = 50; client < 1500; client += 97) {
            float zoom = FitZoom(width, 700, client, 600);
            ViewAxis x = LayoutAxis(width, zoom, client, 0), y = LayoutAxis(700, zoom, 600, 0);
            EXPECT_EQ(x.maxScroll + y.maxScroll, 0) << width << " in " << client;
            EXPECT_TRUE(x.zoomed >= client - 1 || y.zoomed >= 599) << width << " in " << client;
        }
    }
}

TEST(ViewGeometry, RefusesZoomsThatAreNoPositiveNumberAndBoundsTheRest) {
    EXPECT_EQ(AcceptableZoom(std::nan("")), 0);
    EXPECT_EQ(AcceptableZoom(-1), 0);
    EXPECT_EQ(AcceptableZoom(0), 0);
    EXPECT_EQ(AcceptableZoom(1e30), kMaxZoom);
    EXPECT_EQ(AcceptableZoom(1e-9), kMinZoom);
    EXPECT_FLOAT_EQ(AcceptableZoom(0.978f), 0.978f);
}

TEST(ViewGeometry, RefusesPictureSizesBeyondTheLimits) {
    EXPECT_TRUE(PictureSizeAcceptable(4000, 4000));
    EXPECT_TRUE(PictureSizeAcceptable(16384, 1));
    EXPECT_FALSE(PictureSizeAcceptable(60000, 60000));
    EXPECT_FALSE(PictureSizeAcceptable(16385, 1));
    EXPECT_FALSE(PictureSizeAcceptable(8000, 8000));
    EXPECT_FALSE(PictureSizeAcceptable(0, 5));
    EXPECT_FALSE(PictureSizeAcceptable(5, -1));
}

TEST(ViewGeometry, FitSuffixIsTakenOnlyAtTheEnd) {
    std::wstring path = L"C:\\maps\\Levels\\town.jpg<fit>";
    EXPECT_TRUE(StripFitSuffix(path));
    EXPECT_EQ(path, L"C:\\maps\\Levels\\town.jpg");
    path = L"a<fit>.png";
    EXPECT_FALSE(StripFitSuffix(path));
    EXPECT_EQ(path, L"a<fit>.png");
    path = L"";
    EXPECT_FALSE(StripFitSuffix(path));
}
