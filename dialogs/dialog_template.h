// The dialog layer's decisions in plain C++: the style rules of dialogs and control kinds, and the
// bytes of the in-memory extended dialog template.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The kinds of control that Add control knows.
enum class ControlKind { Custom, Button, CheckBox, Label, TextBox };

struct ControlStyle {
    uint32_t style;
    uint32_t exStyle;
};

// The window class of a kind; a custom control uses the class name given.
std::string ControlClassName(ControlKind kind, const std::string& customClass);

// Style 0 takes the kind's default; then the kind's forced bits are set and its barred bits cleared.
// A defaulted text box trades WS_BORDER for WS_EX_CLIENTEDGE.
ControlStyle EffectiveControlStyle(ControlKind kind, uint32_t style, uint32_t exStyle);

// Style 0 means a pop-up with a caption and a modal frame; every style gets DS_SETFONT,
// DS_NOFAILCREATE and DS_3DLOOK and loses WS_VISIBLE and DS_SYSMODAL (the layer shows it itself).
uint32_t EffectiveDialogStyle(uint32_t style);

// A DLGTEMPLATEEX without items, in the dialog font "MS Sans Serif" 8 pt, weight 400, charset 0.
// `style` is used as given (pass it through EffectiveDialogStyle first).
std::vector<uint8_t> BuildDialogTemplate(const std::u16string& caption,
                                         int x,
                                         int y,
                                         int width,
                                         int height,
                                         uint32_t style,
                                         uint32_t exStyle);
