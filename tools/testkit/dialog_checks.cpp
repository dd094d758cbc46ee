#include "tools/testkit/dialog_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win_text.h"

void ExpectDialogPlacement(HWND dialog, HWND owner, RECT units) {
    MapDialogRect(dialog, &units);
    POINT ownerOrigin{0, 0}, origin{0, 0};
    ClientToScreen(owner, &ownerOrigin);
    ClientToScreen(dialog, &origin);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(origin.x - ownerOrigin.x, units.left);
    EXPECT_EQ(origin.y - ownerOrigin.y, units.top);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
}

void ExpectControl(HWND dialog, HWND control, const ExpectedControl& expected) {
    const int id = expected.id;
    ASSERT_TRUE(control) << "no control " << id;
    EXPECT_EQ(GetDlgCtrlID(control), id);
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    EXPECT_EQ(std::wstring(className), expected.className) << id;
    if (expected.text) {
        EXPECT_EQ(WindowTextAnsi(control), expected.text) << id;
    }
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & ~WS_CLIPSIBLINGS, expected.style) << id;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)) & ~WS_EX_NOPARENTNOTIFY, expected.exStyle) << id;
    RECT units = expected.units, actual;
    MapDialogRect(dialog, &units);
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, units.left) << id;
    EXPECT_EQ(actual.top, units.top) << id;
    EXPECT_EQ(actual.right - actual.left, units.right) << id;
    EXPECT_EQ(actual.bottom - actual.top, units.bottom) << id;
}
