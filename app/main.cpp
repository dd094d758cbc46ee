// KOR: a map viewer that follows the party of the running game.
#include <windows.h>

#include <commctrl.h>

#include "about/about_dialog.h"
#include "app/map_window.h"
#include "common/win_handles.h"
#include "imagectrl/image_control.h"

namespace {

// Through COMCTL32.DLL itself, so a system without InitCommonControlsEx still gets its controls.
void InitCommonControlsOnce() {
    ModuleHandle comctl(LoadLibraryA("COMCTL32.DLL"));
    if (!comctl) {
        return;
    }
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (auto initEx =
            reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(comctl.Get(), "InitCommonControlsEx")))) {
        INITCOMMONCONTROLSEX controls{8, 0x9FF};
        initEx(&controls);
    } else {
        InitCommonControls();
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitCommonControlsOnce();
    ChooseRichEditClass(0);
    RegisterGDImageClass();
    RunMapWindow();
    ChooseRichEditClass(1);
    return 0;
}
