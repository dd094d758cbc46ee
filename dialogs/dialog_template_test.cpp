#include "dialogs/dialog_template.h"

#include <gtest/gtest.h>

TEST(DialogStyle, AddsTheFontAndFrameBitsAndDropsVisibleAndSysModal) {
    EXPECT_EQ(EffectiveDialogStyle(0), 0x80C000D4u);
    EXPECT_EQ(EffectiveDialogStyle(0x94CF00D4), 0x84CF00D4u);  // the Map window
    EXPECT_EQ(EffectiveDialogStyle(0x94C800D4), 0x84C800D4u);  // the About dialog
    EXPECT_EQ(EffectiveDialogStyle(0x90C00002), 0x80C00054u);  // DS_SYSMODAL removed, font bits added
}

TEST(ControlStyle, FollowsEachKindsDefaultForcedAndBarredBits) {
    const struct {
        ControlKind kind;
        uint32_t style, exStyle;
        uint32_t effective, effectiveEx;
    } cases[] = {
        {ControlKind::Button, 0, 0, 0x50010000, 0},
        {ControlKind::Button, 0x00010001, 0, 0x50010001, 0},  // forced WS_CHILD | WS_VISIBLE
        {ControlKind::CheckBox, 0, 0, 0x50010003, 0},
        {ControlKind::CheckBox, 0x00810004, 0, 0x50010003, 0},  // WS_BORDER and the low bits barred
        {ControlKind::CheckBox, 0x86000000, 0, 0x50000003, 0},  // WS_POPUP and the clip bits barred
        {ControlKind::CheckBox, 0x08000000, 0, 0x58000003, 0},  // WS_DISABLED allowed
        {ControlKind::Label, 0, 0x1000, 0x50000000, 0x1000},
        {ControlKind::Label, 0x00000002, 0, 0x50000002, 0},
        {ControlKind::TextBox, 0, 0, 0x50010080, 0x200},  // WS_BORDER traded for WS_EX_CLIENTEDGE
        {ControlKind::TextBox, 0x58010080, 0x200, 0x58010080, 0x200},
        {ControlKind::TextBox, 0x00800000, 0, 0x50800000, 0},  // an explicit style keeps its border
        {ControlKind::Custom, 0x50010003, 0, 0x50010003, 0},
        {ControlKind::Custom, 0, 0, 0, 0},  // a custom control's style is used as passed
    };
    for (const auto& c : cases) {
        ControlStyle s = EffectiveControlStyle(c.kind, c.style, c.exStyle);
        EXPECT_EQ(s.style, c.effective) << std::hex << c.style;
        EXPECT_EQ(s.exStyle, c.effectiveEx) << std::hex << c.style;
    }
}

TEST(ControlStyle, NamesTheWindowClassOfEachKind) {
    EXPECT_EQ(ControlClassName(ControlKind::Button, "x"), "BUTTON");
    EXPECT_EQ(ControlClassName(ControlKind::CheckBox, "x"), "BUTTON");
    EXPECT_EQ(ControlClassName(ControlKind::Label, "x"), "STATIC");
    EXPECT_EQ(ControlClassName(ControlKind::TextBox, "x"), "EDIT");
    EXPECT_EQ(ControlClassName(ControlKind::Custom, "ZIMAGECTRL"), "ZIMAGECTRL");
}

TEST(DialogTemplate, WritesAnExtendedTemplateWithTheDialogFont) {
    std::vector<uint8_t> bytes = BuildDialogTemplate(u"Ab", 43, 58, 444, 419, 0x84CF00D4, 0x10000);
    const std::vector<uint8_t> expected = {
        1,    0,    0xFF, 0xFF,                    // dlgVer, signature
        0,    0,    0,    0,                       // helpID
        0,    0,    1,    0,                       // exStyle 0x10000
        0xD4, 0x00, 0xCF, 0x84,                    // style
        0,    0,                                   // no items
        43,   0,    58,   0,    0xBC, 1, 0xA3, 1,  // x, y, cx 444, cy 419
        0,    0,    0,    0,                       // menu, class
        'A',  0,    'b',  0,    0,    0,           // caption
        8,    0,    0x90, 1,    0,    0,           // 8 pt, weight 400, not italic, charset 0
        'M',  0,    'S',  0,    ' ',  0, 'S',  0, 'a', 0, 'n', 0, 's', 0,
        ' ',  0,    'S',  0,    'e',  0, 'r',  0, 'i', 0, 'f', 0, 0,   0,
    };
    EXPECT_EQ(bytes, expected);
}
