#include "imagectrl/image_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/dib.h"
#include "common/win_handles.h"
#include "common/win_text.h"
#include "imagectrl/test_support.h"
#include "tools/testkit/temp_folder.h"

namespace {

constexpr int kPictureWidth = 600, kPictureHeight = 400;

std::optional<TempFolder> pictures;  // for the whole suite
std::wstring folder;                 // its path, with a trailing backslash
std::wstring coordinates;            // a kPictureWidth x kPictureHeight picture of CoordinateColour
HWND host = nullptr;                 // a top-level window whose client holds the control under test

uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
uint32_t Margin() {
    return Rgb(GetSysColor(COLOR_APPWORKSPACE));
}

// What the control shows on the screen, as 0xRRGGBB values.
struct Screen {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Screen Grab(HWND control) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    UpdateWindow(control);
    RECT client;
    GetClientRect(control, &client);
    Screen screen;
    screen.width = client.right;
    screen.height = client.bottom;
    screen.pixels.resize(static_cast<size_t>(screen.width) * screen.height);
    uint32_t* bits = nullptr;
    BitmapHandle bitmap = CreateTopDownDib(screen.width, screen.height, &bits);
    MemoryDc memory(CreateCompatibleDC(nullptr));
    {
        SelectionGuard selection(memory.Get(), bitmap.Get());
        WindowDc dc(control);
        BitBlt(memory.Get(), 0, 0, screen.width, screen.height, dc.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    std::copy_n(bits, screen.pixels.size(), screen.pixels.begin());
    return screen;
}

// The picture pixel a client pixel shows; {-1, -1} for the margin.
POINT Shown(const Screen& screen, int x, int y) {
    uint32_t colour = screen.At(x, y);
    return colour == Margin() ? POINT{-1, -1} : CoordinateOf(colour);
}

uint32_t Crc32(const unsigned char* bytes, size_t size) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(AnsiFromWide(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>> received;
INT_PTR CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.emplace_back(window, message, wParam, lParam);
    return 0;
}

class ImageControl : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        RegisterGDImageClass();
        folder = pictures.emplace().Path() + L"\\";
        coordinates = folder + L"coordinates.png";
        ASSERT_TRUE(WritePicture(coordinates, kPictureWidth, kPictureHeight, CoordinateColour));
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 900,
                               700, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host);
    }
    static void TearDownTestSuite() {
        DestroyWindow(host);
        pictures.reset();
    }
    void TearDown() override {
        if (control_) {
            DestroyWindow(control_);
        }
    }

