#include "rrbutton/button_look.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "rrbutton/rrbutton_messages.h"

TEST(ButtonColors, ChannelsShiftWithoutCarryOrBorrow) {
    struct Case {
        Color color;
        int delta;
        Color expected;
    };
    const Case cases[] = {
        {0xC8C8C8, 8, 0xD0D0D0},   {0xF8F7F0, 8, 0xFFFFF8},   {0x00FFFA, 8, 0x08FFFF},
        {0x0F1020, -16, 0x000010}, {0x000000, -16, 0x000000}, {0x02F0F0F0, 8, 0x02F8F8F8},  // top byte kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShiftChannels(c.color, c.delta), c.expected) << std::hex << c.color << " " << std::dec << c.delta;
    }
}

TEST(ButtonColors, NewFaceIsEightLighterExceptBlackAndWhite) {
    EXPECT_TRUE(IsBlackOrWhite(0x000000));
    EXPECT_TRUE(IsBlackOrWhite(0xFFFFFF));
    EXPECT_FALSE(IsBlackOrWhite(0xFEFFFF));
    EXPECT_FALSE(IsBlackOrWhite(0x02FFFFFF));  // palette-relative white is not plain white
    EXPECT_EQ(NewFaceColor(0xC8C8C8), 0xD0D0D0u);
    EXPECT_EQ(NewFaceColor(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(NewFaceColor(0x000000), 0x000000u);
    EXPECT_EQ(NewFaceColor(0xFAFAFA), 0xFFFFFFu);  // near white: held at the limit
    EXPECT_EQ(RingShade(0x0A2040), 0x001030u);
}

TEST(ButtonColors, FaceFollowsTheSystemFaceUnlessTheCallerChoseIt) {
    struct Case {
        Color face, last, now, expected;
    };
    const Case cases[] = {
        {0xD0D0D0, kNoColor, 0xC8C8C8, 0xD0D0D0},  // first paint: nothing to follow yet
        {0xD0D0D0, 0xC8C8C8, 0x808080, 0x888888},  // the lightened face stays lightened
        {0xC8C8C8, 0xC8C8C8, 0x808080, 0x808080},  // the plain face stays plain
        {0x123456, 0xC8C8C8, 0x808080, 0x123456},  // the caller's own face is kept
        {0xFFFFFF, 0xFFFFFF, 0x808080, 0x808080},  // white was taken plain, so it follows plain
        {0xFFFFFF, 0xF8F8F8, 0xF0F0F0, 0xF8F8F8},  // lightened at the limit still follows
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FollowSystemFace(c.face, c.last, c.now), c.expected) << std::hex << c.face << " " << c.last;
    }
}

TEST(ImagePlacement, EveryPlaceWithMarginsAndHalfToEvenRounding) {
    struct Case {
        int pos, width, height;
        Point expected;
    };
    // Image 16 x 10, margins left 2, top 3, right 4, bottom 5.
    const Case cases[] = {
        {-1, 100, 40, {2, 3}},   {-2, 100, 40, {44, 3}},  {-3, 100, 40, {80, 3}}, {-4, 100, 40, {2, 18}},
        {-5, 100, 40, {44, 18}}, {-6, 100, 40, {80, 18}}, {-7, 100, 40, {2, 25}}, {-8, 100, 40, {44, 25}},
        {-9, 100, 40, {80, 25}}, {0, 100, 40, {7, 9}},    {5, 100, 40, {7, 9}},   {-10, 100, 40, {7, 9}},
        {-5, 41, 25, {14, 10}},  // 12.5 + 2 = 14.5 -> 14; 7.5 + 3 = 10.5 -> 10
        {-5, 43, 27, {16, 12}},  // 13.5 + 2 = 15.5 -> 16; 8.5 + 3 = 11.5 -> 12
        {-5, 10, 4, {-1, 0}},    // -3 + 2 = -1; -3 + 3 = 0
        {-5, 11, 5, {0, 0}},     // -2.5 + 2 = -0.5 -> 0; -2.5 + 3 = 0.5 -> 0
        {-5, 9, 3, {-2, 0}},     // -3.5 + 2 = -1.5 -> -2; -3.5 + 3 = -0.5 -> 0
    };
    for (const Case& c : cases) {
        ImageLayout layout{c.pos, 7, 9, 16, 10, 2, 3, 4, 5};
        EXPECT_EQ(PlaceImage(layout, c.width, c.height), c.expected) << c.pos << " " << c.width << "x" << c.height;
    }
}

TEST(ImagePlacement, CentreWithoutMarginsRoundsHalvesToEven) {
    ImageLayout layout{-5, 0, 0, 16, 16, 0, 0, 0, 0};
    EXPECT_EQ(PlaceImage(layout, 16 + 25, 16 + 27).x, 12);  // 12.5 -> 12
    EXPECT_EQ(PlaceImage(layout, 16 + 27, 16 + 25).x, 14);  // 13.5 -> 14
    EXPECT_EQ(PlaceImage(layout, 16 + 27, 16 + 25).y, 12);
}

TEST(TextPlacement, IsTheClientInsetByTheMargins) {
    EXPECT_EQ(PlaceText({3, 4, 5, 6}, 100, 40), (Box{3, 4, 95, 34}));
    EXPECT_EQ(PlaceText({-2, 0, -2, 0}, 100, 40), (Box{-2, 0, 102, 40}));
}

TEST(Placement, StaysInReachWhateverACallerSends) {
    const int most = INT_MAX, least = INT_MIN, far = kFarthestPlace;
    EXPECT_EQ(PlaceImage({-5, 0, 0, least, least, most, most, 0, 0}, most, most), (Point{far, far}));
    EXPECT_EQ(PlaceImage({-9, 0, 0, most, most, 0, 0, most, most}, 10, 10), (Point{-far, -far}));
    EXPECT_EQ(PlaceImage({0, most, least}, 10, 10), (Point{far, -far}));
    EXPECT_EQ(PlaceText({least, most, least, most}, 100, 40), (Box{-far, far, far, -far}));
}

namespace {

std::vector<Outline> OutlinesOf(const Frame& frame) {
    return {frame.outlines.begin(), frame.outlines.begin() + frame.count};
}

}  // namespace

TEST(FrameChoice, SpotChecks) {
    // Live and idle: flat with a face outline; focused, the outer line turns info-background.
    Frame idle = ChooseFrame({0, 0, 0, 1, true});
    EXPECT_EQ(idle.look, Look::Flat);
    EXPECT_EQ(idle.notification, RRBN_FLAT);
    EXPECT_EQ(OutlinesOf(idle), (std::vector<Outline>{{0, 1, Ink::Face}, {0, 1, Ink::InfoBackground}}));
    // Idle raised and focused: the raised look with an inner ring of the darker shade.
    EXPECT_EQ(
        OutlinesOf(ChooseFrame({0, 0, 1, 1, true})),
        (std::vector<Outline>{{0, 1, Ink::Highlight}, {1, 0, Ink::Shadow}, {1, 1, Ink::Face}, {2, 2, Ink::RingShade}}));
    // Pressed live button: sunken, no ring even when focused.
    EXPECT_EQ(OutlinesOf(ChooseFrame({0, 2, 0, 1, true})),
              (std::vector<Outline>{{1, 0, Ink::Highlight}, {0, 1, Ink::Shadow}, {1, 1, Ink::Face}}));
    // A fixed sunken look that still takes clicks shows the info-background ring when focused.
    EXPECT_EQ(OutlinesOf(ChooseFrame({3, 2, 0, 1, true})).back(), (Outline{2, 2, Ink::InfoBackground}));
    // Fixed flat web-link look, focused: outline over the whole window, ring in the darker shade.
    EXPECT_EQ(OutlinesOf(ChooseFrame({1, 0, 0, 1, true})),
              (std::vector<Outline>{{0, 0, Ink::Face}, {0, 1, Ink::RingShade}}));
}

// Every combination of static look, state, idle-raised, interactive and focus, against a table of
// the look each (static look, state, idle-raised) gets and of the ring each look gets when focused.
TEST(FrameChoice, EveryCombination) {
    const Look R = Look::Raised, S = Look::Sunken, F = Look::Flat;
    struct Row {
        int staticLook;
        Look byState[3][2];  // [state][idleRaised]
    };
    const Row looks[] = {
        {0, {{F, R}, {R, R}, {S, S}}}, {1, {{F, F}, {F, F}, {F, F}}},  {2, {{R, R}, {R, R}, {R, R}}},
        {3, {{S, S}, {S, S}, {S, S}}}, {-1, {{F, F}, {F, F}, {F, F}}}, {4, {{F, F}, {F, F}, {F, F}}},
    };
    for (const Row& row : looks) {
        const bool live = row.staticLook == 0;
        for (int state = 0; state < 3; ++state) {
            for (int idleRaised = 0; idleRaised < 2; ++idleRaised) {
                const Look look = row.byState[state][idleRaised];
                std::vector<Outline> body =
                    look == R   ? std::vector<Outline>{{0, 1, Ink::Highlight}, {1, 0, Ink::Shadow}, {1, 1, Ink::Face}}
                    : look == S ? std::vector<Outline>{{1, 0, Ink::Highlight}, {0, 1, Ink::Shadow}, {1, 1, Ink::Face}}
                                : std::vector<Outline>{{0, live ? 1 : 0, Ink::Face}};
                // The ring each look gets, and when, while the button is focused and interactive.
                std::vector<Outline> ring;
                if (look == R && (idleRaised || !live))
                    ring = {{2, 2, Ink::RingShade}};
                if (look == S && !live)
                    ring = {{2, 2, Ink::InfoBackground}};
                if (look == F && !idleRaised)
                    ring = {{0, 1, live ? Ink::InfoBackground : Ink::RingShade}};
                const unsigned notification = look == R    ? unsigned{RRBN_RAISED}
                                              : look == S  ? RRBN_SUNKEN
                                              : idleRaised ? 0u
                                                           : RRBN_FLAT;
                for (int interactive : {0, 1, 5}) {
                    for (bool focused : {false, true}) {
                        SCOPED_TRACE(testing::Message()
                                     << "look " << row.staticLook << " state " << state << " idle " << idleRaised
                                     << " interactive " << interactive << " focused " << focused);
                        Frame frame = ChooseFrame({row.staticLook, state, idleRaised, interactive, focused});
                        std::vector<Outline> expected = body;
                        if (interactive && focused)
                            expected.insert(expected.end(), ring.begin(), ring.end());
                        EXPECT_EQ(frame.look, look);
                        EXPECT_EQ(frame.notification, notification);
                        EXPECT_EQ(OutlinesOf(frame), expected);
                    }
                }
            }
        }
    }
}

TEST(ContentChoice, ByState) {
    struct Case {
        int staticLook, state;
        bool enabled, emboss, noShift;
        ImagesHeld images;
        Content expected;
    };
    const ImagesHeld all{true, true, true, true};
    const ImagesHeld normalOnly{true, false, false, false};
    const ImagesHeld hotOnly{false, true, false, false};
    const ImagesHeld disabledOnly{false, false, false, true};
    const ImagesHeld normalAndHot{true, true, false, false};
    const Case cases[] = {
        // pressed: pressed, else hot, else normal image; shifted with the text on a live look
        {0, 2, true, false, false, all, {ImageSlot::Pressed, true, true, false, TextInk::Pressed}},
        {0, 2, true, true, false, normalAndHot, {ImageSlot::Hot, true, true, true, TextInk::Pressed}},
        {0, 2, false, false, true, normalOnly, {ImageSlot::Normal, false, true, false, TextInk::Pressed}},
        {3, 2, true, false, false, normalOnly, {ImageSlot::Normal, false, false, false, TextInk::Pressed}},
        // hot: hot, else pressed, else normal; never shifted; the enabled state is not consulted
        {0, 1, false, false, false, all, {ImageSlot::Hot, false, false, false, TextInk::Hot}},
        {0, 1, true, true, false, {true, false, true, false}, {ImageSlot::Pressed, false, false, true, TextInk::Hot}},
        {0, 1, true, false, false, hotOnly, {ImageSlot::Hot, false, false, false, TextInk::Hot}},
        // normal, enabled: only the normal image
        {0, 0, true, false, false, hotOnly, {ImageSlot::None, false, false, false, TextInk::Normal}},
        {0, 0, true, true, false, all, {ImageSlot::Normal, false, false, true, TextInk::Normal}},
        // normal, disabled: the disabled image in place of a normal one; grey text, always embossed
        {0, 0, false, false, false, all, {ImageSlot::Disabled, false, false, true, TextInk::Disabled}},
        {0, 0, false, false, false, normalOnly, {ImageSlot::Normal, false, false, true, TextInk::Disabled}},
        {0, 0, false, false, false, disabledOnly, {ImageSlot::None, false, false, true, TextInk::Disabled}},
    };
    for (const Case& c : cases) {
        ButtonLook look{c.staticLook, c.state, 0, 1, false};
        EXPECT_EQ(ChooseContent(look, c.enabled, c.emboss, c.noShift, c.images), c.expected)
            << "look " << c.staticLook << " state " << c.state << " enabled " << c.enabled;
    }
}
