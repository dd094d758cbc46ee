#include "rrbutton/rrbutton_api.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/dialog_layer.h"
#include "rrbutton/rrbutton.h"
#include "rrbutton/test_hooks.h"
#include "rrbutton/test_support.h"

namespace {

// What the button was sent: its property messages and WM_SETFONT, with the names it was given.
struct Sent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string name;  // the text behind lParam of the image loads
    bool operator==(const Sent&) const = default;
};
std::vector<Sent> sent;

void PrintTo(const Sent& s, std::ostream* out) {
    *out << "{" << s.message << ", " << static_cast<long>(s.wParam) << ", " << s.lParam << ", \"" << s.name << "\"}";
}

LRESULT CALLBACK WatchButtons(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char name[16] = {};
    GetClassNameA(m->hwnd, name, sizeof name);
    if (code == HC_ACTION && std::strcmp(name, kRRButtonClass) == 0 &&
        ((m->message >= RRBM_SETCORNER && m->message <= RRBM_GETIMAGENAME) || m->message == WM_SETFONT)) {
        const bool load = m->message >= RRBM_LOADIMAGE && m->message <= RRBM_LOADDISABLEDIMAGE && m->lParam;
        sent.push_back(
            {m->message, m->wParam, load ? 0 : m->lParam, load ? reinterpret_cast<const char*>(m->lParam) : ""});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr WPARAM kMiddleLeft = static_cast<WPARAM>(-4), kCentre = static_cast<WPARAM>(-5);
const Sent kCreated{RRBM_SETCORNER, 5, 0, ""};  // sent by the button to itself at WM_CREATE

std::string resultFolder;

class RRButtonApi : public testing::Test {
protected:
    static void SetUpTestSuite() {
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        resultFolder = folder;
        GetTempPathA(MAX_PATH, folder);
        SetCurrentDirectoryA(folder);
        WriteIconFile("red.ico", RGB(255, 0, 0));
        WriteIconFile("blue.ico", RGB(0, 0, 255));
        WriteIconFile("disc.ico", RGB(0, 128, 0), true);
        WriteIconFile("greydisc.ico", RGB(160, 160, 160), true);
        WriteIconFile("reddisc.ico", RGB(200, 0, 0), true);
    }
    void SetUp() override {
        parent_ = CreateRecordingParent(100, 100, 700, 200);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, WatchButtons, nullptr, GetCurrentThreadId());
        sent.clear();
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        DestroyWindow(parent_);
        Pump();
    }
    static RRButtonRecord& R(HWND button) { return *RRButtonRecordOf(button); }

    HWND parent_ = nullptr;
    HHOOK hook_ = nullptr;
};

// left, top, right, bottom in the parent's client area
std::vector<LONG> RectInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

TEST_F(RRButtonApi, InitRegistersTheClassOnce) {
    InitRRButtonClass();
    InitRRButtonClass();
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), kRRButtonClass, &info));
    EXPECT_EQ(info.style, 0x400Bu);
    EXPECT_EQ(info.lpfnWndProc, RRButtonProc);
    EXPECT_EQ(info.cbWndExtra, 4);
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(16));
    EXPECT_EQ(info.hCursor, nullptr);
}

TEST_F(RRButtonApi, CreateUsesPixelsOrTheLayersDialogUnits) {
    HWND button = CreateRRButton(parent_, 7, AnsiBstr("Plain"), 10, 20, 30, 40, kStyle, 0, 0);
    ASSERT_TRUE(button);
    EXPECT_EQ(RectInParent(button), (std::vector<LONG>{10, 20, 40, 60}));
    EXPECT_EQ(GetDlgCtrlID(button), 7);
    char text[16];
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "Plain");
    EXPECT_EQ(R(button).resourceModule, reinterpret_cast<HMODULE>(GetWindowLongPtrA(parent_, GWLP_HINSTANCE)));

    // On a dialog of the layer, or a control of one, the units are that dialog's.
    HWND dialog = CreateDialogWindow(nullptr, "Units", 10, 10, 200, 100, 0, 0);
    HWND label = AddControl(dialog, ControlKind::Label, 1, "", "", 0, 0, 150, 80, 0, 0);
    RECT position{0, 0, 4, 8}, size{0, 0, 8, 8};
    MapDialogRect(dialog, &position);
    MapDialogRect(dialog, &size);
    for (HWND holder : {dialog, label}) {
        HWND scaled = CreateRRButton(holder, 8, nullptr, 4, 8, 8, 8, kStyle, 0, 1);
        ASSERT_TRUE(scaled);
        EXPECT_EQ(RectInParent(scaled), (std::vector<LONG>{position.right, position.bottom, position.right + size.right,
                                                           position.bottom + size.bottom}));
    }
    DestroyWindow(dialog);

    // Outside the layer there is no dialog: 0 x 0 at (0, 0).
    HWND lost = CreateRRButton(parent_, 9, nullptr, 4, 8, 8, 8, kStyle, 0, 1);
    EXPECT_EQ(RectInParent(lost), (std::vector<LONG>{0, 0, 0, 0}));
}

