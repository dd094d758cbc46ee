#include "rrbutton/rrbutton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/win_handles.h"
#include "dialogs/dialog_layer.h"
#include "rrbutton/button_look.h"
#include "rrbutton/rrbutton_api.h"
#include "rrbutton/test_hooks.h"
#include "rrbutton/test_support.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kMarker = RGB(255, 0, 255);

class RRButton : public testing::Test {
protected:
    static void SetUpTestSuite() {
        InitRRButtonClass();
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        SetCurrentDirectoryA(folder);
        WriteIconFile("red.ico", kRed);
        WriteIconFile("green.ico", kGreen);
        WriteIconFile("blue.ico", kBlue);
        WriteBitmapFile("red.bmp", kRed);
    }
    void SetUp() override {
        parent_ = CreateRecordingParent(100, 100, 600, 300);
        notices.clear();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        Pump();
    }

    HWND Make(int id,
              const char* text,
              int x,
              int y,
              int width,
              int height,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP) {
        HWND button =
            CreateWindowExA(0, kRRButtonClass, text, style, x, y, width, height, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
        Pump();
        notices.clear();
        return button;
    }
    static RRButtonRecord& R(HWND button) { return *RRButtonRecordOf(button); }
    static int Count(UINT message) {
        return static_cast<int>(
            std::count_if(notices.begin(), notices.end(), [message](const Notice& n) { return n.message == message; }));
    }
    static int Clicks() { return Count(WM_COMMAND); }
    static LRESULT Send(HWND button, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(button, message, wParam, lParam);
    }

    HWND parent_ = nullptr;
};

bool IconAlive(HANDLE icon) {
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) {
        return false;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

}  // namespace

TEST_F(RRButton, CreationGivesEveryFieldItsStartingValue) {
    HWND button = CreateWindowExA(0, kRRButtonClass, "Go", WS_CHILD, 10, 10, 80, 24, parent_,
                                  reinterpret_cast<HMENU>(77), GetModuleHandleA(nullptr), nullptr);
    const RRButtonRecord& r = R(button);
    EXPECT_EQ(r.hwnd, button);
    EXPECT_EQ(r.id, 77);
    EXPECT_EQ(r.parent, parent_);
    EXPECT_EQ(r.resourceModule, GetModuleHandleA(nullptr));  // no VURIZODA.DLL in this process
    EXPECT_EQ(r.corner, 5);
    EXPECT_TRUE(r.region);
    EXPECT_EQ(r.cursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(r.faceColor, NewFaceColor(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(r.textBkMode, TRANSPARENT);
    EXPECT_EQ(r.textBkColor, r.faceColor);
    for (COLORREF color : {r.textColor, r.hotTextColor, r.pressedTextColor}) {
        EXPECT_EQ(color, GetSysColor(COLOR_BTNTEXT));
    }
    EXPECT_EQ(r.interactive, 1);
    EXPECT_EQ(r.imagePos, -4);
    EXPECT_EQ(r.textFormat, 37);
    EXPECT_EQ(r.imageWidth, 16);
    EXPECT_EQ(r.imageHeight, 16);
    EXPECT_EQ(r.lastSysFace, kNoColor);
    // Brush and font come with the first paint.
    EXPECT_FALSE(r.faceBrush);
    EXPECT_FALSE(r.font);
    ShowWindow(button, SW_SHOW);
    UpdateWindow(button);
    EXPECT_TRUE(r.faceBrush);
    EXPECT_EQ(r.font, GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ(r.lastSysFace, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(r.paletteEntries[1], RingShade(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(r.paletteEntries[2], GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(Send(button, RRBM_GETFACEBRUSH), reinterpret_cast<LRESULT>(r.faceBrush));
}

TEST_F(RRButton, EverySetterStoresWhatItsGetterReturns) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    struct Case {
        UINT set, get;
        WPARAM value;
        LRESULT stored;
    };
    const Case cases[] = {
        {RRBM_SETCORNER, RRBM_GETCORNER, 9, 9},
        {RRBM_SETCORNER, RRBM_GETCORNER, static_cast<WPARAM>(-4), 0},
        {RRBM_SETFACECOLOR, RRBM_GETFACECOLOR, 0x123456, 0x123456},
        {RRBM_SETTEXTBKMODE, RRBM_GETTEXTBKMODE, OPAQUE, OPAQUE},
        {RRBM_SETTEXTBKCOLOR, RRBM_GETTEXTBKCOLOR, 0x010203, 0x010203},
        {RRBM_SETTEXTCOLOR, RRBM_GETTEXTCOLOR, 0x040506, 0x040506},
        {RRBM_SETPRESSEDTEXTCOLOR, RRBM_GETPRESSEDTEXTCOLOR, 0x070809, 0x070809},
        {RRBM_SETHOTTEXTCOLOR, RRBM_GETHOTTEXTCOLOR, 0x0A0B0C, 0x0A0B0C},
        {RRBM_SETEMBOSS, RRBM_GETEMBOSS, 3, 3},
        {RRBM_SETIDLERAISED, RRBM_GETIDLERAISED, 5, 1},
        {RRBM_SETIDLERAISED, RRBM_GETIDLERAISED, 0, 0},
        {RRBM_SETINTERACTIVE, RRBM_GETINTERACTIVE, 5, 5},
        {RRBM_SETTEXTFORMAT, RRBM_GETTEXTFORMAT, DT_LEFT | DT_TOP, DT_LEFT | DT_TOP},
        {RRBM_SETTEXTMARGINLEFT, RRBM_GETTEXTMARGINLEFT, 11, 11},
        {RRBM_SETTEXTMARGINTOP, RRBM_GETTEXTMARGINTOP, 12, 12},
        {RRBM_SETTEXTMARGINRIGHT, RRBM_GETTEXTMARGINRIGHT, 13, 13},
        {RRBM_SETTEXTMARGINBOTTOM, RRBM_GETTEXTMARGINBOTTOM, 14, 14},
        {RRBM_SETIMAGEMARGINLEFT, RRBM_GETIMAGEMARGINLEFT, 15, 15},
        {RRBM_SETIMAGEMARGINTOP, RRBM_GETIMAGEMARGINTOP, 16, 16},
        {RRBM_SETIMAGEMARGINRIGHT, RRBM_GETIMAGEMARGINRIGHT, 17, 17},
        {RRBM_SETIMAGEMARGINBOTTOM, RRBM_GETIMAGEMARGINBOTTOM, 18, 18},
        {RRBM_SETIMAGEPOS, RRBM_GETIMAGEPOS, static_cast<WPARAM>(-3), -3},
        {RRBM_SETIMAGEPOS, RRBM_GETIMAGEPOS, 7, 0},
        {RRBM_SETSTATICLOOK, RRBM_GETSTATICLOOK, 3, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Send(button, c.set, c.value, 0), 0) << c.set;
        EXPECT_EQ(Send(button, c.get), c.stored) << c.set;
    }
    // Explicit image position: x from wParam, y from lParam; a code leaves them alone.
    Send(button, RRBM_SETIMAGEPOS, 21, 22);
    Send(button, RRBM_SETIMAGEPOS, static_cast<WPARAM>(-6), 99);
    EXPECT_EQ(R(button).imageX, 21);
    EXPECT_EQ(R(button).imageY, 22);
    EXPECT_EQ(Send(button, RRBM_GETIMAGEPOS), -6);
    Send(button, RRBM_SETIMAGESIZE, 24, 20);
    EXPECT_EQ(Send(button, RRBM_GETIMAGEWIDTH), 24);
    EXPECT_EQ(Send(button, RRBM_GETIMAGEHEIGHT), 20);
    Send(button, RRBM_SETIMAGENOSHIFT, 1);
    EXPECT_EQ(R(button).imageNoShift, 1);
    Send(button, RRBM_SETCURSOR, 0, reinterpret_cast<LPARAM>(LoadCursorA(nullptr, IDC_CROSS)));
    EXPECT_EQ(R(button).cursor, LoadCursorA(nullptr, IDC_CROSS));
    Send(button, RRBM_SETCURSOR, reinterpret_cast<WPARAM>(IDC_IBEAM), 0);
    EXPECT_EQ(R(button).cursor, LoadCursorA(nullptr, IDC_IBEAM));
}

TEST_F(RRButton, StaticLookSetsStateAndInteractive) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    Send(button, RRBM_SETSTATICLOOK, 3);
    EXPECT_EQ(R(button).state, 2);
    EXPECT_EQ(R(button).interactive, 0);
    Send(button, RRBM_SETINTERACTIVE, 1);
    Send(button, RRBM_SETSTATICLOOK, 0);
    EXPECT_EQ(R(button).state, 0);
    EXPECT_EQ(R(button).interactive, 1);  // look 0 leaves it as it was
    Send(button, RRBM_SETSTATICLOOK, 2);
    EXPECT_EQ(R(button).state, 1);
}

TEST_F(RRButton, ARedrawFlagPaintsAtOnceAndZeroLeavesTheScreen) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    for (UINT setter : {RRBM_SETTEXTCOLOR, RRBM_SETCORNER, RRBM_SETFACECOLOR, RRBM_SETEMBOSS, RRBM_SETSTATICLOOK}) {
        notices.clear();
        Send(button, setter, 0, 0);
        EXPECT_EQ(notices.size(), 0u) << setter;
        Send(button, setter, 0, 1);
        EXPECT_EQ(Count(RRBN_FLAT), 1) << setter;  // each paint reports its look once
    }
    notices.clear();
    Send(button, RRBM_REDRAW);
    EXPECT_EQ(Count(RRBN_FLAT), 1);
}

TEST_F(RRButton, RegionRulesOfSizeAndCorner) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    auto same = [&](int origin, int grow, int corner) {
        RegionHandle expected(CreateRoundRectRgn(origin, origin, 80 + grow, 24 + grow, corner, corner));
        return EqualRgn(R(button).region, expected.Get()) != FALSE;
    };
    EXPECT_TRUE(same(0, 1, 5));  // WM_SIZE came after the corner of WM_CREATE
    Send(button, RRBM_SETCORNER, 12);
    EXPECT_TRUE(same(-1, 2, 12));
    SetWindowPos(button, nullptr, 0, 0, 80, 24, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(same(-1, 2, 12));  // no size change, no WM_SIZE
    MoveWindow(button, 10, 10, 90, 30, TRUE);
    RegionHandle sized(CreateRoundRectRgn(0, 0, 91, 31, 12, 12));
    EXPECT_TRUE(EqualRgn(R(button).region, sized.Get()));
    Send(button, RRBM_SETCORNER, static_cast<WPARAM>(-3));
    RECT box;
    EXPECT_EQ(GetRgnBox(R(button).region, &box), SIMPLEREGION);  // corner 0: a plain rectangle
}

TEST_F(RRButton, ImagesLoadByFileOrResourceAndKeepTheirName) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    const std::string longName = "a_rather_long_icon_file_name_for_tests_01.ico";
    ASSERT_EQ(longName.size(), 45u);
    CopyFileA("red.ico", longName.c_str(), FALSE);
    Send(button, RRBM_SETIMAGESIZE, 30, 30);
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(longName.c_str()));
    EXPECT_TRUE(R(button).image);
    EXPECT_EQ(R(button).imageWidth, 16);
    EXPECT_EQ(R(button).imageHeight, 16);
    char name[64] = {};
    EXPECT_EQ(Send(button, RRBM_GETIMAGENAME, reinterpret_cast<WPARAM>(name)), 0);
    EXPECT_EQ(std::string(name), longName.substr(0, 39));
    EXPECT_EQ(Send(button, RRBM_GETIMAGENAME, 0), 0);

    // No full stop: a resource of the button's module (here our own hand cursor).
    Send(button, RRBM_LOADHOTIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>("HAND"));
    EXPECT_TRUE(R(button).hotImage);
    EXPECT_EQ(R(button).imageType, IMAGE_CURSOR);

    // A name that loads nothing leaves the slot empty; for the normal image the size is 0 x 0.
    HANDLE red = R(button).image;
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("missing.ico"));
    EXPECT_FALSE(R(button).image);
    EXPECT_EQ(R(button).imageWidth, 0);
    EXPECT_FALSE(IconAlive(red));  // the button's own image was released
    Send(button, RRBM_LOADPRESSEDIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("NOSUCHRESOURCE"));
    EXPECT_FALSE(R(button).pressedImage);

    // lParam 0 releases the image.
    Send(button, RRBM_LOADDISABLEDIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("green.ico"));
    HANDLE green = R(button).disabledImage;
    ASSERT_TRUE(green);
    Send(button, RRBM_LOADDISABLEDIMAGE, IMAGE_ICON, 0);
    EXPECT_FALSE(R(button).disabledImage);
    EXPECT_FALSE(IconAlive(green));
}

TEST_F(RRButton, ImagesHandedOverWithSetImageStayTheCallers) {
    HWND button = Make(1, "Go", 10, 10, 80, 24);
    HANDLE callers = LoadImageA(nullptr, "blue.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    Send(button, RRBM_SETIMAGESIZE, 30, 30);
    EXPECT_EQ(Send(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(callers)), 0);
    EXPECT_EQ(R(button).imageIsCallers, 1);
    EXPECT_EQ(R(button).imageWidth, 16);
    EXPECT_EQ(Send(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(callers)),
              reinterpret_cast<LRESULT>(callers));
    // A load by name replaces it without releasing it, and the new image is the button's own.
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("red.ico"));
    EXPECT_TRUE(IconAlive(callers));
    EXPECT_EQ(R(button).imageIsCallers, 0);
    HANDLE own = R(button).image;
    EXPECT_EQ(Send(button, BM_SETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(own));
    EXPECT_EQ(R(button).imageWidth, 0);
    EXPECT_TRUE(IconAlive(own));  // handed back to us with the result
    Send(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(callers));
    DestroyWindow(button);
    EXPECT_TRUE(IconAlive(callers));  // never deleted by the button
    DestroyIcon(static_cast<HICON>(callers));
    DestroyIcon(static_cast<HICON>(own));
}

TEST_F(RRButton, FontForwardingAndSystemColours) {
    HWND button = Make(5, "Go", 10, 10, 80, 24);
    HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(Send(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1), 0);
    EXPECT_EQ(R(button).font, font);
    EXPECT_EQ(Count(RRBN_FLAT), 1);  // visible and asked to redraw
    Send(button, WM_SETFONT, 0, 1);
    EXPECT_EQ(R(button).font, font);

    notices.clear();
    Send(button, WM_COMMAND, MAKEWPARAM(9, 3), 1234);
    NMHDR header{button, 5, 42};
    Send(button, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(notices[0].wParam, MAKEWPARAM(9, 3));
    EXPECT_EQ(notices[0].lParam, 1234);
    EXPECT_EQ(notices[1].message, static_cast<UINT>(WM_NOTIFY));
    EXPECT_EQ(notices[1].lParam, reinterpret_cast<LPARAM>(&header));

    // The parent may destroy the button while it handles a forwarded message.
    onNotice = [button](const Notice&) { DestroyWindow(button); };
    Send(button, WM_COMMAND, MAKEWPARAM(9, 3), 1234);
    onNotice = nullptr;
    EXPECT_FALSE(IsWindow(button));
}

TEST_F(RRButton, FaceFollowsTheSystemFaceAtTheNextPaint) {
    const int element = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(COLOR_BTNFACE);
    HWND live = Make(1, "Go", 10, 10, 80, 24);
    HWND own = Make(2, "Own", 100, 10, 80, 24);
    Send(own, RRBM_SETFACECOLOR, RGB(10, 120, 30));
    auto setFace = [&](COLORREF color) {
        SetSysColors(1, &element, &color);
        RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    setFace(RGB(100, 110, 120));
    EXPECT_EQ(R(live).faceColor, RGB(108, 118, 128));
    EXPECT_EQ(R(own).faceColor, RGB(10, 120, 30));
    // Black or white: the button takes the system's colours when told of the change.
    setFace(RGB(255, 255, 255));
    Send(own, WM_SYSCOLORCHANGE);
    EXPECT_EQ(R(own).faceColor, RGB(255, 255, 255));
    EXPECT_EQ(R(own).pressedTextColor, GetSysColor(COLOR_BTNTEXT));
    // Lightened white is white: back from white, the face cannot tell it was lightened and follows
    // plain, as it would have done had it been told of the change.
    setFace(original);
    EXPECT_EQ(R(live).faceColor, original);
    EXPECT_EQ(R(own).faceColor, original);
}

// ---- painting ----

TEST_F(RRButton, EachPaintSendsTheLookNotificationOfItsFrame) {
    HWND button = Make(8, "Go", 10, 10, 80, 24);
    struct Case {
        LONG staticLook, idleRaised;
        UINT expected;  // 0: none
    };
    const Case cases[] = {{0, 0, RRBN_FLAT},   {0, 1, RRBN_RAISED}, {2, 0, RRBN_RAISED},
                          {3, 0, RRBN_SUNKEN}, {1, 0, RRBN_FLAT},   {1, 1, 0}};
    for (const Case& c : cases) {
        Send(button, RRBM_SETSTATICLOOK, c.staticLook);
        Send(button, RRBM_SETIDLERAISED, c.idleRaised);
        notices.clear();
        Send(button, RRBM_REDRAW);
        if (c.expected) {
            ASSERT_EQ(notices.size(), 1u) << c.staticLook << c.idleRaised;
            EXPECT_EQ(notices[0].message, c.expected);
            EXPECT_EQ(notices[0].wParam, reinterpret_cast<WPARAM>(button));
            EXPECT_EQ(notices[0].lParam, 8);
        } else {
            EXPECT_TRUE(notices.empty()) << c.staticLook << c.idleRaised;
        }
    }
}

TEST_F(RRButton, FramesDrawTheirOutlines) {
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF systemFace = GetSysColor(COLOR_BTNFACE), info = GetSysColor(COLOR_INFOBK);
    HWND button = Make(1, "", 10, 10, 80, 24);
    const COLORREF face = R(button).faceColor;
    ASSERT_NE(highlight, shadow);
    ASSERT_NE(face, systemFace);
    struct Case {
        LONG staticLook, idleRaised;
        bool focused;
        COLORREF top, left, bottom, right, inner;  // mid-edge pixels, and one pixel in from the top
    };
    const Case cases[] = {
        {2, 0, false, highlight, highlight, shadow, shadow, face},  // raised
        {3, 0, false, shadow, shadow, highlight, highlight, face},  // sunken
        {0, 0, false, face, face, systemFace, systemFace, face},    // flat: right and bottom lines stay bare
        {0, 0, true, info, info, systemFace, systemFace, face},     // flat, focused: info-background ring
        {0, 1, true, highlight, highlight, shadow, shadow, face},   // idle raised, focused: ring two in
    };
    for (const Case& c : cases) {
        Send(button, RRBM_SETSTATICLOOK, c.staticLook);
        Send(button, RRBM_SETINTERACTIVE, 1);
        Send(button, RRBM_SETIDLERAISED, c.idleRaised);
        SetFocus(c.focused ? button : parent_);
        Send(button, RRBM_REDRAW);
        Shot shot(button);
        SCOPED_TRACE(testing::Message() << "look " << c.staticLook << " idle raised " << c.idleRaised);
        EXPECT_EQ(shot.At(40, 0), c.top);
        EXPECT_EQ(shot.At(0, 12), c.left);
        EXPECT_EQ(shot.At(40, 23), c.bottom);
        EXPECT_EQ(shot.At(79, 12), c.right);
        EXPECT_EQ(shot.At(40, 1), c.inner);
        EXPECT_EQ(shot.At(40, 12), face);
    }
    EXPECT_EQ(Shot(button).At(40, 2), R(button).paletteEntries[1]);  // the last case's ring
}

TEST_F(RRButton, PaintingNeverTouchesPixelsOutsideTheShape) {
    HWND button = Make(1, "Go", 10, 10, 80, 40);
    Send(button, RRBM_SETCORNER, 30);
    for (LONG look : {0, 2, 3}) {
        {
            WindowDc dc(button);
            RECT client{0, 0, 80, 40};
            BrushHandle marker(CreateSolidBrush(kMarker));
            FillRect(dc.Get(), &client, marker.Get());
        }
        Send(button, RRBM_SETSTATICLOOK, look, 1);
        Shot shot(button);
        for (auto [x, y] : {std::pair{0, 0}, {79, 0}, {0, 39}, {79, 39}, {2, 1}}) {
            EXPECT_EQ(shot.At(x, y), kMarker) << look << " at " << x << "," << y;
        }
        EXPECT_NE(shot.At(40, 20), kMarker);
        EXPECT_NE(shot.At(40, 0), kMarker);
    }
}

TEST_F(RRButton, DisabledButtonShowsItsDisabledImageAndGreyEmbossedText) {
    HWND button = Make(1, "MMMM", 10, 10, 120, 30);
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("red.ico"));
    Send(button, RRBM_LOADDISABLEDIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("green.ico"));
    EnableWindow(button, FALSE);
    Pump();
    Shot disabled(button);
    EXPECT_EQ(disabled.At(8, 15), kGreen);  // middle left: x 0, y (30 - 16) / 2 = 7
    EXPECT_EQ(disabled.Count(kRed), 0);
    EXPECT_GT(disabled.Count(GetSysColor(COLOR_BTNSHADOW)), 10);
    EXPECT_GT(disabled.Count(GetSysColor(COLOR_BTNHIGHLIGHT)), 10);  // the emboss copy

    // With only a disabled image there is no image at all.
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, 0);
    Send(button, RRBM_REDRAW);
    EXPECT_EQ(Shot(button).Count(kGreen), 0);

    EnableWindow(button, TRUE);
    Send(button, RRBM_LOADIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("red.ico"));
    Send(button, RRBM_REDRAW);
    Shot enabled(button);
    EXPECT_EQ(enabled.At(8, 15), kRed);
    EXPECT_EQ(enabled.Count(GetSysColor(COLOR_BTNSHADOW)), 0);
}

TEST_F(RRButton, ImagesByStateAndPlacement) {
    HWND button = Make(1, "", 10, 10, 57, 40);
    // Only a hot image: drawn at (0, 0) whatever the placement.
    Send(button, RRBM_LOADHOTIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("blue.ico"));
    Send(button, RRBM_SETIMAGEPOS, static_cast<WPARAM>(-5));
    Send(button, RRBM_SETSTATICLOOK, 2, 1);  // a fixed raised look is drawn hot
    Shot hot(button);
    EXPECT_EQ(hot.At(2, 2), kBlue);
    EXPECT_EQ(hot.At(15, 15), kBlue);
    EXPECT_EQ(hot.At(16, 16), R(button).faceColor);

    // A centred bitmap: (57 - 16) / 2 = 20.5 rounds to 20; pressed on a live look, one pixel more.
    Send(button, RRBM_LOADHOTIMAGE, IMAGE_ICON, 0);
    Send(button, RRBM_LOADIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>("red.bmp"));
    Send(button, RRBM_SETSTATICLOOK, 0, 1);
    Shot normal(button);
    EXPECT_EQ(normal.At(20, 12), kRed);
    EXPECT_NE(normal.At(19, 12), kRed);
    EXPECT_EQ(normal.At(35, 27), kRed);
    EXPECT_NE(normal.At(36, 27), kRed);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    Shot pressed(button);
    EXPECT_NE(pressed.At(20, 12), kRed);
    EXPECT_EQ(pressed.At(36, 28), kRed);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
}

// ---- interaction, with the real cursor and real input ----

class RRButtonInput : public RRButton {
protected:
    void SetUp() override {
        RRButton::SetUp();
        button_ = Make(3, "Press", 50, 50, 100, 40);
        MoveCursorTo(parent_, 400, 250);  // away from the button
    }
    void TearDown() override {
        LeftButton(false);
        MoveCursorTo(parent_, 400, 250);
        RRButton::TearDown();
    }
    void Over() { MoveCursorTo(button_, 50, 20); }
    void Off() { MoveCursorTo(button_, 150, 20); }
    void Press(DWORD time = 0) {
        LeftButton(true, time);
        Pump();
    }
    void Release(DWORD time = 0) {
        LeftButton(false, time);
        Pump();
    }
    LONG State() { return R(button_).state; }

    HWND button_ = nullptr;
};

TEST_F(RRButtonInput, HoverMakesItHotAndTheTimerNoticesTheLeaving) {
    Over();
    EXPECT_EQ(State(), 1);
    EXPECT_TRUE(R(button_).hoverTimer);
    // Straight to a point outside the parent: no move message reaches the button.
    SetCursorPos(20, 20);
    EXPECT_TRUE(PumpUntil([&] { return State() == 0 && R(button_).hoverTimer == 0; }));
}

TEST_F(RRButtonInput, PressDragOffRelease_NoClick) {
    Over();
    Press();
    EXPECT_EQ(State(), 2);
    EXPECT_EQ(R(button_).pressSource, 1);
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_EQ(GetFocus(), button_);
    Off();
    EXPECT_EQ(State(), 0);
    Release();
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(State(), 0);
    EXPECT_EQ(R(button_).pressSource, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RRButtonInput, PressOffOnRelease_OneClickAndHot) {
    Over();
    Press();
    Off();
    Over();
    EXPECT_EQ(State(), 2);
    Release();
    ASSERT_EQ(Clicks(), 1);
    EXPECT_EQ(notices.back().wParam, MAKEWPARAM(3, BN_CLICKED));
    EXPECT_EQ(notices.back().lParam, reinterpret_cast<LPARAM>(button_));
    EXPECT_EQ(State(), 1);
}

TEST_F(RRButtonInput, DoubleClickClicksTwice) {
    Over();
    const DWORD now = GetTickCount();
    Press(now);
    Release(now + 10);
    Press(now + 20);  // arrives as WM_LBUTTONDBLCLK
    Release(now + 30);
    EXPECT_EQ(Clicks(), 2);
}

TEST_F(RRButtonInput, TheCornerOutsideTheShapeIsNotTheButton) {
    Send(button_, RRBM_SETCORNER, 30);
    MoveCursorTo(button_, 1, 1);
    EXPECT_EQ(State(), 0);
    Press();
    EXPECT_EQ(State(), 0);
    EXPECT_NE(GetCapture(), button_);
    Release();
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(RRButtonInput, DisabledButtonSendsNoClick) {
    Over();
    Press();
    EnableWindow(button_, FALSE);
    Release();
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(RRButtonInput, EnterClicksOnEveryRepeatAndSpaceOnRelease) {
    SetFocus(button_);
    Pump();
    for (int i = 0; i < 3; ++i) {
        Key(VK_RETURN, true);  // held: the key repeats
    }
    Pump();
    EXPECT_EQ(Clicks(), 3);
    EXPECT_EQ(State(), 0);  // no pressed look
    Key(VK_RETURN, false);
    Pump();
    EXPECT_EQ(Clicks(), 3);

    notices.clear();
    Key(VK_SPACE, true);
    Key(VK_SPACE, true);
    Pump();
    EXPECT_EQ(State(), 2);
    EXPECT_EQ(R(button_).pressSource, 2);
    EXPECT_EQ(Clicks(), 0);
    Key(VK_SPACE, false);
    Pump();
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(State(), 0);
}

TEST_F(RRButtonInput, AMousePressDuringASpacePressEndsItWithOneClick) {
    SetFocus(button_);
    Key(VK_SPACE, true);
    Pump();
    Over();
    Press();
    EXPECT_EQ(R(button_).pressSource, 2);  // the mouse changed nothing
    Release();
    EXPECT_EQ(Clicks(), 1);
    Key(VK_SPACE, false);
    Pump();
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(RRButtonInput, AParentMayDestroyTheButtonWhenItClicks) {
    onNotice = [](const Notice& notice) {
        if (notice.message == WM_COMMAND) {
            DestroyWindow(reinterpret_cast<HWND>(notice.lParam));
        }
    };
    SetFocus(button_);
    Key(VK_SPACE, true);
    Key(VK_SPACE, false);
    Pump();
    onNotice = nullptr;
    EXPECT_EQ(Clicks(), 1);
    EXPECT_FALSE(IsWindow(button_));
}

TEST_F(RRButtonInput, APassiveButtonShowsItsCursorButNeverClicksOrTakesTheFocus) {
    Send(button_, RRBM_SETSTATICLOOK, 1);
    Send(button_, RRBM_SETCURSOR, 0, reinterpret_cast<LPARAM>(LoadCursorA(nullptr, IDC_CROSS)));
    SetFocus(parent_);
    Over();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    EXPECT_FALSE(R(button_).hoverTimer);
    Press();
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_NE(GetFocus(), button_);
    Release();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Clicks(), 0);
}

TEST(RRButtonDialog, TabAndShiftTabSkipAPassiveButton) {
    InitRRButtonClass();
    HWND dialog = CreateDialogWindow(nullptr, "Tabs", 20, 20, 200, 60, 0, 0);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    HWND first = AddControl(dialog, ControlKind::Custom, 1, kRRButtonClass, "One", 5, 5, 50, 14, style, 0);
    HWND passive = AddControl(dialog, ControlKind::Custom, 2, kRRButtonClass, "Two", 60, 5, 50, 14, style, 0);
    HWND last = AddControl(dialog, ControlKind::Custom, 3, kRRButtonClass, "Three", 115, 5, 50, 14, style, 0);
    SendMessageA(passive, RRBM_SETSTATICLOOK, 1, 0);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    SetFocus(first);
    Pump(dialog);
    ASSERT_EQ(GetFocus(), first);
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    Pump(dialog);
    EXPECT_EQ(GetFocus(), last);
    Key(VK_SHIFT, true);
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    Key(VK_SHIFT, false);
    Pump(dialog);
    EXPECT_EQ(GetFocus(), first);
    SetFocus(passive);  // even when given the focus, it hands it on
    EXPECT_EQ(GetFocus(), last);
    DestroyWindow(dialog);
}

TEST_F(RRButton, DialogCodes) {
    HWND live = Make(1, "Go", 10, 10, 80, 24);
    HWND link = Make(2, "Link", 100, 10, 80, 24);
    HWND passive = Make(3, "Passive", 200, 10, 80, 24);
    Send(link, RRBM_SETSTATICLOOK, 1);
    Send(link, RRBM_SETINTERACTIVE, 1);
    Send(passive, RRBM_SETSTATICLOOK, 1);
    MSG enter{live, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG tab{live, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    const LRESULT plain = DefWindowProcA(live, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(Send(live, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)), DLGC_WANTALLKEYS);
    EXPECT_EQ(Send(live, WM_GETDLGCODE), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(Send(live, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&tab)), plain);
    EXPECT_EQ(Send(link, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)), DLGC_WANTALLKEYS);
    EXPECT_EQ(Send(link, WM_GETDLGCODE), plain);
    EXPECT_EQ(Send(passive, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)), plain);
}

TEST_F(RRButton, NothingLeaksOverAThousandButtons) {
    std::map<const char*, int> held;
    int unknown = 0;
    {
        ResourceTracker tracker(GetModuleHandleA(nullptr));
        for (int i = 0; i < 1000; ++i) {
            HWND button = MakeRRButtonURL(parent_, 10, AnsiBstr("Link"), 10, 10, 120, 30, WS_CHILD | WS_VISIBLE, 0,
                                          AnsiBstr("red.ico"), AnsiBstr("green.ico"), AnsiBstr("blue.ico"), 0);
            SendMessageA(button, RRBM_LOADHOTIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>("red.bmp"));
            SendMessageA(button, RRBM_SETCORNER, 9, 1);
            SendMessageA(button, RRBM_SETFACECOLOR, RGB(1, 2, 3), 1);
            SetFocus(button);
            DestroyWindow(button);
        }
        held = tracker.Held();
        unknown = tracker.UnknownReleases();
    }
    for (const auto& [call, count] : held) {
        ADD_FAILURE() << count << " from " << call << " still held";
    }
    EXPECT_EQ(unknown, 0);
}