    // A control of the given client size (without scroll bars) showing `text`.
    HWND Create(const std::wstring& text, int width = 400, int height = 300) {
        control_ = CreateWindowExW(0, L"ZIMAGECTRL", text.c_str(), WS_CHILD | WS_VISIBLE, 10, 10, width, height, host,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        return control_;
    }

    HWND control_ = nullptr;
};

}  // namespace

TEST_F(ImageControl, ShowsThePictureFromItsWindowTextAtEachZoomAndScrollPosition) {
    HWND control = Create(coordinates);
    ASSERT_TRUE(control);
    LONG width = 0, height = 0;
    ZI_GetImageSizeFromControl(control, &width, &height);
    EXPECT_EQ(width, kPictureWidth);
    EXPECT_EQ(height, kPictureHeight);
    EXPECT_NE(ZI_GetDC(control), nullptr);
    EXPECT_EQ(ZI_GetZoomValue(control), 1.0f);
    ZI_SetProperty(control, 11, 1);

    struct Case {
        float zoom;
        int scrollX, scrollY;
    };
    const Case cases[] = {{1, 0, 0}, {1, 150, 60}, {2.5f, 0, 0}, {2.5f, 700, 333}, {5, 0, 0}, {5, 2617, 1700}};
    for (const Case& c : cases) {
        ZI_SetZoomValue(control, c.zoom);
        ZI_SetProperty(control, 3, c.scrollX);
        ZI_SetProperty(control, 4, c.scrollY);
        EXPECT_EQ(ZI_GetZoomValue(control), c.zoom);
        EXPECT_EQ(ZI_GetXscroll(control), c.scrollX);
        EXPECT_EQ(ZI_GetYscroll(control), c.scrollY);
        SCROLLINFO info{sizeof(info), SIF_POS | SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        GetScrollInfo(control, SB_HORZ, &info);
        EXPECT_EQ(info.nPos, c.scrollX) << c.zoom;
        EXPECT_EQ(info.nMax, static_cast<int>(c.zoom * kPictureWidth) - 1) << c.zoom;

        Screen screen = Grab(control);
        EXPECT_LT(screen.width, 400) << "the vertical scroll bar takes its place";
        EXPECT_LT(screen.height, 300) << "the horizontal scroll bar takes its place";
        for (int y = 0; y < screen.height; y += 7) {
            for (int x = 0; x < screen.width; x += 3) {
                POINT shown = Shown(screen, x, y);
                // Nearest neighbour: client pixel x shows picture pixel floor((x + scroll + 0.5) / zoom).
                ASSERT_EQ(shown.x, static_cast<int>((x + c.scrollX + 0.5) / c.zoom)) << c.zoom << " at " << x;
                ASSERT_EQ(shown.y, static_cast<int>((y + c.scrollY + 0.5) / c.zoom)) << c.zoom << " at " << y;
            }
        }
    }
    // Scrolling past the end stops at the end.
    ZI_SetProperty(control, 3, 1000000);
    Screen screen = Grab(control);
    EXPECT_EQ(Shown(screen, screen.width - 1, 0).x, kPictureWidth - 1);
}

TEST_F(ImageControl, CentresASmallPictureAsClicksExpect) {
    // Zoom 1.5 of 423 pixels is 634 (634.5 to even); in a client 700 wide the margin is 33.
    std::wstring path = folder + L"small.png";
    ASSERT_TRUE(WritePicture(path, 423, 100, CoordinateColour));
    HWND control = Create(path, 700, 300);
    ZI_SetZoomValue(control, 1.5f);
    ZI_SetProperty(control, 11, 1);
    Screen screen = Grab(control);
    ASSERT_EQ(screen.width, 700) << "no scroll bar for a picture that fits";
    EXPECT_EQ(Shown(screen, 32, 150).x, -1);
    EXPECT_EQ(Shown(screen, 33, 150).x, 0);
    EXPECT_EQ(Shown(screen, 666, 150).x, 422);
    EXPECT_EQ(Shown(screen, 667, 150).x, -1);
    EXPECT_EQ(Shown(screen, 100, 74).y, -1);  // (300 - 150) / 2 = 75
    EXPECT_EQ(Shown(screen, 100, 75).y, 0);
}

TEST_F(ImageControl, SmoothsBelowZoomOne) {
    std::wstring path = folder + L"stripes.png";
    ASSERT_TRUE(WritePicture(path, 400, 300, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; }));
    HWND control = Create(path);
    ZI_SetZoomValue(control, 0.5f);
    Screen screen = Grab(control);
    uint32_t middle = screen.At(200, 150);
    EXPECT_NEAR(static_cast<int>(middle & 0xFF), 128, 3);  // stripes average to grey
}

TEST_F(ImageControl, ZoomKeepsThePointUnderTheCentre) {
    HWND control = Create(coordinates);
    ZI_SetProperty(control, 11, 1);
    ZI_SetZoomValue(control, 2.5f);
    ZI_SetProperty(control, 3, 400);
    ZI_SetProperty(control, 4, 300);
    Screen before = Grab(control);
    POINT centre = Shown(before, before.width / 2, before.height / 2);
    for (float zoom : {5.0f, 1.0f, 0.978f, 2.5f}) {
        float old = ZI_GetZoomValue(control);
        ZI_SetZoomValue(control, zoom);
        ZI_SetZoomScrollInfo(control, old, zoom);
        Screen after = Grab(control);
        POINT now = Shown(after, after.width / 2, after.height / 2);
        EXPECT_NEAR(now.x, centre.x, 1) << zoom;
        EXPECT_NEAR(now.y, centre.y, 1) << zoom;
    }
}

TEST_F(ImageControl, FitSuffixFitsTheWholePictureAndFollowsTheSize) {
    HWND control = Create(coordinates + L"<fit>", 300, 300);
    Screen screen = Grab(control);
    EXPECT_FLOAT_EQ(ZI_GetZoomValue(control), 0.5f);
    EXPECT_EQ(screen.width, 300) << "no scroll bars";
    // 300 x 200, centred: corners of the picture at rows 50 and 249.
    EXPECT_EQ(Shown(screen, 150, 49).x, -1);
    POINT topLeft = Shown(screen, 0, 50), bottomRight = Shown(screen, 299, 249);
    EXPECT_LE(topLeft.x + topLeft.y, 2);
    EXPECT_GE(bottomRight.x, kPictureWidth - 3);
    EXPECT_GE(bottomRight.y, kPictureHeight - 3);
    SetWindowPos(control, nullptr, 0, 0, 120, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FLOAT_EQ(ZI_GetZoomValue(control), 0.2f);
    ZI_SetFromFile(control, AnsiFromWide(coordinates).c_str());  // without the suffix the zoom stays
    SetWindowPos(control, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FLOAT_EQ(ZI_GetZoomValue(control), 0.2f);
}

TEST_F(ImageControl, UserScrollsWithTheBarsAndTheWheelWhenProperty11IsSet) {
    HWND control = Create(coordinates);
    ZI_SetZoomValue(control, 2);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    GetScrollBarInfo(control, OBJID_VSCROLL, &bar);
    EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "no bars without property 11";
    SendMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(ZI_GetYscroll(control), 0);

    ZI_SetProperty(control, 11, 1);
    struct Step {
        UINT message;
        WPARAM wParam;
        int x, y;  // scroll positions after the step
    };
    const Step steps[] = {
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0, 60},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -2 * WHEEL_DELTA), 120, 60},
        {WM_MOUSEHWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 60, 60},
        {WM_VSCROLL, SB_LINEDOWN, 60, 80},
        {WM_HSCROLL, SB_PAGEDOWN, 60 + 400 - GetSystemMetrics(SM_CXVSCROLL), 80},
        {WM_VSCROLL, SB_BOTTOM, 60 + 400 - GetSystemMetrics(SM_CXVSCROLL), 800 - 300 + GetSystemMetrics(SM_CYHSCROLL)},
        {WM_HSCROLL, SB_TOP, 0, 800 - 300 + GetSystemMetrics(SM_CYHSCROLL)},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 100 * WHEEL_DELTA), 0, 0},
    };
    for (const Step& step : steps) {
        SendMessageW(control, step.message, step.wParam, 0);
        EXPECT_EQ(ZI_GetXscroll(control), step.x) << step.message << " " << step.wParam;
        EXPECT_EQ(ZI_GetYscroll(control), step.y) << step.message << " " << step.wParam;
    }

    // A real click on the vertical bar's lower arrow scrolls one line.
    GetScrollBarInfo(control, OBJID_VSCROLL, &bar);
    POINT arrow{bar.rcScrollBar.left + 3, bar.rcScrollBar.bottom - 3};
    SetCursorPos(arrow.x, arrow.y);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    Grab(control);
    EXPECT_EQ(ZI_GetYscroll(control), 20);
}