TEST_F(RRButtonApi, MakeRRButtonSendsItsMessagesInOrder) {
    MakeRRButton(parent_, 1, AnsiBstr("Text"), 0, 0, 80, 24, kStyle, 0, nullptr, AnsiBstr(""), 0);
    EXPECT_EQ(sent, (std::vector<Sent>{kCreated, {RRBM_SETCORNER, 5, 0, ""}, {RRBM_SETINTERACTIVE, 1, 0, ""}}));

    sent.clear();
    HWND button = MakeRRButton(parent_, 2, AnsiBstr("Text"), 0, 30, 80, 24, kStyle, 0, AnsiBstr("red.ico"),
                               AnsiBstr("blue.ico"), 0);
    EXPECT_EQ(sent, (std::vector<Sent>{kCreated,
                                       {RRBM_SETCORNER, 5, 0, ""},
                                       {RRBM_SETINTERACTIVE, 1, 0, ""},
                                       {RRBM_SETIMAGEPOS, kMiddleLeft, 0, ""},
                                       {RRBM_SETIMAGEMARGINLEFT, 4, 0, ""},
                                       {RRBM_SETTEXTMARGINLEFT, 12, 0, ""},
                                       {RRBM_LOADIMAGE, IMAGE_ICON, 0, "red.ico"},
                                       {RRBM_LOADHOTIMAGE, IMAGE_ICON, 0, "blue.ico"}}));
    EXPECT_TRUE(R(button).image);
    EXPECT_TRUE(R(button).hotImage);

    sent.clear();
    button = MakeRRButton(parent_, 3, nullptr, 0, 60, 80, 24, kStyle, 0, nullptr, AnsiBstr("blue.ico"), 0);
    EXPECT_EQ(sent, (std::vector<Sent>{kCreated,
                                       {RRBM_SETCORNER, 5, 0, ""},
                                       {RRBM_SETINTERACTIVE, 1, 0, ""},
                                       {RRBM_SETIMAGEPOS, kCentre, 0, ""},
                                       {RRBM_LOADHOTIMAGE, IMAGE_ICON, 0, "blue.ico"}}));
    EXPECT_EQ(R(button).textMarginLeft, 0);
}

