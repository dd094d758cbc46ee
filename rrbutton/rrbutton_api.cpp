#include "rrbutton/rrbutton_api.h"

#include <string>

#include "common/bstr_argument.h"
#include "common/no_throw.h"
#include "dialogs/dialog_layer.h"
#include "rrbutton/rrbutton.h"

namespace {

// Converts a pair of dialog units (x and y, or width and height) to pixels on `dialog`: the
// horizontal unit for the first, the vertical one for the second; (0, 0) without a dialog.
void PixelsFromDialogUnits(HWND dialog, LONG& horizontal, LONG& vertical) {
    RECT rect{0, 0, horizontal, vertical};
    if (!dialog || !MapDialogRect(dialog, &rect)) {
        rect.right = rect.bottom = 0;
    }
    horizontal = rect.right;
    vertical = rect.bottom;
}

HWND CreateButton(HWND parent,
                  LONG id,
                  const std::string& text,
                  LONG x,
                  LONG y,
                  LONG width,
                  LONG height,
                  DWORD style,
                  DWORD exStyle,
                  LONG dialogUnits) {
    InitRRButtonClass();
    if (dialogUnits) {
        HWND dialog = FindDialog(parent);
        PixelsFromDialogUnits(dialog, x, y);
        PixelsFromDialogUnits(dialog, width, height);
    }
    return CreateWindowExA(exStyle, kRRButtonClass, text.c_str(), style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
}

// Puts the image left of a text, or in the middle of a button without one.
void PlaceIcon(HWND button, const std::string& text, int textMargin) {
    if (!text.empty()) {
        SendMessageA(button, RRBM_SETIMAGEPOS, static_cast<WPARAM>(-4), 0);
        SendMessageA(button, RRBM_SETIMAGEMARGINLEFT, 4, 0);
        SendMessageA(button, RRBM_SETTEXTMARGINLEFT, textMargin, 0);
    } else {
        SendMessageA(button, RRBM_SETIMAGEPOS, static_cast<WPARAM>(-5), 0);
    }
}

void LoadNamedIcon(HWND button, UINT message, const std::string& name) {
    if (!name.empty()) {
        SendMessageA(button, message, IMAGE_ICON, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

// The link's hand: the module's own "HAND" cursor, else the system's hand rather than none.
HCURSOR HandCursor(HMODULE module) {
    HCURSOR hand = LoadCursorA(module, "HAND");
    return hand ? hand : LoadCursorA(nullptr, IDC_HAND);
}

// The stock variable-width font, bold and underlined.
HFONT MakeLinkFont() {
    LOGFONTA font{};
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    font.lfUnderline = 1;
    return CreateFontIndirectA(&font);
}

}  // namespace

extern "C" void WINAPI InitRRButtonClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = RRButtonProc;
    windowClass.cbWndExtra = sizeof(RRButtonRecord*);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kRRButtonClass;
    RegisterClassExA(&windowClass);  // fails harmlessly once the class exists
}

extern "C" HWND WINAPI CreateRRButton(HWND parent,
                                      LONG id,
                                      BSTR text,
                                      LONG x,
                                      LONG y,
                                      LONG width,
                                      LONG height,
                                      DWORD style,
                                      DWORD exStyle,
                                      LONG dialogUnits) {
    BstrArgument textArgument(text);
    return NoThrow<HWND>(nullptr, [&] {
        return CreateButton(parent, id, textArgument.Text(), x, y, width, height, style, exStyle, dialogUnits);
    });
}

extern "C" HWND WINAPI MakeRRButton(HWND parent,
                                    LONG id,
                                    BSTR text,
                                    LONG x,
                                    LONG y,
                                    LONG width,
                                    LONG height,
                                    DWORD style,
                                    DWORD exStyle,
                                    BSTR icon,
                                    BSTR hotIcon,
                                    LONG dialogUnits) {
    BstrArgument textArgument(text), iconArgument(icon), hotIconArgument(hotIcon);
    return NoThrow<HWND>(nullptr, [&]() -> HWND {
        const std::string caption = textArgument.Text();
        HWND button = CreateButton(parent, id, caption, x, y, width, height, style, exStyle, dialogUnits);
        if (!button) {
            return nullptr;
        }
        SendMessageA(button, RRBM_SETCORNER, 5, 0);
        SendMessageA(button, RRBM_SETINTERACTIVE, 1, 0);
        const std::string normal = iconArgument.Text(), hot = hotIconArgument.Text();
        if (!normal.empty() || !hot.empty()) {
            PlaceIcon(button, caption, 12);
            LoadNamedIcon(button, RRBM_LOADIMAGE, normal);
            LoadNamedIcon(button, RRBM_LOADHOTIMAGE, hot);
        }
        return button;
    });
}

extern "C" HWND WINAPI MakeRRButtonURL(HWND parent,
                                       LONG id,
                                       BSTR text,
                                       LONG x,
                                       LONG y,
                                       LONG width,
                                       LONG height,
                                       DWORD style,
                                       DWORD exStyle,
                                       BSTR icon,
                                       BSTR pressedIcon,
                                       BSTR disabledIcon,
                                       LONG dialogUnits) {
    BstrArgument textArgument(text), iconArgument(icon), pressedIconArgument(pressedIcon),
        disabledIconArgument(disabledIcon);
    return NoThrow<HWND>(nullptr, [&]() -> HWND {
        const std::string caption = textArgument.Text();
        HWND button = CreateButton(parent, id, caption, x, y, width, height, style, exStyle, dialogUnits);
        if (!button) {
            return nullptr;
        }
        RRButtonRecord* record = RRButtonRecordOf(button);
        SendMessageA(button, RRBM_SETCURSOR, 0, reinterpret_cast<LPARAM>(HandCursor(record->resourceModule)));
        const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
        SendMessageA(button, RRBM_SETSTATICLOOK, 1, 0);
        SendMessageA(button, RRBM_SETFACECOLOR, GetSysColor(COLOR_BTNFACE), 0);
        SendMessageA(button, RRBM_SETTEXTCOLOR, blue, 0);
        SendMessageA(button, RRBM_SETHOTTEXTCOLOR, blue, 0);
        SendMessageA(button, RRBM_SETPRESSEDTEXTCOLOR, red, 0);
        SendMessageA(button, RRBM_SETINTERACTIVE, 1, 0);
        const std::string normal = iconArgument.Text(), pressed = pressedIconArgument.Text();
        if (!normal.empty() || !pressed.empty()) {
            PlaceIcon(button, caption, 20);
            LoadNamedIcon(button, RRBM_LOADIMAGE, normal);
            LoadNamedIcon(button, RRBM_LOADPRESSEDIMAGE, pressed);
            LoadNamedIcon(button, RRBM_LOADDISABLEDIMAGE, disabledIconArgument.Text());
        }
        record->ownedFont = MakeLinkFont();
        if (record->ownedFont) {
            SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(record->ownedFont), 0);
        }
        return button;
    });
}