TEST_F(ImageControl, DrawsSpritesAtTheirPicturePixelsTurnedAndBlended) {
    HWND control = Create(coordinates);
    ZI_SetZoomValue(control, 5);
    BitmapHandle bitmap(ZI_LoadBitmap("QUADRANTS"));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(ZI_LoadBitmap("NO SUCH SPRITE"), nullptr);
    ZD_DrawBitmapToCtrl(control, 8000, 8000, bitmap.Get(), ZD_ColorARGB(255, 0), 10001, 1);
    ZD_UsePngOpacity(10001, 1);
    ZD_SetObjectScroll(10001, 1);
    ZD_SetObjectLocked(10001, 1);
    ZD_SetObjectQuality(10001, 0, 0);
    EXPECT_EQ(Grab(control).At(5, 5), CoordinateColour(1, 1)) << "parked: not drawn";
    ZD_SetObjectXY(10001, 10, 20, 1);

    // At zoom 5 the sprite covers client 50..114 x 100..164; each quadrant is 30 pixels wide.
    const uint32_t red = 0xFF0000, green = 0x00FF00, none = 1;
    const uint32_t halfBlue = 2;  // half-transparent blue over the picture
    struct Case {
        LONG angle;
        uint32_t topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {
        {0, red, green, halfBlue, none},   {90, halfBlue, red, none, green},  // clockwise on the screen
        {180, none, halfBlue, green, red}, {270, green, none, red, halfBlue},
        {450, halfBlue, red, none, green},  // whole turns do not matter
        {100, halfBlue, red, none, green},  // the nearest quarter turn
    };
    for (const Case& c : cases) {
        ZD_SetObjectAngle(10001, c.angle, 1);
        Screen screen = Grab(control);
        const POINT centres[] = {{65, 115}, {99, 115}, {65, 149}, {99, 149}};
        const uint32_t expected[] = {c.topLeft, c.topRight, c.bottomLeft, c.bottomRight};
        for (int q = 0; q < 4; ++q) {
            POINT p = centres[q];
            uint32_t under = CoordinateColour(p.x / 5, p.y / 5), shown = screen.At(p.x, p.y);
            if (expected[q] == none) {
                EXPECT_EQ(shown, under) << c.angle << " quadrant " << q;
            } else if (expected[q] == halfBlue) {
                EXPECT_NEAR(static_cast<int>(shown & 0xFF), (255 + static_cast<int>(under & 0xFF)) / 2, 2)
                    << c.angle << " quadrant " << q;
                EXPECT_NEAR(static_cast<int>(shown >> 16), static_cast<int>(under >> 16) / 2, 2)
                    << c.angle << " quadrant " << q;
            } else {
                EXPECT_EQ(shown, expected[q]) << c.angle << " quadrant " << q;
            }
        }
        // The sprite's edges sit on the edges of its picture pixels.
        EXPECT_EQ(screen.At(49, 100), CoordinateColour(9, 20)) << c.angle;
        EXPECT_EQ(screen.At(115, 164), CoordinateColour(23, 32)) << c.angle;
    }

    // Without the PNG's transparency the sprite is an opaque square.
    ZD_SetObjectAngle(10001, 0, 1);
    ZD_UsePngOpacity(10001, 0);
    EXPECT_NE(Grab(control).At(99, 149), CoordinateColour(19, 29));
}

TEST_F(ImageControl, HidesMovesClonesAndStacksSprites) {
    HWND control = Create(coordinates);
    ZI_SetZoomValue(control, 2);
    BitmapHandle square(ZI_LoadBitmap("SQUARE")), quadrants(ZI_LoadBitmap("QUADRANTS"));
    ZD_DrawBitmapToCtrl(control, 8000, 8000, square.Get(), ZD_ColorARGB(255, 0), 11000, 1);
    ZD_SetObjectScroll(11000, 1);
    ZD_UsePngOpacity(11000, 1);
    ZD_DrawBitmapToCtrl(control, 8000, 8000, quadrants.Get(), ZD_ColorARGB(255, 0), 10001, 1);
    ZD_SetObjectScroll(10001, 1);
    const uint32_t yellow = 0xFFFF00, red = 0xFF0000;

    ZD_CloneObject(11000, 11001, 20, 20);
    ZD_CloneObject(11000, 11002, 60, 20);
    ZD_CloneObject(11000, 11003, 100, 20);
    ZD_SetObjectVisibility(11003, 0);
    Screen screen = Grab(control);
    EXPECT_EQ(screen.At(45, 45), yellow) << "a clone draws like its source";
    EXPECT_EQ(screen.At(125, 45), yellow);
    EXPECT_EQ(screen.At(205, 45), CoordinateColour(102, 22)) << "hidden";
    EXPECT_EQ(screen.At(15, 15), CoordinateColour(7, 7)) << "the template stays parked";

    // Moving without a redraw shows nothing new until ZI_UpdateWindow.
    ZD_SetObjectXY(11001, 20, 60, 0);
    EXPECT_EQ(Grab(control).At(45, 125), CoordinateColour(22, 62));
    ZI_UpdateWindow(control, 0);
    screen = Grab(control);
    EXPECT_EQ(screen.At(45, 125), yellow);
    EXPECT_EQ(screen.At(45, 45), CoordinateColour(22, 22));

    // At equal z-orders the later object lies above (the clone); a higher z-order lifts one over it.
    ZD_SetObjectXY(10001, 60, 20, 1);
    EXPECT_EQ(Grab(control).At(125, 45), yellow);
    ZD_SetObjectZorder(10001, 0xFFFFFF);
    EXPECT_EQ(Grab(control).At(125, 45), red);
    ZD_SetObjectZorder(11002, 0xFFFFFF + 1);
    EXPECT_EQ(Grab(control).At(125, 45), yellow);

    // Calls with ids that name nothing, and wild values, change nothing.
    Screen before = Grab(control);
    for (LONG id : {0L, -1L, 12345L, 99999L}) {
        ZD_UsePngOpacity(id, 1);
        ZD_SetObjectAngle(id, 90, 1);
        ZD_SetObjectScroll(id, 1);
        ZD_SetObjectLocked(id, 1);
        ZD_SetObjectQuality(id, 0, 0);
        ZD_CloneObject(id, id + 1, 0, 0);
        ZD_SetObjectXY(id, 0, 0, 1);
        ZD_SetObjectVisibility(id, 1);
        ZD_SetObjectZorder(id, 0xFFFFFF);
    }
    ZD_CloneObject(11001, 11001, 0, 0);
    ZD_DrawBitmapToCtrl(control, 0, 0, nullptr, 0, 50000, 1);
    ZD_DrawBitmapToCtrl(host, 0, 0, square.Get(), 0, 50001, 1);
    EXPECT_EQ(Grab(control).pixels, before.pixels);
    ZD_SetObjectXY(11001, INT_MAX, INT_MIN, 1);
    ZD_SetObjectXY(11002, -INT_MAX, INT_MAX, 1);
    ZD_SetObjectAngle(11002, INT_MIN, 1);
    Grab(control);
}

TEST_F(ImageControl, ForwardsTheRegisteredMouseMessages) {
    HWND control = Create(coordinates);
    received.clear();
    ZI_EventMessage(Receiver, WM_LBUTTONDOWN, 1);
    ZI_EventMessage(Receiver, WM_RBUTTONDOWN, 1);
    SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(12, 34));
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(65535, 2));
    SendMessageW(control, WM_MBUTTONDOWN, MK_MBUTTON, 0);  // not registered
    ZI_EventMessage(Receiver, WM_LBUTTONDOWN, 0);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // no longer registered
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], std::make_tuple(control, static_cast<UINT>(WM_RBUTTONDOWN), static_cast<WPARAM>(MK_RBUTTON),
                                           MAKELPARAM(12, 34)));
    EXPECT_EQ(received[1], std::make_tuple(control, static_cast<UINT>(WM_LBUTTONDOWN),
                                           static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT), MAKELPARAM(65535, 2)));
    EXPECT_EQ(GetFocus(), control) << "a click gives the control the focus, so the wheel comes to it";
    ZI_EventMessage(Receiver, WM_RBUTTONDOWN, 0);
}