TEST_F(RRButtonApi, MakeRRButtonURLSendsItsMessagesInOrderAndOwnsItsFont) {
    HWND link = MakeRRButtonURL(parent_, 1, AnsiBstr("Link"), 0, 0, 80, 24, kStyle, 0, AnsiBstr("red.ico"),
                                AnsiBstr("blue.ico"), AnsiBstr("disc.ico"), 0);
    ASSERT_TRUE(link);
    const RRButtonRecord& r = R(link);
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
    ASSERT_TRUE(hand);  // the module carries our own hand
    EXPECT_EQ(r.cursor, hand);
    ASSERT_TRUE(r.ownedFont);
    EXPECT_EQ(sent, (std::vector<Sent>{kCreated,
                                       {RRBM_SETCURSOR, 0, reinterpret_cast<LPARAM>(hand), ""},
                                       {RRBM_SETSTATICLOOK, 1, 0, ""},
                                       {RRBM_SETFACECOLOR, GetSysColor(COLOR_BTNFACE), 0, ""},
                                       {RRBM_SETTEXTCOLOR, RGB(0, 0, 255), 0, ""},
                                       {RRBM_SETHOTTEXTCOLOR, RGB(0, 0, 255), 0, ""},
                                       {RRBM_SETPRESSEDTEXTCOLOR, RGB(255, 0, 0), 0, ""},
                                       {RRBM_SETINTERACTIVE, 1, 0, ""},
                                       {RRBM_SETIMAGEPOS, kMiddleLeft, 0, ""},
                                       {RRBM_SETIMAGEMARGINLEFT, 4, 0, ""},
                                       {RRBM_SETTEXTMARGINLEFT, 20, 0, ""},
                                       {RRBM_LOADIMAGE, IMAGE_ICON, 0, "red.ico"},
                                       {RRBM_LOADPRESSEDIMAGE, IMAGE_ICON, 0, "blue.ico"},
                                       {RRBM_LOADDISABLEDIMAGE, IMAGE_ICON, 0, "disc.ico"},
                                       {WM_SETFONT, reinterpret_cast<WPARAM>(r.ownedFont), 0, ""}}));
    EXPECT_EQ(r.font, r.ownedFont);
    LOGFONTA font{}, stock{};
    GetObjectA(r.ownedFont, sizeof font, &font);
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof stock, &stock);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfHeight, stock.lfHeight);
    EXPECT_STREQ(font.lfFaceName, stock.lfFaceName);
    EXPECT_EQ(r.staticLook, 1);
    EXPECT_EQ(r.interactive, 1);
    EXPECT_EQ(r.faceColor, GetSysColor(COLOR_BTNFACE));

    // Only a disabled icon: the icons are looked at only when icon or pressed icon is given.
    sent.clear();
    HWND bare = MakeRRButtonURL(parent_, 2, AnsiBstr("Link"), 0, 30, 80, 24, kStyle, 0, nullptr, AnsiBstr(""),
                                AnsiBstr("disc.ico"), 0);
    EXPECT_FALSE(R(bare).disabledImage);
    for (const Sent& s : sent) {
        EXPECT_NE(s.message, static_cast<UINT>(RRBM_LOADDISABLEDIMAGE));
    }
}

TEST_F(RRButtonApi, ALinkFromAModuleWithoutAHandShowsTheSystemHand) {
    // A parent of another module: the button's resources come from there, and it has no "HAND".
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 100, parent_, nullptr,
                                   GetModuleHandleA("kernel32.dll"), nullptr);
    HWND link = MakeRRButtonURL(foreign, 1, AnsiBstr("Link"), 0, 0, 80, 24, kStyle, 0, nullptr, nullptr, nullptr, 0);
    ASSERT_TRUE(link);
    EXPECT_EQ(R(link).resourceModule, GetModuleHandleA("kernel32.dll"));
    EXPECT_TRUE(R(link).cursor);
    EXPECT_EQ(R(link).cursor, LoadCursorA(nullptr, IDC_HAND));
}

TEST_F(RRButtonApi, EveryTextArgumentIsFreedOnceOnEveryPath) {
    BstrFreeLog log(GetModuleHandleA(nullptr));
    ASSERT_GT(log.Patched(), 0);
    ResourceTracker tracker(GetModuleHandleA(nullptr));
    HWND bad = reinterpret_cast<HWND>(0x4321);  // no such window: creation fails
    for (int path = 0; path < 3; ++path) {
        SCOPED_TRACE(path == 0 ? "made" : path == 1 ? "no parent" : "no memory");
        HWND parent = path == 1 ? bad : parent_;
        auto failIfAsked = [&] {
            if (path == 2) {
                tracker.FailNextHeapAlloc(sizeof(RRButtonRecord));
            }
        };
        std::vector<BSTR> texts{AnsiBstr("One")};
        log.Clear();
        failIfAsked();
        HWND button = CreateRRButton(parent, 1, texts[0], 0, 0, 50, 20, kStyle, 0, 0);
        EXPECT_EQ(button != nullptr, path == 0);
        EXPECT_EQ(log.TimesFreed(texts), (std::vector<int>{1}));

        texts = {AnsiBstr("Two"), AnsiBstr("a.ico"), AnsiBstr("b.ico")};
        log.Clear();
        sent.clear();
        failIfAsked();
        button = MakeRRButton(parent, 2, texts[0], 0, 0, 50, 20, kStyle, 0, texts[1], texts[2], 0);
        EXPECT_EQ(button != nullptr, path == 0);
        EXPECT_EQ(log.TimesFreed(texts), (std::vector<int>{1, 1, 1}));
        EXPECT_EQ(log.Freed().size(), 3u);
        if (path) {
            EXPECT_TRUE(sent.empty());  // nothing is sent when no window was made
        }

        texts = {AnsiBstr("Three"), AnsiBstr("a.ico"), AnsiBstr("b.ico"), AnsiBstr("c.ico")};
        log.Clear();
        failIfAsked();
        button = MakeRRButtonURL(parent, 3, texts[0], 0, 0, 50, 20, kStyle, 0, texts[1], texts[2], texts[3], 0);
        EXPECT_EQ(button != nullptr, path == 0);
        EXPECT_EQ(log.TimesFreed(texts), (std::vector<int>{1, 1, 1, 1}));
        EXPECT_EQ(log.Freed().size(), 4u);
    }
    // Null texts count as empty and there is nothing to free.
    log.Clear();
    EXPECT_TRUE(MakeRRButtonURL(parent_, 4, nullptr, 0, 0, 50, 20, kStyle, 0, nullptr, nullptr, nullptr, 0));
    EXPECT_TRUE(log.Freed().empty());
}

