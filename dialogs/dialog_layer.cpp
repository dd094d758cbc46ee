#include "dialogs/dialog_layer.h"

#include <memory>
#include <unordered_map>

#include "common/win_text.h"

namespace {

// Marks the windows the layer created, for FindDialog.
constexpr wchar_t kLayerProperty[] = L"KOR.DialogLayer";
enum LayerMark { kLayerDialog = 1, kLayerControl = 2 };

struct DialogRecord {
    HWND owner = nullptr;
    DialogCallback callback = nullptr;
    int* result = nullptr;
    // The controls the layer added, by id. Under Wine every GetDlgItem asks the wineserver, and the
    // poll touches the Map window's controls four times a second.
    std::unordered_map<int, HWND> controls;
};

DialogRecord* RecordOf(HWND dialog) {
    return reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND ControlOf(HWND dialog, int id) {
    if (DialogRecord* record = RecordOf(dialog)) {
        if (auto control = record->controls.find(id); control != record->controls.end()) {
            return control->second;
        }
    }
    return GetDlgItem(dialog, id);
}

BOOL CALLBACK UnmarkControl(HWND control, LPARAM) {
    RemovePropW(control, kLayerProperty);
    return TRUE;
}

INT_PTR CALLBACK LayerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRecord* record = RecordOf(dialog);
    if (!record) {
        if (message == WM_INITDIALOG) {  // sent during creation, before any control exists
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetPropW(dialog, kLayerProperty, reinterpret_cast<HANDLE>(kLayerDialog));
        }
        return FALSE;
    }
    INT_PTR handled =
        message != WM_ACTIVATE && record->callback ? record->callback(dialog, message, wParam, lParam) : 0;
    switch (message) {
        case WM_DESTROY:
            EnumChildWindows(dialog, UnmarkControl, 0);
            RemovePropW(dialog, kLayerProperty);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            delete record;
            return handled;
        case WM_SYSCOMMAND:
            if (!handled && (wParam & 0xFFF0) == SC_CLOSE) {
                EndDialogWindow(dialog, 0);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return handled;
}

}  // namespace

HWND CreateDialogWindow(HWND owner,
                        const std::string& caption,
                        int x,
                        int y,
                        int width,
                        int height,
                        DWORD style,
                        DWORD exStyle) {
    std::wstring wideCaption = WideFromAnsi(caption);
    std::vector<uint8_t> bytes = BuildDialogTemplate(std::u16string(wideCaption.begin(), wideCaption.end()), x, y,
                                                     width, height, EffectiveDialogStyle(style), exStyle);
    auto record = std::make_unique<DialogRecord>();
    record->owner = owner;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             owner, LayerDialogProc, reinterpret_cast<LPARAM>(record.get()));
    if (dialog) {
        record.release();  // the dialog owns it now and frees it at WM_NCDESTROY
    }
    return dialog;
}

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
                DWORD exStyle) {
    RECT position{x, y, 0, 0};
    RECT size{width, height, 0, 0};
    MapDialogRect(dialog, &position);
    MapDialogRect(dialog, &size);
    ControlStyle effective = EffectiveControlStyle(kind, style, exStyle);
    HWND control = CreateWindowExW(effective.exStyle, WideFromAnsi(ControlClassName(kind, className)).c_str(),
                                   WideFromAnsi(text).c_str(), effective.style, position.left, position.top, size.left,
                                   size.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (control) {
        if (DialogRecord* record = RecordOf(dialog)) {
            record->controls[id] = control;
        }
        SetPropW(control, kLayerProperty, reinterpret_cast<HANDLE>(kLayerControl));
        SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    }
    return control;
}

void AddControls(HWND dialog, std::span<const ControlRow> rows) {
    for (const ControlRow& c : rows) {
        AddControl(dialog, c.kind, c.id, c.className, c.text, c.x, c.y, c.width, c.height, c.style, c.exStyle);
    }
}

void ShowModal(HWND dialog, DialogCallback callback, int* result) {
    DialogRecord* record = RecordOf(dialog);
    if (!record) {
        return;
    }
    record->callback = callback;
    record->result = result;
    HWND owner = record->owner;

    SetForegroundWindow(dialog);
    SendMessageW(dialog, WM_INITDIALOG, 0, 0);
    RECT client{};
    GetClientRect(dialog, &client);
    SendMessageW(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    if (owner) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }

    // The nested loop serves the whole thread, so the timers of other windows keep running. When
    // the queue is empty it tells the owner and waits for the next message rather than spinning.
    MSG message;
    while (IsWindow(dialog)) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (owner) {
                SendMessageW(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            }
            if (IsWindow(dialog)) {
                MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            }
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner && IsWindow(owner)) {
        SetFocus(owner);
    }
}

void EndDialogWindow(HWND dialog, int result) {
    DialogRecord* record = RecordOf(dialog);
    if (!record) {
        return;
    }
    if (record->result) {
        *record->result = result;
    }
    if (record->owner) {
        EnableWindow(record->owner, TRUE);
    }
    DestroyWindow(dialog);
}

void SetControlText(HWND dialog, int id, const std::string& text) {
    SetWindowTextW(ControlOf(dialog, id), WideFromAnsi(text).c_str());
}

std::string GetControlText(HWND dialog, int id) {
    return WindowTextAnsi(ControlOf(dialog, id));
}

void EnableControl(HWND dialog, int id) {
    EnableWindow(ControlOf(dialog, id), TRUE);
}

void DisableControl(HWND dialog, int id) {
    EnableWindow(ControlOf(dialog, id), FALSE);
}

int GetCheckState(HWND dialog, int id) {
    return SendMessageW(ControlOf(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void RememberedFocus::OnNcActivate(bool active) {
    if (!active) {
        focus_ = GetFocus();
    } else if (focus_) {
        SetFocus(focus_);
        focus_ = nullptr;
    }
}

HWND FindDialog(HWND window) {
    for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
        auto mark = reinterpret_cast<INT_PTR>(GetPropW(w, kLayerProperty));
        if (mark == kLayerDialog) {
            return w;
        }
        if (mark != kLayerControl) {
            return nullptr;
        }
    }
    return nullptr;
}
