// The Annotation dialog: the note of the clicked cell on the current level, to save, delete or
// leave as it is.
#include <string>

#include "annotations/annotations.h"
#include "app/map_state.h"
#include "app/number_text.h"
#include "dialogs/dialog_layer.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"

namespace {

constexpr LONG kNewMarkerPosition = 2000;

// In creation order, which is the tab order. The comment box takes Enter as a new line and does
// not wrap; the read-outs are disabled so the cell cannot be changed.
constexpr ControlRow kControls[] = {
    {kCommentBox, ControlKind::TextBox, "", "", 5, 30, 140, 100, 0x50211084, WS_EX_CLIENTEDGE},
    {kSaveButton, ControlKind::Button, "", "&Save", 5, 135, 40, 15, 0, 0},
    {kDeleteButton, ControlKind::Button, "", "&Delete", 55, 135, 40, 15, 0, 0},
    {kCancelButton, ControlKind::Button, "", "&Cancel", 105, 135, 40, 15, 0, 0},
    {kHorizontalCaption, ControlKind::Label, "", "Horizontal", 5, 5, 35, 10, 0, 0},
    {kCellXReadout, ControlKind::TextBox, "", "", 5, 15, 35, 13, 0x58010080, WS_EX_CLIENTEDGE},
    {kVerticalCaption, ControlKind::Label, "", "Vertical", 55, 5, 35, 10, 0, 0},
    {kCellYReadout, ControlKind::TextBox, "", "", 55, 15, 35, 13, 0x58010080, WS_EX_CLIENTEDGE},
    {kLevelCaption, ControlKind::Label, "", "Level", 105, 5, 35, 10, 0, 0},
    {kCellLevelReadout, ControlKind::TextBox, "", "", 105, 15, 35, 13, 0x58010080, WS_EX_CLIENTEDGE},
};

// The row the open dialog edits; 0 while Save would make a new note.
int editedRow = 0;
RememberedFocus dialogFocus;

void OnInitDialog(HWND dialog) {
    editedRow = 0;
    dialogFocus = {};  // nothing kept from a dialog that closed while inactive
    SetControlText(dialog, kCellXReadout, TextFromNumber(clickX, kSingleDigits));
    SetControlText(dialog, kCellYReadout, TextFromNumber(clickY, kSingleDigits));
    SetControlText(dialog, kCellLevelReadout, TextFromNumber(playerState.level, kNumberDigits));
    if (int row = annotationTable.FindNote(clickX, clickY, playerState.level)) {
        SetControlText(dialog, kCommentBox, annotationTable.Row(row).comments);
        editedRow = row;
    }
}

void OnSave(HWND dialog) {
    AnnotationRow note{GetControlText(dialog, kCellXReadout), GetControlText(dialog, kCellYReadout),
                       GetControlText(dialog, kCellLevelReadout), GetControlText(dialog, kCommentBox)};
    if (editedRow == 0) {
        int row = annotationTable.AddNote(std::move(note));
        ZD_CloneObject(kAnnotationTemplateSprite, kAnnotationTemplateSprite + row, kNewMarkerPosition,
                       kNewMarkerPosition);
        PlaceMarkers();
    } else {
        annotationTable.Row(editedRow) = std::move(note);  // its marker stays where it is
    }
    SaveAnnotations();
    EndDialogWindow(dialog, 0);
}

// Rewrites the file and places the markers even when the cell had no note.
void OnDelete(HWND dialog) {
    if (editedRow != 0) {
        annotationTable.Row(editedRow) = {};
    }
    SaveAnnotations();
    PlaceMarkers();
    EndDialogWindow(dialog, 0);
}

void OnCommand(HWND dialog, int id, int code) {
    bool clicked = IsClickOrAccelerator(code);
    switch (id) {
        case kSaveButton:
            if (clicked) {
                OnSave(dialog);
            }
            break;
        case kDeleteButton:  // whatever the notification
            OnDelete(dialog);
            break;
        case kCancelButton:
        case IDCANCEL:
            if (clicked) {
                EndDialogWindow(dialog, 0);
            }
            break;
        default:
            break;
    }
}

// Returns 0 on every path, so the dialog manager's default processing always follows.
INT_PTR CALLBACK AnnotationDialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept {
    try {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog(dialog);
                break;
            case WM_NCACTIVATE:
                dialogFocus.OnNcActivate(wParam != 0);
                break;
            case WM_COMMAND:
                OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
                break;
            default:
                break;
        }
    } catch (...) {  // out of memory: the dialog stays as it is
    }
    return 0;
}

}  // namespace

void ShowAnnotationDialog(HWND owner) {
    HWND dialog = CreateDialogWindow(owner, "Annotation", 129, 158, 150, 155, 0, 0);
    if (!dialog) {
        return;
    }
    AddControls(dialog, kControls);
    ShowModal(dialog, AnnotationDialogCallback);
}
