#include "dialogs/dialog_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr UINT kRunAction = WM_APP + 1;

std::vector<UINT> seen;                     // messages the callback was given, in order
std::vector<std::pair<int, int>> commands;  // (id, code) of WM_COMMAND
void (*action)(HWND dialog) = nullptr;      // run when the dialog gets kRunAction

INT_PTR CALLBACK RecordingCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    seen.push_back(message);
    if (message == WM_COMMAND) {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialogWindow(dialog, 7);
        }
    }
    if (message == kRunAction && action) {
        action(dialog);
    }
    return 0;
}

class DialogLayer : public testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        commands.clear();
        action = nullptr;
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_TRUE(owner_);
        SetForegroundWindow(owner_);
    }
    void TearDown() override { DestroyWindow(owner_); }

    HWND NewDialog() { return CreateDialogWindow(owner_, "Test", 10, 20, 150, 100, 0, 0); }

    HWND owner_ = nullptr;
};

struct KindCase {
    ControlKind kind;
    const char* className;
    DWORD style, exStyle;
    const wchar_t* realClass;
    DWORD effective, effectiveEx;
};

}  // namespace

TEST_F(DialogLayer, CreatesHiddenDialogsWithTheLayersStyleAndPosition) {
    HWND dialog = NewDialog();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    // Windows adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_CLIPSIBLINGS, 0x80C000D4u);
    EXPECT_EQ(GetParent(dialog), owner_);

    // The dialog manager puts the dialog's client area at x, y from the owner's client area.
    RECT units{10, 20, 0, 0};
    MapDialogRect(dialog, &units);
    POINT ownerOrigin{0, 0}, dialogOrigin{0, 0};
    ClientToScreen(owner_, &ownerOrigin);
    ClientToScreen(dialog, &dialogOrigin);
    EXPECT_EQ(dialogOrigin.x, ownerOrigin.x + units.left);
    EXPECT_EQ(dialogOrigin.y, ownerOrigin.y + units.top);

    wchar_t caption[16];
    GetWindowTextW(dialog, caption, 16);
    EXPECT_STREQ(caption, L"Test");
    DestroyWindow(dialog);
}

TEST_F(DialogLayer, AddsControlsOfEachKindWithTheirStylesFontAndTabOrder) {
    HWND dialog = NewDialog();
    const KindCase cases[] = {
        {ControlKind::Label, "", 0, 0x1000, L"Static", 0x50000000, 0x1000},
        {ControlKind::TextBox, "", 0, 0, L"Edit", 0x50010080, 0x200},
        {ControlKind::TextBox, "", 0x58010080, 0x200, L"Edit", 0x58010080, 0x200},
        {ControlKind::CheckBox, "", 0, 0, L"Button", 0x50010003, 0},
        {ControlKind::Button, "", 0, 0, L"Button", 0x50010000, 0},
        {ControlKind::Custom, "msctls_trackbar32", 0x50010003, 0, L"msctls_trackbar32", 0x50010003, 0},
    };
    std::vector<HWND> controls;
    int id = 100;
    for (const KindCase& c : cases) {
        HWND control = AddControl(dialog, c.kind, id, c.className, "text", 5, 6 + id - 100, 40, 12, c.style, c.exStyle);
        ASSERT_TRUE(control) << id;
        EXPECT_EQ(GetDlgCtrlID(control), id);
        wchar_t name[64];
        GetClassNameW(control, name, 64);
        EXPECT_STREQ(_wcsupr(name), _wcsupr(std::wstring(c.realClass).data())) << id;
        // The window manager adds state bits (WS_CLIPSIBLINGS and the like) to some classes.
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & ~WS_CLIPSIBLINGS, c.effective) << id;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY, c.effectiveEx)
            << id;
        if (c.kind != ControlKind::Custom) {  // a trackbar has no text and keeps no font
            EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), SendMessageW(dialog, WM_GETFONT, 0, 0)) << id;
        }
        controls.push_back(control);
        ++id;
    }

    // Geometry from dialog units.
    RECT expected{5, 6, 40, 12};
    MapDialogRect(dialog, &expected);
    RECT actual;
    GetWindowRect(controls[0], &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right - actual.left, expected.right);
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom);

    // Creation order is the tab order: the tab stops follow one another as they were added.
    HWND tab = GetNextDlgTabItem(dialog, nullptr, FALSE);
    EXPECT_EQ(tab, controls[1]);  // the label is no tab stop, the disabled text box is skipped
    tab = GetNextDlgTabItem(dialog, tab, FALSE);
    EXPECT_EQ(tab, controls[3]);
    tab = GetNextDlgTabItem(dialog, tab, FALSE);
    EXPECT_EQ(tab, controls[4]);
    tab = GetNextDlgTabItem(dialog, tab, FALSE);
    EXPECT_EQ(tab, controls[5]);
    DestroyWindow(dialog);
}