TEST_F(ImageControl, AnchoredChildrenFollowTheParentsSize) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr,
                                  nullptr, nullptr, nullptr);
    RECT client;
    GetClientRect(parent, &client);
    auto child = [&](const wchar_t* cls, int x, int y, int w, int h) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
    };
    HWND button = child(L"BUTTON", client.right - 80, 5, 70, 20);
    HWND slider = child(L"STATIC", 0, 30, 20, client.bottom - 40);
    HWND image = child(L"ZIMAGECTRL", 20, 30, client.right - 30, client.bottom - 40);
    HWND label = child(L"STATIC", 5, 5, 40, 15);
    ZI_SetAnchorMode(button, 2);
    ZI_SetAnchorMode(slider, 4);
    ZI_SetAnchorMode(image, 5);
    ZI_SetAnchorMode(label, 3);  // a mode we do not know: the label stays

    auto rectOf = [&](HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    for (SIZE size : {SIZE{700, 600}, SIZE{450, 380}}) {
        SetWindowPos(parent, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(parent, &client);
        RECT b = rectOf(button), s = rectOf(slider), i = rectOf(image), l = rectOf(label);
        EXPECT_EQ(b.right, client.right - 10);
        EXPECT_EQ(b.right - b.left, 70);
        EXPECT_EQ(b.top, 5);
        EXPECT_EQ(s.bottom, client.bottom - 10);
        EXPECT_EQ(s.top, 30);
        EXPECT_EQ(s.right, 20);
        EXPECT_EQ(i.left, 20);
        EXPECT_EQ(i.top, 30);
        EXPECT_EQ(i.right, client.right - 10);
        EXPECT_EQ(i.bottom, client.bottom - 10);
        EXPECT_EQ(l.right, 45);
        EXPECT_EQ(l.bottom, 20);
    }
    DestroyWindow(parent);
}

TEST_F(ImageControl, BadPicturesLeaveAnEmptyControlAndTheNextGoodOneShows) {
    std::string good = ReadBytes(coordinates);
    ASSERT_GT(good.size(), 100u);
    // A PNG whose header claims 60000 x 60000 pixels (the header's CRC is right).
    std::string huge = good.substr(0, 33) + good.substr(good.size() - 12);
    for (int at : {16, 20}) {
        huge[at] = 0, huge[at + 1] = 0, huge[at + 2] = static_cast<char>(0xEA), huge[at + 3] = 0x60;
    }
    uint32_t crc = Crc32(reinterpret_cast<const unsigned char*>(huge.data()) + 12, 17);
    for (int i = 0; i < 4; ++i) {
        huge[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    }
    struct Bad {
        const wchar_t* name;
        std::string bytes;
    };
    const Bad bads[] = {
        {L"empty.png", ""},
        {L"truncated.png", good.substr(0, good.size() / 2)},
        {L"text.png", "This is a text file, not a picture.\r\n"},
        {L"huge.png", huge},
    };
    HWND control = Create(coordinates);
    ZI_SetProperty(control, 11, 1);
    int64_t memoryBefore = CommittedBytes();
    for (int round = 0; round < 2; ++round) {  // twice, to see that nothing piles up
        for (const Bad& bad : bads) {
            WriteBytes(folder + bad.name, bad.bytes);
        }
        std::vector<std::wstring> paths = {folder + L"missing.png"};
        for (const Bad& bad : bads) {
            paths.push_back(folder + bad.name);
        }
        for (const std::wstring& path : paths) {
            EXPECT_EQ(ZI_SetFromFile(control, AnsiFromWide(path).c_str()), 0) << AnsiFromWide(path);
            EXPECT_EQ(ZI_GetDC(control), nullptr) << AnsiFromWide(path);
            LONG width = -1, height = -1;
            ZI_GetImageSizeFromControl(control, &width, &height);
            EXPECT_EQ(width + height, 0) << AnsiFromWide(path);
            Screen screen = Grab(control);
            EXPECT_EQ(screen.width, 400) << "no scroll bars without a picture";
            EXPECT_EQ(screen.At(0, 0), Margin()) << AnsiFromWide(path);
            EXPECT_EQ(screen.At(399, 299), Margin()) << AnsiFromWide(path);
            EXPECT_EQ(ZI_SetFromFile(control, AnsiFromWide(coordinates).c_str()), 1);
            EXPECT_NE(ZI_GetDC(control), nullptr);
            EXPECT_EQ(Grab(control).At(7, 9), CoordinateColour(7, 9));
        }
    }
    EXPECT_LT(CommittedBytes() - memoryBefore, 16 << 20) << "memory stays bounded";
}

TEST_F(ImageControl, LoadsJpegPictures) {
    std::wstring path = folder + L"plain.jpg";
    ASSERT_TRUE(WritePicture(
        path, 320, 200, [](int x, int) { return x < 160 ? 0xC03020u : 0x2040E0u; }, GUID_ContainerFormatJpeg));
    HWND control = Create(L"");
    EXPECT_EQ(ZI_GetDC(control), nullptr);
    EXPECT_EQ(ZI_SetFromFile(control, AnsiFromWide(path).c_str()), 1);
    Screen screen = Grab(control);
    uint32_t left = screen.At(100, 150), right = screen.At(300, 150);
    EXPECT_NEAR(static_cast<int>(left >> 16), 0xC0, 8);
    EXPECT_NEAR(static_cast<int>(right & 0xFF), 0xE0, 8);
}
