#include "app/map_window.h"

#include <commctrl.h>

#include <string>

#include "about/about_dialog.h"
#include "annotations/annotations.h"
#include "app/file_exists.h"
#include "app/map_state.h"
#include "common/win_handles.h"
#include "common/win_resources.h"
#include "common/win_text.h"
#include "dialogs/dialog_layer.h"
#include "gamelink/player_poll.h"
#include "imagectrl/image_control.h"
#include "mapview/map_paths.h"
#include "mapview/map_view.h"

namespace {

constexpr char kVersionText[] = "12.24.16";
constexpr UINT kPollPeriod = 250;

// In creation order, which is the tab order; the image control comes last, with the town path.
constexpr ControlRow kMapControls[] = {
    {kHorizontalLabel, ControlKind::Label, "", "Horizontal", 5, 7, 35, 10, 0x50000000, WS_EX_RIGHT},
    {kXReadout, ControlKind::TextBox, "", "", 45, 5, 30, 13, 0x58010080, WS_EX_CLIENTEDGE},
    {kVerticalLabel, ControlKind::Label, "", "Vertical", 75, 7, 35, 10, 0x50000000, WS_EX_RIGHT},
    {kYReadout, ControlKind::TextBox, "", "", 115, 5, 30, 13, 0x58010080, WS_EX_CLIENTEDGE},
    {kLevelLabel, ControlKind::Label, "", "Level", 145, 7, 35, 10, 0x50000000, WS_EX_RIGHT},
    {kLevelReadout, ControlKind::TextBox, "", "", 185, 5, 30, 13, 0x58010080, WS_EX_CLIENTEDGE},
    {kAlternateSetBox, ControlKind::CheckBox, "", "YEL Version", 230, 7, 65, 10, 0, 0},
    {kAboutButton, ControlKind::Button, "", "&About", 315, 5, 50, 15, 0, 0},
    {kExitButton, ControlKind::Button, "", "E&xit", 375, 5, 50, 15, 0, 0},
    {kZoomSlider, ControlKind::Custom, "msctls_trackbar32", "msctls_trackbar32_1", 0, 25, 15, 390, 0x50010003, 0},
};

RememberedFocus rememberedFocus;

// A sprite of the image control from a PNG resource, parked until it is placed. The control keeps
// its own copy of the pixels.
void CreateSprite(HWND image, const char* resource, LONG id, LONG angle) {
    BitmapHandle bitmap(ZI_LoadBitmap(resource));
    ZD_DrawBitmapToCtrl(image, kParked, kParked, bitmap.Get(), ZD_ColorARGB(255, 0), id, 1);
    ZD_UsePngOpacity(id, 1);
    ZD_SetObjectAngle(id, angle, 1);
    ZD_SetObjectScroll(id, 1);
    ZD_SetObjectLocked(id, 1);
    ZD_SetObjectQuality(id, 0, 0);
}

void OnInitDialog(HWND window) {
    ZI_SetAnchorMode(GetDlgItem(window, kExitButton), 2);
    ZI_SetAnchorMode(GetDlgItem(window, kAboutButton), 2);
    ZI_SetAnchorMode(GetDlgItem(window, kZoomSlider), 4);
    HWND image = GetDlgItem(window, kImageControl);
    ZI_SetProperty(image, 11, 1);
    ZI_SetAnchorMode(image, 5);
    CreateSprite(image, "BMP_ARROW", kArrowSprite, 180);
    CreateSprite(image, "BMP_ANNOTATE", kAnnotationTemplateSprite, 0);
    LoadAnnotations();
    SetTimer(window, kPollTimer, kPollPeriod, nullptr);
    // The first poll runs as soon as the window is up rather than a period later.
    PostMessageW(window, WM_TIMER, kPollTimer, 0);
}

// The window cannot be made smaller than it opens: 444 x 419 dialog units are 666 x 681 pixels
// with the dialog font at 96 dots per inch.
void SetMinimumTrackSize(MINMAXINFO* info) {
    RECT frame;
    SetRect(&frame, 0, 0, 666, 681);
    AdjustWindowRectEx(&frame, 0x00CF0000, FALSE, 0x00040100);
    info->ptMinTrackSize.x = frame.right - frame.left;
    info->ptMinTrackSize.y = frame.bottom - frame.top;
}

void OnCommand(HWND window, int id, int code) {
    if (!IsClickOrAccelerator(code)) {
        return;
    }
    switch (id) {
        case kAlternateSetBox:
            ReloadMapForCheckbox(window);
            break;
        case kAboutButton:
            ShowAboutDialog(window);
            break;
        case kExitButton:
        case IDCANCEL:
            EndDialogWindow(window, 0);
            break;
        default:
            break;
    }
}

void ShowMissingTownError() {
    MessageBoxW(nullptr,
                L"KOR needs to have the original\r\n"
                L"directory structure retained\r\n"
                L"while unarchiving.\r\n"
                L"\r\n"
                L"Read the KOR.txt for more\r\n"
                L"information.",
                L"WEX", MB_OK | MB_ICONERROR);
}

}  // namespace

HWND BuildMapWindow() {
    HWND window = CreateDialogWindow(nullptr, std::string("Vorkal Map Viewer v") + kVersionText, 43, 58, 444, 419,
                                     0x94CF00D4, WS_EX_CONTROLPARENT);
    AddControls(window, kMapControls);
    AddControl(window, ControlKind::Custom, kImageControl, "ZIMAGECTRL", townPath, 15, 25, 423, 391, 0x50000000, 0);
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), "CHEST")) {
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    return window;
}

INT_PTR CALLBACK MapWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(window);
            break;
        case WM_GETMINMAXINFO:
            SetMinimumTrackSize(reinterpret_cast<MINMAXINFO*>(lParam));
            break;
        case WM_TIMER:
            if (wParam == kPollTimer) {
                PollPlayerState(window);
            }
            break;
        case WM_VSCROLL:
            if (LOWORD(wParam) <= TB_ENDTRACK) {  // every trackbar code, dragging included
                ApplySliderZoom(window);
            }
            break;
        case WM_RBUTTONDOWN:  // forwarded by the image control, which comes as `window`
            CellFromClick(window, lParam);
            break;
        case WM_LBUTTONDOWN:  // forwarded by the image control; nothing to do
            break;
        case WM_PALETTECHANGED:
            if (reinterpret_cast<HWND>(wParam) != window) {
                RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
            break;
        case WM_NCACTIVATE:
            rememberedFocus.OnNcActivate(wParam != 0);
            break;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            break;
        default:
            break;
    }
    return 0;
}

void RunMapWindow() {
    townPath = TownPicturePath(CurrentDirectoryAnsi());
    if (!FileExists(townPath)) {
        ShowMissingTownError();
        return;
    }
    townPath += "<fit>";
    HWND window = BuildMapWindow();
    mapWindow = window;
    ModuleHandle richEdit(LoadLibraryA("RICHED32.DLL"));
    if (richEdit) {
        SetAboutText(std::string(ResourceBytes("RTFABOUT")));  // byte for byte; empty if missing
    }
    ZI_EventMessage(MapWindowCallback, WM_LBUTTONDOWN, 1);
    ZI_EventMessage(MapWindowCallback, WM_RBUTTONDOWN, 1);
    ShowModal(window, MapWindowCallback);
    mapWindow = nullptr;
}
