// The dialog layer: every window of the program is a dialog built at run time from an in-memory
// template, with its controls added one by one, run modally by a nested message loop of our own.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "dialogs/dialog_template.h"

// A dialog callback sees every message of its dialog except WM_ACTIVATE. A nonzero result counts as
// handled; on 0, SC_CLOSE ends the dialog with result 0 and everything else gets the dialog
// manager's default processing.
using DialogCallback = INT_PTR(CALLBACK*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Create dialog: hidden and modeless; x and y are relative to the owner's client area when there
// is an owner, else a screen position; geometry in dialog units.
HWND CreateDialogWindow(HWND owner,
                        const std::string& caption,
                        int x,
                        int y,
                        int width,
                        int height,
                        DWORD style,
                        DWORD exStyle);

// Add control: a child with the id, the kind's styles, the rectangle mapped from dialog units,
// and the dialog's font. The order of creation is the tab order.
HWND AddControl(HWND dialog,
                ControlKind kind,
                int id,
                const std::string& className,
                const std::string& text,
                int x,
                int y,
                int width,
                int height,
                DWORD style,
                DWORD exStyle);

// One control of a dialog's table; an empty class name means the kind's own class.
struct ControlRow {
    int id;
    ControlKind kind;
    const char* className;
    const char* text;
    int x, y, width, height;
    DWORD style, exStyle;
};

// Adds the rows in order, which makes it the tab order.
void AddControls(HWND dialog, std::span<const ControlRow> rows);

// Show modal: calls the callback with WM_INITDIALOG and WM_SIZE, disables the owner, shows the
// dialog and dispatches the whole thread's messages until the dialog is destroyed. Afterwards the
// focus goes back to the owner. `result` receives the value given to EndDialogWindow.
void ShowModal(HWND dialog, DialogCallback callback, int* result = nullptr);

// End dialog: stores the result, enables the owner again and destroys the dialog.
void EndDialogWindow(HWND dialog, int result);

// The WM_COMMAND codes the dialogs act on: a button's click, or an accelerator (1).
inline bool IsClickOrAccelerator(int code) {
    return code == BN_CLICKED || code == 1;
}

void SetControlText(HWND dialog, int id, const std::string& text);
std::string GetControlText(HWND dialog, int id);
void EnableControl(HWND dialog, int id);
void DisableControl(HWND dialog, int id);
// 0 unchecked, 1 checked (BM_GETCHECK).
int GetCheckState(HWND dialog, int id);

// The keyboard focus of a dialog across its deactivation: its callback passes WM_NCACTIVATE's
// wParam; the focus is remembered when the dialog goes inactive and given back when it comes back.
class RememberedFocus {
public:
    void OnNcActivate(bool active);

private:
    HWND focus_ = nullptr;
};

// Find dialog: the layer's dialog that holds `window`, following parents through windows the layer
// created; nullptr when the search meets a window the layer did not create.
HWND FindDialog(HWND window);
