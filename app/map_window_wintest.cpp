#include "app/map_window.h"

#include <gtest/gtest.h>

#include "app/map_state.h"
#include "imagectrl/image_control.h"
#include "mapview/map_view.h"
#include "tools/testkit/kor_session.h"

namespace {

// The dialog font ("MS Sans Serif", 8 points at 96 dots per inch) has base units of 6 x 13 pixels.
RECT Pixels(int x, int y, int width, int height) {
    return {MulDiv(x, 6, 4), MulDiv(y, 13, 8), MulDiv(x, 6, 4) + MulDiv(width, 6, 4),
            MulDiv(y, 13, 8) + MulDiv(height, 13, 8)};
}

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return _wcsupr(name);
}

std::wstring WideText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// A prepared folder with the town picture, and KOR.exe running in it.
class MapWindow : public testing::Test {
protected:
    MapWindow() { folder_.AddDemoFile(L"Levels\\town.jpg"); }
    TempFolder folder_;
};

}  // namespace

TEST(StartUp, WithoutTheTownPictureOnlyTheErrorBoxShowsAndTheProgramEnds) {
    TempFolder empty;
    ChildProcess kor(KOR_EXE_PATH, L"", empty.Path());
    HWND box = WaitForWindow(kor.Id(), L"WEX");
    ASSERT_TRUE(box);
    EXPECT_EQ(WideText(GetDlgItem(box, 0xFFFF)),
              L"KOR needs to have the original\r\ndirectory structure retained\r\nwhile unarchiving.\r\n\r\n"
              L"Read the KOR.txt for more\r\ninformation.");
    EXPECT_FALSE(FindWindowW(nullptr, kMapCaption));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(kor.WaitForExit(), 0u);
}

TEST_F(MapWindow, HasItsCaptionStylesAndControlsInTabOrder) {
    KorSession kor(folder_.Path());
    HWND map = kor.MapWindow();
    ASSERT_TRUE(map);
    EXPECT_EQ(WideText(map), L"Vorkal Map Viewer v12.24.16");
    // WS_VISIBLE and WS_CLIPSIBLINGS come from showing it; the rest is the layer's style.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(map, GWL_STYLE)) & ~WS_CLIPSIBLINGS, 0x94CF00D4u & ~WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetWindowLongW(map, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    RECT client;
    GetClientRect(map, &client);
    EXPECT_EQ(client.right, 666);
    EXPECT_EQ(client.bottom, 681);

    const struct {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        int x, y, width, height;
        DWORD style, exStyle;
    } controls[] = {
        {1000, L"STATIC", L"Horizontal", 5, 7, 35, 10, 0x50000000, 0x1000},
        {1001, L"EDIT", nullptr, 45, 5, 30, 13, 0x58010080, 0x200},
        {1002, L"STATIC", L"Vertical", 75, 7, 35, 10, 0x50000000, 0x1000},
        {1003, L"EDIT", nullptr, 115, 5, 30, 13, 0x58010080, 0x200},
        {1004, L"STATIC", L"Level", 145, 7, 35, 10, 0x50000000, 0x1000},
        {1005, L"EDIT", nullptr, 185, 5, 30, 13, 0x58010080, 0x200},
        {1006, L"BUTTON", L"YEL Version", 230, 7, 65, 10, 0x50010003, 0},
        {1007, L"BUTTON", L"&About", 315, 5, 50, 15, 0x50010000, 0},
        {1008, L"BUTTON", L"E&xit", 375, 5, 50, 15, 0x50010000, 0},
        {1009, L"MSCTLS_TRACKBAR32", nullptr, 0, 25, 15, 390, 0x50010003, 0},
        {1010, L"ZIMAGECTRL", nullptr, 15, 25, 423, 391, 0x50000000, 0},
    };
    HWND previous = nullptr;
    for (const auto& c : controls) {
        HWND control = GetDlgItem(map, c.id);
        ASSERT_TRUE(control) << c.id;
        EXPECT_EQ(ClassOf(control), c.className) << c.id;
        if (c.text) {
            EXPECT_EQ(WideText(control), c.text) << c.id;
        }
        // The enabled state of the read-outs and the slider, and the scroll bars of the map, change
        // at run time; the class's own bits (the trackbar's) are not the layer's business.
        DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        DWORD changing = WS_CLIPSIBLINGS | WS_DISABLED | WS_HSCROLL | WS_VSCROLL;
        EXPECT_EQ(style & ~changing & 0xFFFF0000, c.style & ~changing & 0xFFFF0000) << c.id;
        EXPECT_EQ(style & 0xFFFF & c.style, c.style & 0xFFFF) << c.id;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY, c.exStyle) << c.id;
        RECT expected = Pixels(c.x, c.y, c.width, c.height), actual = ClientRectOf(control);
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << c.id << ": " << actual.left << "," << actual.top << " " << actual.right << "," << actual.bottom;
        // Creation order is the z-order, which is the tab order.
        EXPECT_EQ(GetWindow(control, GW_HWNDPREV), previous) << c.id;
        previous = control;
    }
    EXPECT_EQ(WideText(GetDlgItem(map, kLevelReadout)), L"Town");
}

