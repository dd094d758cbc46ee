// A test DLL that kor_exports_wintest loads into a running KOR.exe. On a thread of its own it
// calls KOR.exe's five exports the way another module of the process would, through
// GetProcAddress, with BSTRs of its own, and counts the BSTR frees on KOR.exe's import of
// SysFreeString. It writes one line per check to export_probe.txt in the current directory and
// returns the number of failed checks.
#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rrbutton/rrbutton.h"
#include "rrbutton/test_hooks.h"
#include "rrbutton/test_support.h"

namespace {

using InitFunction = void(WINAPI*)();
using CreateFunction = HWND(WINAPI*)(HWND, LONG, BSTR, LONG, LONG, LONG, LONG, DWORD, DWORD, LONG);
using MakeFunction = HWND(WINAPI*)(HWND, LONG, BSTR, LONG, LONG, LONG, LONG, DWORD, DWORD, BSTR, BSTR, LONG);
using MakeUrlFunction = HWND(WINAPI*)(HWND, LONG, BSTR, LONG, LONG, LONG, LONG, DWORD, DWORD, BSTR, BSTR, BSTR, LONG);
using FileExistsFunction = LONG(WINAPI*)(BSTR);

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

class Probe {
public:
    explicit Probe(FILE* report) : report_(report) {}
    void Check(bool ok, const std::string& what) {
        std::fprintf(report_, "%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
        failures_ += ok ? 0 : 1;
    }
    DWORD Failures() const { return failures_; }

private:
    FILE* report_;
    DWORD failures_ = 0;
};

template <typename F>
F Find(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The button's record, through its extra bytes as every module reaches it.
const RRButtonRecord* RecordOf(HWND button) {
    return button ? reinterpret_cast<const RRButtonRecord*>(GetWindowLongPtrA(button, 0)) : nullptr;
}

std::string ClassOf(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void RunChecks(Probe& probe) {
    HMODULE kor = GetModuleHandleA("KOR.EXE");
    probe.Check(kor != nullptr, "KOR.EXE is loaded in this process");
    if (!kor) {
        return;
    }
    auto init = Find<InitFunction>(kor, "InitRRButtonClass");
    auto create = Find<CreateFunction>(kor, "CreateRRButton");
    auto make = Find<MakeFunction>(kor, "MakeRRButton");
    auto makeUrl = Find<MakeUrlFunction>(kor, "MakeRRButtonURL");
    auto fileExists = Find<FileExistsFunction>(kor, "FileExists");
    probe.Check(init && create && make && makeUrl && fileExists, "all five exports found by name");
    if (!(init && create && make && makeUrl && fileExists)) {
        return;
    }
    BstrFreeLog log(kor);
    probe.Check(log.Patched() > 0, "KOR.exe imports SysFreeString");

    init();
    init();
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    probe.Check(GetClassInfoExA(kor, kRRButtonClass, &info) && (info.style & CS_GLOBALCLASS),
                "InitRRButtonClass registers the global class RRBUTTON in KOR.exe");

    // A window of this thread, made with KOR.exe's instance so that buttons find its resources.
    HWND parent =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 400, 200, nullptr, nullptr, kor, nullptr);
    probe.Check(parent != nullptr, "a parent window of the probe's own thread");

    std::vector<BSTR> texts{AnsiBstr("Plain")};
    log.Clear();
    HWND plain = create(parent, 11, texts[0], 10, 10, 80, 24, kStyle, 0, 0);
    char caption[16] = {};
    GetWindowTextA(plain, caption, sizeof caption);
    probe.Check(
        plain && ClassOf(plain) == kRRButtonClass && std::string(caption) == "Plain" && GetDlgCtrlID(plain) == 11,
        "CreateRRButton makes a button with its text and id");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1} && log.Freed().size() == 1,
                "CreateRRButton frees its text once");

    texts = {AnsiBstr("Lost")};
    log.Clear();
    HWND lost = create(parent, 12, texts[0], 4, 8, 8, 8, kStyle, 0, 1);
    RECT rect{};
    GetWindowRect(lost, &rect);
    probe.Check(lost && rect.right == rect.left && rect.bottom == rect.top,
                "dialog units without a dialog of KOR.exe's layer give 0 x 0");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1}, "and the text is freed once");

    texts = {AnsiBstr("None"), AnsiBstr("a.ico"), AnsiBstr("b.ico"), AnsiBstr("c.ico")};
    log.Clear();
    HWND bad = reinterpret_cast<HWND>(0x4321);
    probe.Check(!create(bad, 1, texts[0], 0, 0, 9, 9, kStyle, 0, 0) &&
                    !make(bad, 1, texts[1], 0, 0, 9, 9, kStyle, 0, texts[2], texts[3], 0),
                "no button without a parent window");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1, 1, 1, 1} && log.Freed().size() == 4,
                "and every text is still freed once");

    texts = {AnsiBstr("Chest"), AnsiBstr("CHEST"), AnsiBstr("")};
    log.Clear();
    HWND withIcon = make(parent, 13, texts[0], 10, 40, 100, 30, kStyle, 0, texts[1], texts[2], 0);
    const RRButtonRecord* record = RecordOf(withIcon);
    probe.Check(record && record->image && record->imagePos == -4 && record->textMarginLeft == 12,
                "MakeRRButton loads KOR.exe's CHEST icon by name and places it left of the text");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1, 1, 1}, "MakeRRButton frees its three texts once");

    texts = {AnsiBstr("Link"), AnsiBstr("CHEST"), AnsiBstr("CHEST"), AnsiBstr("CHEST")};
    log.Clear();
    HWND link = makeUrl(parent, 14, texts[0], 10, 80, 100, 30, kStyle, 0, texts[1], texts[2], texts[3], 0);
    record = RecordOf(link);
    HCURSOR hand = LoadCursorA(kor, "HAND");
    probe.Check(hand != nullptr, "KOR.exe carries a HAND cursor");
    probe.Check(record && record->cursor == hand && record->ownedFont && record->font == record->ownedFont &&
                    record->staticLook == 1 && record->interactive == 1 && record->image && record->pressedImage &&
                    record->disabledImage,
                "MakeRRButtonURL makes a link with KOR.exe's hand, its own font and three icons");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1, 1, 1, 1}, "MakeRRButtonURL frees its four texts once");

    log.Clear();
    HWND nulls = makeUrl(parent, 15, nullptr, 10, 120, 100, 30, kStyle, 0, nullptr, nullptr, nullptr, 0);
    probe.Check(nulls && log.Freed().empty(), "null texts count as empty and nothing is freed");

    texts = {AnsiBstr("Levels\\town.jpg"), AnsiBstr("Levels\\*.jpg"), AnsiBstr("Levels\\nothing.here"),
             AnsiBstr("Levels")};
    log.Clear();
    probe.Check(fileExists(texts[0]) == 1 && fileExists(texts[1]) == 1 && fileExists(texts[2]) == 0 &&
                    fileExists(texts[3]) == 0 && fileExists(nullptr) == 0,
                "FileExists finds files, wildcards too, and no folders");
    probe.Check(log.TimesFreed(texts) == std::vector<int>{1, 1, 1, 1} && log.Freed().size() == 4,
                "FileExists frees its path once");

    DestroyWindow(parent);
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI RunExportProbe(LPVOID) {
    FILE* report = std::fopen("export_probe.txt", "w");
    if (!report) {
        return 1000;
    }
    Probe probe(report);
    try {
        RunChecks(probe);
    } catch (...) {
        probe.Check(false, "an exception");
    }
    std::fclose(report);
    return probe.Failures();
}
