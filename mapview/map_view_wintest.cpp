// The real Map window in this process, with the stand-in game moving the party: the map picture
// follows the level from either map set, the view carries over, the slider zooms, the arrow sits
// on the party's cell, and a right-click resolves to the clicked cell.
#include "mapview/map_view.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "annotations/annotations.h"
#include "app/map_state.h"
#include "app/map_window.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"
#include "imagectrl/image_control_internal.h"
#include "mapview/map_grid.h"
#include "tools/testkit/kor_session.h"
#include "tools/testkit/ui_script.h"

namespace {

int loads;  // the image control was hidden for a load

LRESULT CALLBACK CountLoads(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SHOWWINDOW && !wParam) {
        ++loads;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND Image() {
    return GetDlgItem(mapWindow, kImageControl);
}
HWND Slider() {
    return GetDlgItem(mapWindow, kZoomSlider);
}

SIZE PictureSize() {
    LONG width = 0, height = 0;
    ZI_GetImageSizeFromControl(Image(), &width, &height);
    return {width, height};
}

// The demo's regular maps are drawn on brown rock, the alternate set on blue.
bool ShowsAlternateSet() {
    COLORREF rock = GetPixel(ZI_GetDC(Image()), 700, 5);
    return GetBValue(rock) > GetRValue(rock) + 20;
}

// The user moves the slider's thumb to `position`.
void MoveSlider(int position, int code) {
    SendMessageW(Slider(), TBM_SETPOS, TRUE, position);
    SendMessageW(mapWindow, WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Slider()));
}

struct View {
    float zoom;
    LONG x, y;
    bool operator==(const View&) const = default;
};
View CurrentView() {
    return {ZI_GetZoomValue(Image()), ZI_GetXscroll(Image()), ZI_GetYscroll(Image())};
}

HWND AnnotationDialog() {
    return FindWindowW(L"#32770", L"Annotation");
}

std::string Text(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class MapView : public testing::Test {
protected:
    MapView() {
        for (const wchar_t* file : {L"Levels\\town.jpg", L"Levels\\Level01.png", L"Levels\\Level02.png",
                                    L"Levels - YEL\\Level01.png", L"Levels - YEL\\Level02.png"}) {
            folder_.AddDemoFile(file);
        }
        GetCurrentDirectoryW(MAX_PATH, previousFolder_);
        SetCurrentDirectoryW(folder_.Path().c_str());
        RegisterGDImageClass();
        loads = 0;
    }
    ~MapView() override { SetCurrentDirectoryW(previousFolder_); }

    // Sends the game a command and waits until the poll has shown its level.
    UiStep Party(const std::string& command, const char* levelText) {
        return [=, this] {
            if (!sent_) {
                sent_ = game_.Send(command);
            }
            if (Text(mapWindow, kLevelReadout) != levelText) {
                return false;
            }
            sent_ = false;
            return true;
        };
    }

    void Run(std::vector<UiStep> steps) {
        steps.insert(steps.begin(), [] {  // the window is up and has polled once
            if (!mapWindow || !IsWindowVisible(mapWindow) ||
                GetWindowTextLengthA(GetDlgItem(mapWindow, kLevelReadout)) == 0) {
                return false;
            }
            SetWindowSubclass(Image(), CountLoads, 1, 0);
            return true;
        });
        steps.push_back([] {
            PostMessageW(mapWindow, WM_COMMAND, MAKEWPARAM(kExitButton, BN_CLICKED), 0);
            return true;
        });
        RunWithSteps(RunMapWindow, std::move(steps), [] {
            if (HWND annotation = AnnotationDialog()) {
                PostMessageW(annotation, WM_COMMAND, IDCANCEL, 0);
            }
            PostMessageW(mapWindow, WM_COMMAND, IDCANCEL, 0);
        });
        mapWindow = nullptr;
    }

    TempFolder folder_;
    wchar_t previousFolder_[MAX_PATH] = {};
    GameSimulator game_{folder_.Path()};
    bool sent_ = false;
};

}  // namespace

TEST_F(MapView, FollowsTheLevelFromEitherSetKeepingTheView) {
    static View before;
    Run({
        [] { return playerState.level == 0 && loads == 0; },
        Party("set 1 10 10 2", " 1"),
        [] {
            EXPECT_EQ(loads, 1);
            EXPECT_EQ(PictureSize().cx, 1000);
            EXPECT_FALSE(ShowsAlternateSet());
            // The slider's range is set on the first load and its thumb clamped to the top.
            EXPECT_EQ(SendMessageW(Slider(), TBM_GETRANGEMIN, 0, 0), 978);
            EXPECT_EQ(SendMessageW(Slider(), TBM_GETRANGEMAX, 0, 0), 5000);
            EXPECT_EQ(SendMessageW(Slider(), TBM_GETPOS, 0, 0), 978);
            return true;
        },
        Pause(1200),
        [] {
            EXPECT_EQ(loads, 1) << "the same level is loaded once, not on every tick";
            MoveSlider(2500, TB_THUMBTRACK);
            ZI_SetProperty(Image(), 3, 300);
            ZI_SetProperty(Image(), 4, 200);
            before = CurrentView();
            EXPECT_EQ(before, (View{2.5f, 300, 200}));
            SendDlgItemMessageW(mapWindow, kAlternateSetBox, BM_CLICK, 0, 0);  // to the alternate set at once
            EXPECT_EQ(loads, 2);
            EXPECT_TRUE(ShowsAlternateSet());
            EXPECT_EQ(CurrentView(), before);
            SendDlgItemMessageW(mapWindow, kAlternateSetBox, BM_CLICK, 0, 0);  // and back
            EXPECT_EQ(loads, 3);
            EXPECT_FALSE(ShowsAlternateSet());
            EXPECT_EQ(CurrentView(), before);
            SendDlgItemMessageW(mapWindow, kAlternateSetBox, BM_CLICK, 0, 0);  // the next level comes from it
            return true;
        },
        Party("set 2 10 10 2", " 2"),
        [] {
            EXPECT_EQ(loads, 5);
            EXPECT_TRUE(ShowsAlternateSet());
            EXPECT_EQ(CurrentView(), before) << "going down a level keeps zoom and scroll";
            return true;
        },
        Party("set 0 10 10 2", "Town"),
        [] {
            EXPECT_EQ(loads, 6);
            EXPECT_EQ(PictureSize().cx, 720);
            EXPECT_NE(ZI_GetZoomValue(Image()), 2.5f) << "the town gets its own fitted view";
            EXPECT_FALSE(IsWindowEnabled(Slider()));
            SendDlgItemMessageW(mapWindow, kAlternateSetBox, BM_CLICK, 0, 0);  // reloads the town too
            EXPECT_EQ(loads, 7);
            EXPECT_EQ(PictureSize().cx, 720);
            return true;
        },
    });
}

TEST_F(MapView, TheSliderZoomsFromItsTopToItsBottom) {
    Run({
        Party("set 1 10 10 2", " 1"),
        [] {
            const struct {
                int position, code;
                float zoom;
            } moves[] = {{5000, TB_BOTTOM, 5.0f},
                         {978, TB_TOP, 0.978f},
                         {2500, TB_THUMBTRACK, 2.5f},
                         {1000, TB_ENDTRACK, 1.0f},
                         {1234, TB_PAGEDOWN, 1.234f}};
            for (const auto& move : moves) {
                MoveSlider(move.position, move.code);
                EXPECT_EQ(ZI_GetZoomValue(Image()), move.zoom) << move.position;
            }
            return true;
        },
    });
}

TEST_F(MapView, TheArrowSitsOnThePartysCellTurnedToItsFacing) {
    auto arrowAt = [](int x, int y, int facing, int angleBefore) {
        return [=] {
            const SpriteObject* arrow = Sprites().Find(kArrowSprite);
            ArrowPlacement place = ArrowPlacementFor(x, y, facing);
            EXPECT_TRUE(arrow->visible);
            EXPECT_EQ(arrow->x, place.x);
            EXPECT_EQ(arrow->y, place.y);
            EXPECT_EQ(arrow->quarterTurns * 90, place.angle.value_or(angleBefore)) << "facing " << facing;
            return true;
        };
    };
    Run({
        [] {  // at start, parked and turned to 180
            const SpriteObject* arrow = Sprites().Find(kArrowSprite);
            EXPECT_EQ(arrow->x, kParked);
            EXPECT_EQ(arrow->quarterTurns, 2);
            return true;
        },
        Party("set 1 10 20 1", " 1"),
        arrowAt(10, 20, 1, 0),
        Party("set 2 11 20 2", " 2"),
        arrowAt(11, 20, 2, 0),
        Party("set 1 12 21 3", " 1"),
        arrowAt(12, 21, 3, 0),
        Party("set 2 13 22 4", " 2"),
        arrowAt(13, 22, 4, 0),
        Party("set 1 14 23 0", " 1"),
        arrowAt(14, 23, 0, 180),  // no facing: the angle stays
        Party("set 0 14 23 1", "Town"),
        [] {
            const SpriteObject* arrow = Sprites().Find(kArrowSprite);
            EXPECT_EQ(arrow->x, kParked);
            EXPECT_EQ(arrow->y, kParked);
            EXPECT_TRUE(arrow->visible);  // parked out of sight, its visibility untouched
            return true;
        },
    });
}

TEST_F(MapView, ARightClickOpensTheAnnotationDialogForTheClickedCell) {
    // The client point over the middle of cell (10, 20) at this zoom and scroll.
    auto rightClick = [](float zoom, int scrollX, int scrollY) {
        return [=] {
            MoveSlider(static_cast<int>(zoom * 1000), TB_THUMBPOSITION);
            ZI_SetProperty(Image(), 3, scrollX);
            ZI_SetProperty(Image(), 4, scrollY);
            int px = 14 * 10 - 6, py = 639 - 14 * 20;  // the cell's middle
            POINT client{static_cast<LONG>(px * zoom) - ZI_GetXscroll(Image()),
                         static_cast<LONG>(py * zoom) - ZI_GetYscroll(Image())};
            PostMessageW(Image(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
            return true;
        };
    };
    auto dialogShowsTheCell = [] {
        HWND dialog = AnnotationDialog();
        if (!dialog) {
            return false;
        }
        EXPECT_EQ(Text(dialog, kCellXReadout), " 10");
        EXPECT_EQ(Text(dialog, kCellYReadout), " 20");
        EXPECT_EQ(Text(dialog, kCellLevelReadout), " 1");
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    };
    auto dialogClosed = [] { return !AnnotationDialog(); };
    Run({
        Party("set 1 10 10 2", " 1"),
        rightClick(1.0f, 0, 0),
        dialogShowsTheCell,
        dialogClosed,
        rightClick(2.5f, 150, 400),
        dialogShowsTheCell,
        dialogClosed,
        [] {  // a right-click on the Map window's own background is ignored
            PostMessageW(mapWindow, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
            return true;
        },
        Pause(300),
        dialogClosed,
    });
}

TEST_F(MapView, ExitWhileTheAnnotationDialogIsOpenEndsEverythingCleanly) {
    Run({
        Party("set 1 10 10 2", " 1"),
        [] {
            PostMessageW(Image(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
            return true;
        },
        [] { return AnnotationDialog() != nullptr; },
        // Then the script's last step clicks Exit: only the image control is the dialog's owner, so
        // the Exit button still takes the click.
    });
    EXPECT_FALSE(AnnotationDialog());
}
