// KOR.exe and the stand-in game in one Wine prefix, driven through the game's commands and watched
// through the Map window's read-outs and zoom slider.
#include <gtest/gtest.h>

#include <string>

#include "app/map_state.h"
#include "tools/testkit/kor_session.h"

namespace {

class GameLink : public testing::Test {
protected:
    GameLink() { folder_.AddDemoFile(L"Levels\\town.jpg"); }

    struct Readouts {
        std::string x, y, level;
        bool sliderEnabled;
        bool operator==(const Readouts&) const = default;
    };

    static Readouts Read(const KorSession& kor) {
        return {kor.ControlText(kXReadout), kor.ControlText(kYReadout), kor.ControlText(kLevelReadout),
                IsWindowEnabled(kor.Control(kZoomSlider)) != FALSE};
    }

    // The read-outs reach `expected` within a few ticks.
    static testing::AssertionResult Shows(const KorSession& kor, const Readouts& expected) {
        if (WaitUntil([&] { return Read(kor) == expected; })) {
            return testing::AssertionSuccess();
        }
        Readouts r = Read(kor);
        return testing::AssertionFailure()
               << "shows \"" << r.x << "\" \"" << r.y << "\" \"" << r.level << "\" slider " << r.sliderEnabled;
    }

    // ... and keep showing it over several ticks.
    static testing::AssertionResult KeepsShowing(const KorSession& kor, const Readouts& expected) {
        for (int tick = 0; tick < 6; ++tick) {
            if (testing::AssertionResult shown = Shows(kor, expected); !shown) {
                return shown;
            }
            Sleep(250);
        }
        return testing::AssertionSuccess();
    }

    TempFolder folder_;
    const Readouts notFound_{" 0", " 0", "Town", false};
};

}  // namespace

TEST_F(GameLink, FollowsAGameStartedAfterKorUntilItExits) {
    KorSession kor(folder_.Path());
    ASSERT_TRUE(kor.MapWindow());
    EXPECT_TRUE(KeepsShowing(kor, notFound_));

    GameSimulator game(folder_.Path());
    ASSERT_TRUE(game.Send("set 3 10 20 2"));
    EXPECT_TRUE(Shows(kor, {" 10", " 20", " 3", true}));
    ASSERT_TRUE(game.Send("set 255 7 8 1"));
    EXPECT_TRUE(Shows(kor, {" 7", " 8", " 255", true}));
    ASSERT_TRUE(game.Send("set 0 4 5 1"));
    EXPECT_TRUE(Shows(kor, {" 4", " 5", "Town", false}));

    ASSERT_TRUE(game.Send("set 12 30 31 4"));
    EXPECT_TRUE(Shows(kor, {" 30", " 31", " 12", true}));
    ASSERT_TRUE(game.Send("exit"));
    EXPECT_TRUE(Shows(kor, notFound_));
    EXPECT_TRUE(KeepsShowing(kor, notFound_));
}

TEST_F(GameLink, RecoversFromABrokenPointerChainAndAPartyAtCellZero) {
    GameSimulator game(folder_.Path());
    ASSERT_TRUE(game.Send("null"));
    KorSession kor(folder_.Path());
    ASSERT_TRUE(kor.MapWindow());
    EXPECT_TRUE(KeepsShowing(kor, notFound_));

    ASSERT_TRUE(game.Send("set 2 0 0 1"));  // found, but cell 0, 0 keeps discovery running
    EXPECT_TRUE(KeepsShowing(kor, {" 0", " 0", " 2", true}));
    ASSERT_TRUE(game.Send("set 2 5 6 1"));
    EXPECT_TRUE(Shows(kor, {" 5", " 6", " 2", true}));

    // The party leaves play and the chain leads nowhere: the record reads as 0, discovery runs again
    // and finds nothing.
    ASSERT_TRUE(game.Send("set 0 0 0 0"));
    ASSERT_TRUE(game.Send("garbage"));
    EXPECT_TRUE(KeepsShowing(kor, notFound_));
    ASSERT_TRUE(game.Send("set 6 9 9 3"));  // discovery finds the record again
    EXPECT_TRUE(Shows(kor, {" 9", " 9", " 6", true}));
}