// A row of buttons in their looks, saved as rrbutton_gallery.bmp beside the test for people to see.
TEST_F(RRButtonApi, GalleryOfLooks) {
    const DWORD style = kStyle;
    MakeRRButton(parent_, 1, AnsiBstr("Plain"), 10, 20, 100, 30, style, 0, nullptr, nullptr, 0);
    MakeRRButton(parent_, 2, AnsiBstr("Icon"), 120, 20, 100, 30, style, 0, AnsiBstr("disc.ico"),
                 AnsiBstr("reddisc.ico"), 0);
    MakeRRButtonURL(parent_, 3, AnsiBstr("Web link"), 230, 20, 100, 30, style, 0, nullptr, nullptr, nullptr, 0);
    HWND disabled =
        MakeRRButton(parent_, 4, AnsiBstr("Disabled"), 340, 20, 100, 30, style, 0, AnsiBstr("disc.ico"), nullptr, 0);
    SendMessageA(disabled, RRBM_LOADDISABLEDIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>("greydisc.ico"));
    EnableWindow(disabled, FALSE);
    HWND pressed = MakeRRButton(parent_, 5, AnsiBstr("Pressed"), 450, 20, 100, 30, style, 0, nullptr, nullptr, 0);
    HWND focused = MakeRRButton(parent_, 6, AnsiBstr("Focused"), 560, 20, 100, 30, style, 0, nullptr, nullptr, 0);
    HWND raised = MakeRRButton(parent_, 7, AnsiBstr("Idle raised"), 10, 70, 100, 30, style, 0, nullptr, nullptr, 0);
    SendMessageA(raised, RRBM_SETIDLERAISED, 1, 0);
    HWND linkFocused =
        MakeRRButtonURL(parent_, 8, AnsiBstr("Focused link"), 120, 70, 100, 30, style, 0, nullptr, nullptr, nullptr, 0);
    SetFocus(focused);
    SendMessageA(pressed, WM_KEYDOWN, VK_SPACE, 0);  // held down by the space bar
    Pump();
    Shot row(parent_);
    row.Save(resultFolder + "\\rrbutton_gallery.bmp");
    SetFocus(linkFocused);
    SendMessageA(pressed, WM_KEYDOWN, VK_SPACE, 0);
    Pump();
    Shot second(parent_);
    second.Save(resultFolder + "\\rrbutton_gallery_link_focused.bmp");

    EXPECT_EQ(R(pressed).state, 2);
    EXPECT_EQ(row.At(450 + 50, 20), GetSysColor(COLOR_BTNSHADOW));         // sunken: shadow along the top
    EXPECT_EQ(row.At(560 + 50, 20), GetSysColor(COLOR_INFOBK));            // focused live: info-background line
    EXPECT_EQ(row.At(340 + 8, 20 + 15), RGB(160, 160, 160));               // the disabled image
    EXPECT_EQ(row.At(120 + 4 + 8, 20 + 15), RGB(0, 128, 0));               // the icon, 4 in from the left
    EXPECT_EQ(second.At(120 + 50, 70), R(linkFocused).paletteEntries[1]);  // focused link: its ring
    EXPECT_GT(second.Count(RGB(0, 0, 255)), 20);                           // blue link text
}
