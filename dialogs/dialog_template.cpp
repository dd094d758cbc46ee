#include "dialogs/dialog_template.h"

namespace {

constexpr uint32_t WS_CHILD_ = 0x40000000;
constexpr uint32_t WS_VISIBLE_ = 0x10000000;
constexpr uint32_t WS_BORDER_ = 0x00800000;
constexpr uint32_t WS_EX_CLIENTEDGE_ = 0x00000200;
constexpr uint32_t DS_SYSMODAL_ = 0x02;
constexpr uint32_t DS_3DLOOK_ = 0x04;
constexpr uint32_t DS_NOFAILCREATE_ = 0x10;
constexpr uint32_t DS_SETFONT_ = 0x40;

struct KindRule {
    const char* className;
    uint32_t defaultStyle;
    uint32_t forced;
    uint32_t barred;
};

const KindRule& RuleOf(ControlKind kind) {
    static const KindRule rules[] = {
        /* Custom   */ {"", 0, 0, 0},
        /* Button   */ {"BUTTON", 0x50010000, WS_CHILD_ | WS_VISIBLE_, 0},
        /* CheckBox */ {"BUTTON", 0x50010003, 0x50000003, 0xA7FC00CC},
        /* Label    */ {"STATIC", 0x50000000, WS_CHILD_ | WS_VISIBLE_, 0},
        /* TextBox  */ {"EDIT", 0x50810080, WS_CHILD_ | WS_VISIBLE_, 0},
    };
    return rules[static_cast<int>(kind)];
}

void Put16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

void PutText(std::vector<uint8_t>& bytes, const std::u16string& text) {
    for (char16_t c : text) {
        Put16(bytes, c);
    }
    Put16(bytes, 0);
}

}  // namespace

std::string ControlClassName(ControlKind kind, const std::string& customClass) {
    return kind == ControlKind::Custom ? customClass : RuleOf(kind).className;
}

ControlStyle EffectiveControlStyle(ControlKind kind, uint32_t style, uint32_t exStyle) {
    const KindRule& rule = RuleOf(kind);
    if (style == 0 && kind != ControlKind::Custom) {
        style = rule.defaultStyle;
        if (kind == ControlKind::TextBox) {
            style &= ~WS_BORDER_;
            exStyle |= WS_EX_CLIENTEDGE_;
        }
    }
    return {(style | rule.forced) & ~rule.barred, exStyle};
}

uint32_t EffectiveDialogStyle(uint32_t style) {
    if (style == 0) {
        style = 0x80C000D4;
    }
    return (style | DS_SETFONT_ | DS_NOFAILCREATE_ | DS_3DLOOK_) & ~(WS_VISIBLE_ | DS_SYSMODAL_);
}

std::vector<uint8_t> BuildDialogTemplate(const std::u16string& caption,
                                         int x,
                                         int y,
                                         int width,
                                         int height,
                                         uint32_t style,
                                         uint32_t exStyle) {
    std::vector<uint8_t> bytes;
    Put16(bytes, 1);       // dlgVer
    Put16(bytes, 0xFFFF);  // signature: extended template
    Put32(bytes, 0);       // helpID
    Put32(bytes, exStyle);
    Put32(bytes, style);
    Put16(bytes, 0);  // cDlgItems: the layer adds its controls after creation
    Put16(bytes, x);
    Put16(bytes, y);
    Put16(bytes, width);
    Put16(bytes, height);
    Put16(bytes, 0);  // no menu
    Put16(bytes, 0);  // the standard dialog class
    PutText(bytes, caption);
    Put16(bytes, 8);     // point size
    Put16(bytes, 400);   // weight
    bytes.push_back(0);  // italic
    bytes.push_back(0);  // charset
    PutText(bytes, u"MS Sans Serif");
    return bytes;
}
