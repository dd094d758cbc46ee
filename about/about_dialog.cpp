#include "about/about_dialog.h"

#include <richedit.h>
#include <shellapi.h>

#include <cstdio>

#include "about/about_stream.h"
#include "about/rich_edit_support.h"
#include "about/web_addresses.h"
#include "common/win_handles.h"
#include "dialogs/dialog_layer.h"

namespace {

constexpr int kViewerId = 9000;
constexpr int kWebButtonId = 9001;
constexpr int kCloseButtonId = 9002;

// Read-only, multi-line, always with a vertical scroll bar (disabled while the text fits).
constexpr DWORD kViewerStyle = 0x5021A944;
constexpr DWORD kDialogStyle = 0x94C800D4;
constexpr DWORD kDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;

struct RichEditLibrary {
    const char* file;
    const char* windowClass;
};
// Newest first.
constexpr RichEditLibrary kRichEditLibraries[] = {
    {"MSFTEDIT.DLL", "RichEdit50W"},
    {"RICHED20.DLL", "RichEdit20A"},
    {"RICHED32.DLL", "RichEdit"},
};

ModuleHandle richEditLibrary;
std::string richEditClass;

std::string aboutText;
AboutTextStream aboutStream;

OpenWebAddressFunction openWebAddress = &ShellExecuteA;

DWORD CALLBACK AboutStreamCallback(DWORD_PTR, LPBYTE buffer, LONG requested, LONG* count) {
    int32_t handedOut = 0;
    DWORD result = aboutStream.Next(buffer, requested, &handedOut);
    *count = handedOut;
    return result;
}

void StreamAboutText(HWND viewer) {
    aboutStream.Start(aboutText);
    EDITSTREAM stream{0, 0, &AboutStreamCallback};
    // What the viewer takes before any error stays; nothing is reported.
    SendMessageA(viewer, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void OnWebButton() {
    char url[sizeof(kMakerHost) + 8];  // no allocation, so nothing can throw out of the callback
    std::snprintf(url, sizeof(url), "http://%s", kMakerHost);
    openWebAddress(nullptr, nullptr, url, nullptr, nullptr, SW_SHOWNORMAL);
}

void OnCommand(HWND dialog, int id, int code) {
    if (id == kWebButtonId && IsClickOrAccelerator(code)) {
        OnWebButton();  // the dialog stays open, whether the browser came up or not
    } else if ((id == kCloseButtonId && IsClickOrAccelerator(code)) || (id == IDCANCEL && code == BN_CLICKED)) {
        EndDialogWindow(dialog, 0);
    }
}

INT_PTR CALLBACK AboutDialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

std::string ChooseRichEditClass(int release) {
    if (release != 0) {
        richEditLibrary.Reset();
        return {};
    }
    if (!richEditLibrary) {
        richEditClass = "Edit";
        for (const RichEditLibrary& library : kRichEditLibraries) {
            richEditLibrary.Reset(LoadLibraryA(library.file));
            if (richEditLibrary) {
                richEditClass = library.windowClass;
                break;
            }
        }
    }
    return richEditClass;
}

void ShowAboutDialog(HWND owner) {
    HWND dialog = CreateDialogWindow(owner, "Information", 71, 102, 387, 174, kDialogStyle, kDialogExStyle);
    if (!dialog) {
        return;
    }
    HWND viewer = AddControl(dialog, ControlKind::Custom, kViewerId, ChooseRichEditClass(0), "", 4, 4, 379, 146,
                             kViewerStyle, WS_EX_CLIENTEDGE);
    AddControl(dialog, ControlKind::Button, kWebButtonId, "", kMakerHost, 6, 158, 160, 10, 0, 0);
    AddControl(dialog, ControlKind::Button, kCloseButtonId, "", "&Close", 305, 155, 48, 14, 0, 0);
    if (viewer) {
        InstallViewerInputFilter(viewer);
        InstallOleCallback(viewer);
        if (!aboutText.empty()) {
            StreamAboutText(viewer);
        }
    }
    ShowModal(dialog, AboutDialogCallback);
}

void SetAboutText(std::string text) {
    aboutText = std::move(text);
}

void SetOpenWebAddressFunction(OpenWebAddressFunction open) {
    openWebAddress = open;
}