TEST_F(MapWindow, CannotShrinkBelowItsOpeningSizeAndItsControlsFollowTheEdges) {
    KorSession kor(folder_.Path());
    HWND map = kor.MapWindow();
    ASSERT_TRUE(map);
    RECT minimum{0, 0, 666, 681};
    AdjustWindowRectEx(&minimum, 0x00CF0000, FALSE, 0x00040100);
    SetWindowPos(map, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT frame;
    GetWindowRect(map, &frame);
    EXPECT_EQ(frame.right - frame.left, minimum.right - minimum.left);
    EXPECT_EQ(frame.bottom - frame.top, minimum.bottom - minimum.top);

    RECT imageBefore = ClientRectOf(kor.Control(kImageControl)), sliderBefore = ClientRectOf(kor.Control(kZoomSlider)),
         aboutBefore = ClientRectOf(kor.Control(kAboutButton)), exitBefore = ClientRectOf(kor.Control(kExitButton)),
         boxBefore = ClientRectOf(kor.Control(kAlternateSetBox));
    SetWindowPos(map, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 150,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT image = ClientRectOf(kor.Control(kImageControl)), slider = ClientRectOf(kor.Control(kZoomSlider)),
         about = ClientRectOf(kor.Control(kAboutButton)), exit = ClientRectOf(kor.Control(kExitButton)),
         box = ClientRectOf(kor.Control(kAlternateSetBox));
    EXPECT_EQ(image.left, imageBefore.left);
    EXPECT_EQ(image.right, imageBefore.right + 200);
    EXPECT_EQ(image.bottom, imageBefore.bottom + 150);
    EXPECT_EQ(slider.right, sliderBefore.right);
    EXPECT_EQ(slider.bottom, sliderBefore.bottom + 150);
    EXPECT_EQ(about.left, aboutBefore.left + 200);
    EXPECT_EQ(exit.left, exitBefore.left + 200);
    EXPECT_EQ(exit.top, exitBefore.top);
    EXPECT_TRUE(EqualRect(&box, &boxBefore));
}

TEST_F(MapWindow, ExitEscAndTheCloseBoxEachEndTheProgramWithZero) {
    for (int way = 0; way < 3; ++way) {
        KorSession kor(folder_.Path());
        HWND map = kor.MapWindow();
        ASSERT_TRUE(map) << way;
        switch (way) {
            case 0:
                PostMessageW(map, WM_COMMAND, MAKEWPARAM(kExitButton, BN_CLICKED),
                             reinterpret_cast<LPARAM>(kor.Control(kExitButton)));
                break;
            case 1:  // the dialog manager turns Esc into IDCANCEL
                PostMessageW(kor.Control(kAlternateSetBox), WM_KEYDOWN, VK_ESCAPE, 1);
                break;
            case 2:
                PostMessageW(map, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
        }
        EXPECT_EQ(kor.Process().WaitForExit(), 0u) << way;
    }
}

TEST_F(MapWindow, GivesTheFocusBackAfterAnotherWindowWasActive) {
    KorSession kor(folder_.Path());
    HWND map = kor.MapWindow();
    ASSERT_TRUE(map);
    DWORD korThread = GetWindowThreadProcessId(map, nullptr);
    auto focus = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(korThread, &info);
        return info.hwndFocus;
    };
    SetForegroundWindow(map);
    // Tab from the checkbox (the first tab stop) to the About button.
    ASSERT_TRUE(WaitUntil([&] { return focus() == kor.Control(kAlternateSetBox); }));
    PostMessageW(kor.Control(kAlternateSetBox), WM_KEYDOWN, VK_TAB, 1);
    ASSERT_TRUE(WaitUntil([&] { return focus() == kor.Control(kAboutButton); }));

    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    // Activation under Wine without a window manager can be overtaken by a late focus event from the
    // X server; asking again until the window is in front keeps the test about KOR, not about X.
    auto bringToFront = [](HWND window) {
        return WaitUntil([&] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
            }
            return GetForegroundWindow() == window;
        });
    };
    ASSERT_TRUE(bringToFront(other));
    ASSERT_TRUE(bringToFront(map));
    EXPECT_TRUE(WaitUntil([&] { return focus() == kor.Control(kAboutButton); })) << "focus on " << focus();
    DestroyWindow(other);
}

// In this process: the chest icon in both sizes, and the set-up queues the first poll at once,
// beside the 250 ms timer.
TEST_F(MapWindow, HasTheChestIconAndQueuesTheFirstPollAtOnce) {
    RegisterGDImageClass();
    townPath = "Z:\\nowhere\\Levels\\town.jpg<fit>";
    HWND window = BuildMapWindow();
    ASSERT_TRUE(window);
    HICON chest = LoadIconA(GetModuleHandleA(nullptr), "CHEST");
    ASSERT_TRUE(chest);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), chest);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), chest);
    MapWindowCallback(window, WM_INITDIALOG, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(message.wParam, kPollTimer);
    EXPECT_TRUE(KillTimer(window, kPollTimer));  // and the timer itself runs
    DestroyWindow(window);
}