TEST_F(DialogLayer, ShowModalInitialisesDisablesTheOwnerAndGivesTheFocusBack) {
    HWND dialog = NewDialog();
    AddControl(dialog, ControlKind::Button, 100, "", "&Go", 5, 5, 40, 14, 0, 0);
    static HWND ownerSeen;
    static bool ownerEnabledDuring, visibleDuring;
    ownerSeen = owner_;
    action = [](HWND d) {
        ownerEnabledDuring = IsWindowEnabled(ownerSeen);
        visibleDuring = IsWindowVisible(d);
        EndDialogWindow(d, 42);
    };
    PostMessageW(dialog, kRunAction, 0, 0);
    int result = -1;
    ShowModal(dialog, RecordingCallback, &result);

    EXPECT_EQ(result, 42);
    EXPECT_FALSE(IsWindow(dialog));
    auto init = std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_INITDIALOG));
    ASSERT_NE(init, seen.end());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_INITDIALOG)), 1);
    EXPECT_EQ(*(init + 1), static_cast<UINT>(WM_SIZE));
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(visibleDuring);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(GetFocus(), owner_);
    for (UINT m : seen) {
        EXPECT_NE(m, static_cast<UINT>(WM_ACTIVATE));
    }
}

TEST_F(DialogLayer, EscArrivesAsIdCancel) {
    HWND dialog = NewDialog();
    HWND button = AddControl(dialog, ControlKind::Button, 100, "", "Go", 5, 5, 40, 14, 0, 0);
    PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 1);
    int result = -1;
    ShowModal(dialog, RecordingCallback, &result);
    EXPECT_EQ(result, 7);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), std::make_pair(IDCANCEL, 0));
}

TEST_F(DialogLayer, CloseBoxAndAltF4EndTheDialogWithZero) {
    for (int way = 0; way < 2; ++way) {
        HWND dialog = CreateDialogWindow(owner_, "Closable", 10, 10, 150, 100, 0x94C800D4, 0);
        AddControl(dialog, ControlKind::Button, 100, "", "Go", 5, 5, 40, 14, 0, 0);
        if (way == 0) {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            PostMessageW(dialog, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
        }
        int result = -1;
        ShowModal(dialog, RecordingCallback, &result);
        EXPECT_EQ(result, 0) << way;
        EXPECT_FALSE(IsWindow(dialog)) << way;
    }
}

namespace {

int ticks;
HWND dialogToEnd;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    if (++ticks == 3) {
        EndDialogWindow(dialogToEnd, 1);
    }
}

}  // namespace

TEST_F(DialogLayer, TimersOfOtherWindowsTickDuringTheNestedLoop) {
    ticks = 0;
    HWND dialog = NewDialog();
    dialogToEnd = dialog;
    SetTimer(owner_, 1, 20, CountTick);
    ShowModal(dialog, RecordingCallback);
    KillTimer(owner_, 1);
    EXPECT_EQ(ticks, 3);
}

TEST_F(DialogLayer, ControlTextsKeepTheirAnsiBytes) {
    HWND dialog = NewDialog();
    AddControl(dialog, ControlKind::TextBox, 100, "", "", 5, 5, 80, 14, 0, 0);
    AddControl(dialog, ControlKind::CheckBox, 101, "", "Check", 5, 25, 80, 10, 0, 0);
    const std::string text = "Caf\xE9 \xA3 5\r\nline two";  // cp1252 e-acute and pound sign
    SetControlText(dialog, 100, text);
    EXPECT_EQ(GetControlText(dialog, 100), text);
    wchar_t wide[32];
    GetDlgItemTextW(dialog, 100, wide, 32);
    EXPECT_EQ(wide[3], 0x00E9);

    EXPECT_EQ(GetCheckState(dialog, 101), 0);
    SendDlgItemMessageW(dialog, 101, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(GetCheckState(dialog, 101), 1);
    DisableControl(dialog, 101);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 101)));
    EnableControl(dialog, 101);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 101)));
    DestroyWindow(dialog);
}

TEST_F(DialogLayer, FindDialogFollowsOnlyWindowsTheLayerCreated) {
    HWND dialog = NewDialog();
    HWND label = AddControl(dialog, ControlKind::Label, 100, "", "label", 5, 5, 80, 14, 0, 0);
    HWND insideLabel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, label, nullptr, nullptr, nullptr);
    HWND foreignChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, owner_, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindDialog(dialog), dialog);
    EXPECT_EQ(FindDialog(label), dialog);
    EXPECT_EQ(FindDialog(insideLabel), nullptr);  // not created by the layer
    EXPECT_EQ(FindDialog(foreignChild), nullptr);
    EXPECT_EQ(FindDialog(owner_), nullptr);
    DestroyWindow(dialog);
}
