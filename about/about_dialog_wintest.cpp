#include "about/about_dialog.h"

#include <gtest/gtest.h>
#include <richedit.h>
#include <richole.h>

#include <functional>
#include <string>
#include <vector>

#include "about/about_document.h"
#include "about/rich_edit_support.h"
#include "about/web_addresses.h"
#include "app/map_state.h"
#include "app/map_window.h"
#include "common/dib.h"
#include "common/win_handles.h"
#include "common/win_text.h"
#include "dialogs/dialog_layer.h"
#include "imagectrl/image_control.h"
#include "tools/testkit/dialog_checks.h"
#include "tools/testkit/kor_session.h"
#include "tools/testkit/ui_script.h"

namespace {

constexpr int kViewerId = 9000, kWebButtonId = 9001, kCloseButtonId = 9002;
constexpr COLORREF kAutomatic = 0xFF000000;  // stands for the system's text colour, which black text has

struct ShellCall {
    HWND window;
    bool verbGiven, parametersGiven, directoryGiven;
    std::string file;
    int show;
};
std::vector<ShellCall> shellCalls;

// Stands in for the shell and fails the way a machine without a browser does.
HINSTANCE WINAPI RecordShellCall(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    shellCalls.push_back({window, verb != nullptr, parameters != nullptr, directory != nullptr, file, show});
    return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
}

// Steps run while a modal window is up (tools/testkit/ui_script.h) are given the About dialog.
constexpr wchar_t kAboutCaption[] = L"Information";

void CloseAbout(HWND about) {
    PostMessageW(about, WM_COMMAND, MAKEWPARAM(kCloseButtonId, BN_CLICKED), 0);
}

// A last step: the user clicks Close.
bool Close(HWND about) {
    SendDlgItemMessageW(about, kCloseButtonId, BM_CLICK, 0, 0);
    return true;
}

int ownerTicks;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        ++ownerTicks;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}
DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}
DWORD ExStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
}

// The viewer's text as the control holds it, one CR per paragraph.
std::wstring ViewerText(HWND viewer) {
    std::wstring text(SendMessageW(viewer, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    text.resize(
        SendMessageW(viewer, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

long ObjectCount(HWND viewer) {
    ComPtr<IRichEditOle> ole;
    if (!SendMessageW(viewer, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(ole.Put())) || !ole) {
        return -1;
    }
    return ole->GetObjectCount();
}

CHARRANGE Selection(HWND viewer) {
    CHARRANGE range{};
    SendMessageW(viewer, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

// The character format of `length` characters at `at`.
CHARFORMAT2W FormatAt(HWND viewer, LONG at, LONG length) {
    CHARRANGE range{at, at + length};
    SendMessageW(viewer, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    SendMessageW(viewer, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

void SetKey(int key, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

class AboutDialog : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.lpszClassName = L"AboutTestOwner";
        RegisterClassW(&windowClass);
        ChooseRichEditClass(0);
        SetOpenWebAddressFunction(RecordShellCall);
    }

    void SetUp() override {
        SetAboutText(BuildAboutDocument());
        shellCalls.clear();
        owner_ = CreateWindowExW(0, L"AboutTestOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 700, 500,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(owner_);
        SetForegroundWindow(owner_);
        SetTimer(owner_, 1, 10, nullptr);  // stands in for the Map window's poll
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Opens the About dialog over the owner and runs `script` in it.
    void RunAbout(std::vector<DialogStep> script) {
        RunWithDialogSteps([&] { ShowAboutDialog(owner_); }, kAboutCaption, std::move(script), CloseAbout);
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }

    HWND owner_ = nullptr;
};

}  // namespace

TEST_F(AboutDialog, HasItsCaptionGeometryControlsAndTabOrder) {
    RunAbout({[&](HWND dialog) {
                  wchar_t caption[32] = {};
                  GetWindowTextW(dialog, caption, 32);
                  EXPECT_STREQ(caption, L"Information");
                  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
                  EXPECT_EQ(StyleOf(dialog), 0x94C800D4u);
                  // The dialog manager marks a modal frame in the extended style too.
                  EXPECT_EQ(ExStyleOf(dialog) & ~WS_EX_DLGMODALFRAME, 0x10100u);

                  ExpectDialogPlacement(dialog, owner_, {71, 102, 387, 174});
                  // No default button: both are plain push buttons.
                  const ExpectedControl controls[] = {
                      {kViewerId, L"RichEdit50W", nullptr, {4, 4, 379, 146}, 0x5021A944, WS_EX_CLIENTEDGE},
                      {kWebButtonId, L"Button", kMakerHost, {6, 158, 160, 10}, 0x50010000, 0},
                      {kCloseButtonId, L"Button", "&Close", {305, 155, 48, 14}, 0x50010000, 0},
                  };
                  for (const ExpectedControl& c : controls) {
                      ExpectControl(dialog, GetDlgItem(dialog, c.id), c);
                  }

                  HWND viewer = GetDlgItem(dialog, kViewerId);
                  EXPECT_EQ(GetFocus(), viewer);  // the first tab stop
                  HWND tab = GetNextDlgTabItem(dialog, nullptr, FALSE);
                  EXPECT_EQ(tab, viewer);
                  tab = GetNextDlgTabItem(dialog, tab, FALSE);
                  EXPECT_EQ(tab, GetDlgItem(dialog, kWebButtonId));
                  tab = GetNextDlgTabItem(dialog, tab, FALSE);
                  EXPECT_EQ(tab, GetDlgItem(dialog, kCloseButtonId));
                  EXPECT_EQ(GetNextDlgTabItem(dialog, tab, FALSE), viewer);
                  return true;
              },
              Close});
}

TEST_F(AboutDialog, DisablesTheOwnerWhoseTimerKeepsTicking) {
    static int ticksAtOpen;
    RunAbout({[&](HWND) {
                  EXPECT_FALSE(IsWindowEnabled(owner_));
                  ticksAtOpen = ownerTicks;
                  return true;
              },
              [&](HWND) { return ownerTicks >= ticksAtOpen + 3; }, Close});
}

TEST_F(AboutDialog, ShowsTheWholeFormattedDocumentWithItsPictureAtEveryOpening) {
    std::vector<std::wstring> texts;
    for (int opening = 0; opening < 2; ++opening) {
        RunAbout({[&](HWND dialog) {
                      HWND viewer = GetDlgItem(dialog, kViewerId);
                      std::wstring text = ViewerText(viewer);
                      texts.push_back(text);
                      EXPECT_GT(text.size(), 2500u);
                      EXPECT_EQ(text.rfind(L"KOR, the Vorkal Map Viewer", 0), 0u);
                      EXPECT_NE(text.find(L"Release history"), std::wstring::npos);
                      EXPECT_EQ(ObjectCount(viewer), 1);  // the separator picture

                      PARAFORMAT2 paragraph{};
                      paragraph.cbSize = sizeof(paragraph);
                      FormatAt(viewer, 0, 0);
                      SendMessageW(viewer, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
                      EXPECT_EQ(paragraph.wAlignment, PFA_CENTER);  // the title

                      const struct {
                          const wchar_t* text;
                          COLORREF colour;
                          DWORD effects;
                          LONG twips;
                      } runs[] = {
                          {L"KOR, the Vorkal", kAutomatic, CFE_BOLD, 320},
                          {L"by the KOR developers", kAutomatic, CFE_BOLD, 240},
                          {L"Trademarks", RGB(255, 0, 0), CFE_BOLD, 280},
                          {L"Release history", RGB(255, 0, 0), CFE_BOLD, 280},
                          {L"Buttons and keys", kAutomatic, CFE_BOLD, 240},
                          {L"KOR shows the map", kAutomatic, 0, 240},
                          {L"\x2022\tShow a note", RGB(0, 128, 128), 0, 240},  // a teal bullet
                      };
                      for (const auto& r : runs) {
                          size_t at = text.find(r.text);
                          if (at == std::wstring::npos) {
                              ADD_FAILURE() << "not found";
                              continue;
                          }
                          CHARFORMAT2W format = FormatAt(viewer, static_cast<LONG>(at), 1);
                          if (r.colour == kAutomatic) {
                              EXPECT_TRUE(format.dwEffects & CFE_AUTOCOLOR) << r.text;
                          } else {
                              EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR) << r.text;
                              EXPECT_EQ(format.crTextColor, r.colour) << r.text;
                          }
                          EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_UNDERLINE), r.effects) << r.text;
                          EXPECT_EQ(format.yHeight, r.twips) << r.text;
                      }
                      return true;
                  },
                  Close});
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], texts[1]);
}

TEST_F(AboutDialog, OnlyNavigationKeysReachTheViewerAndLeftClicksSelectNothing) {
    static std::wstring text;
    static LRESULT firstLine;
    static CHARRANGE caret;
    auto viewerOf = [](HWND dialog) { return GetDlgItem(dialog, kViewerId); };
    RunAbout({
        [&](HWND dialog) {
            HWND viewer = viewerOf(dialog);
            text = ViewerText(viewer);
            SetKey(VK_CONTROL, true);
            PostMessageW(viewer, WM_KEYDOWN, 'A', 0);
            PostMessageW(viewer, WM_KEYDOWN, 'C', 0);
            PostMessageW(viewer, WM_KEYUP, VK_CONTROL, 0);
            for (WPARAM key : {WPARAM('X'), WPARAM(VK_DELETE), WPARAM(VK_BACK), WPARAM(VK_RETURN)}) {
                PostMessageW(viewer, WM_KEYDOWN, key, 0);
            }
            PostMessageW(viewer, WM_CHAR, 'x', 0);
            return true;
        },
        [&](HWND dialog) {
            HWND viewer = viewerOf(dialog);
            SetKey(VK_CONTROL, false);
            CHARRANGE selection = Selection(viewer);
            EXPECT_EQ(selection.cpMin, 0) << "Ctrl+A selects nothing";
            EXPECT_EQ(selection.cpMax, 0);
            EXPECT_EQ(ViewerText(viewer), text);
            PostMessageW(viewer, WM_KEYDOWN, VK_NEXT, 0);
            return true;
        },
        [&](HWND dialog) {
            HWND viewer = viewerOf(dialog);
            firstLine = SendMessageW(viewer, EM_GETFIRSTVISIBLELINE, 0, 0);
            EXPECT_GT(firstLine, 0) << "Page Down scrolls";
            SetKey(VK_SHIFT, true);
            PostMessageW(viewer, WM_KEYDOWN, VK_NEXT, 0);
            return true;
        },
        [&](HWND dialog) {
            HWND viewer = viewerOf(dialog);
            SetKey(VK_SHIFT, false);
            EXPECT_EQ(SendMessageW(viewer, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine) << "Shift+Page Down is kept out";
            PostMessageW(viewer, WM_KEYDOWN, VK_PRIOR, 0);
            return true;
        },
        [&](HWND dialog) {
            HWND viewer = viewerOf(dialog);
            EXPECT_LT(SendMessageW(viewer, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine) << "Page Up scrolls back";
            caret = Selection(viewer);
            // A drag and a double click over the text.
            PostMessageW(viewer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
            PostMessageW(viewer, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 80));
            PostMessageW(viewer, WM_LBUTTONUP, 0, MAKELPARAM(300, 80));
            PostMessageW(viewer, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 40));
            PostMessageW(viewer, WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
            return true;
        },
        [&](HWND dialog) {
            CHARRANGE selection = Selection(viewerOf(dialog));
            EXPECT_EQ(caret.cpMin, caret.cpMax);
            EXPECT_EQ(selection.cpMin, caret.cpMin) << "a left click selects nothing";
            EXPECT_EQ(selection.cpMax, caret.cpMax);
            return true;
        },
        Close,
    });
}

TEST_F(AboutDialog, TheWebButtonOpensTheMakersAddressAndTheDialogStays) {
    RunAbout({[&](HWND dialog) {
                  SendDlgItemMessageW(dialog, kWebButtonId, BM_CLICK, 0, 0);
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kWebButtonId, 1), 0);  // from an accelerator
                  // Ignored: other notification codes, OK, and IDCANCEL that did not come from Esc.
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kWebButtonId, 2), 0);
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCloseButtonId, 5), 0);
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
                  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), 0);
                  return true;
              },
              [&](HWND dialog) {
                  EXPECT_TRUE(IsWindowVisible(dialog));
                  EXPECT_FALSE(IsWindowEnabled(owner_));
                  return Close(dialog);
              }});
    ASSERT_EQ(shellCalls.size(), 2u);
    for (const ShellCall& call : shellCalls) {
        EXPECT_EQ(call.window, nullptr);
        EXPECT_FALSE(call.verbGiven);
        EXPECT_EQ(call.file, std::string("http://") + kMakerHost);
        EXPECT_FALSE(call.parametersGiven);
        EXPECT_FALSE(call.directoryGiven);
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
}

TEST_F(AboutDialog, CloseEscAndTheCloseBoxEndIt) {
    const std::function<void(HWND)> ways[] = {
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, kCloseButtonId), BM_CLICK, 0, 0); },
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCloseButtonId, 1), 0); },
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, kViewerId), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& way : ways) {
        RunAbout({[&](HWND dialog) {
            way(dialog);
            return true;
        }});
    }
}

TEST_F(AboutDialog, AnEmptyOrBrokenTextLeavesWhatTheViewerTook) {
    const struct {
        std::string text;
        std::wstring shown;
    } cases[] = {
        {"", L""},
        {"{\\rtf1\\ansi Kept before the break.\\par {\\b and this", L"Kept before the break.\rand this"},
    };
    for (const auto& c : cases) {
        SetAboutText(c.text);
        RunAbout({[&](HWND dialog) {
                      HWND viewer = GetDlgItem(dialog, kViewerId);
                      EXPECT_EQ(ViewerText(viewer).substr(0, c.shown.size()), c.shown);
                      EXPECT_LE(ViewerText(viewer).size(), c.shown.size() + 1);
                      // The scroll bar stays, disabled while the text fits.
                      EXPECT_TRUE(StyleOf(viewer) & WS_VSCROLL);
                      SCROLLBARINFO bar{};
                      bar.cbSize = sizeof(bar);
                      EXPECT_TRUE(GetScrollBarInfo(viewer, OBJID_VSCROLL, &bar));
                      EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
                      EXPECT_TRUE(bar.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);  // both arrows
                      EXPECT_TRUE(bar.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
                      return true;
                  },
                  Close});
    }
}

namespace {

// Set in a copy of this program that runs with every rich-edit library switched off.
constexpr char kWithoutRichEdit[] = "KOR_ABOUT_WITHOUT_RICH_EDIT";
constexpr char kCopyName[] = "about_without_rich_edit.exe";

// Starts a copy of this program, for which Wine's per-program settings switch off the three
// rich-edit libraries, to run `test` there; returns the copy's exit code.
DWORD RunWithoutRichEdit(const std::string& test) {
    char self[MAX_PATH], folder[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, folder);
    const std::string copy = std::string(folder) + kCopyName;
    const std::string settings = std::string("Software\\Wine\\AppDefaults\\") + kCopyName;
    auto cleanUp = [&] {
        RegDeleteTreeA(HKEY_CURRENT_USER, settings.c_str());
        DeleteFileA(copy.c_str());
        SetEnvironmentVariableA(kWithoutRichEdit, nullptr);
    };
    ScopeExit cleanUpAtEnd(cleanUp);
    if (!CopyFileA(self, copy.c_str(), FALSE)) {
        return GetLastError();
    }
    HKEY overrides = nullptr;
    LONG error = RegCreateKeyExA(HKEY_CURRENT_USER, (settings + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                 nullptr, &overrides, nullptr);
    if (error != ERROR_SUCCESS) {
        return static_cast<DWORD>(error);
    }
    {
        ScopeExit closeOverrides([&] { RegCloseKey(overrides); });
        for (const char* library : {"msftedit", "riched20", "riched32"}) {
            RegSetValueExA(overrides, library, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);  // empty: off
        }
    }
    SetEnvironmentVariableA(kWithoutRichEdit, "1");

    ChildProcess child(WideFromAnsi(copy), L"--gtest_filter=" + WideFromAnsi(test),
                       WideFromAnsi(CurrentDirectoryAnsi()));
    return child.WaitForExit(120000);  // STILL_ACTIVE when it did not start or did not end
}

}  // namespace

TEST_F(AboutDialog, WithoutARichEditLibraryTheViewerIsAnEmptyEdit) {
    if (!GetEnvironmentVariableA(kWithoutRichEdit, nullptr, 0)) {
        EXPECT_EQ(RunWithoutRichEdit("AboutDialog.WithoutARichEditLibraryTheViewerIsAnEmptyEdit"), 0u);
        return;
    }
    EXPECT_FALSE(LoadLibraryA("MSFTEDIT.DLL"));
    EXPECT_EQ(ChooseRichEditClass(0), "Edit");
    EXPECT_EQ(ChooseRichEditClass(0), "Edit");  // every call tries the three again
    RunAbout({[](HWND dialog) {
                  HWND viewer = GetDlgItem(dialog, kViewerId);
                  EXPECT_EQ(ClassOf(viewer), L"Edit");
                  EXPECT_TRUE(StyleOf(viewer) & WS_VSCROLL);
                  EXPECT_EQ(GetWindowTextLengthW(viewer), 0);  // the document means nothing to it
                  return true;
              },
              Close});
}

TEST(AboutOleCallback, AnswersEachOfItsThirteenSlots) {
    HWND plain = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(InstallOleCallback(plain), 0);  // no rich edit: nothing to hand it to
    DestroyWindow(plain);
    IRichEditOleCallback* callback = AboutOleCallbackObject();

    // IUnknown: the same object for both interfaces it has, counted; nothing for others.
    void* object = nullptr;
    EXPECT_EQ(callback->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(object, callback);
    EXPECT_EQ(callback->QueryInterface(IID_IRichEditOleCallback, &object), S_OK);
    EXPECT_EQ(object, callback);
    object = callback;
    EXPECT_EQ(callback->QueryInterface(IID_IRichEditOle, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(callback->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(callback->AddRef(), 4u);  // 1 from the install, 2 from the answers
    EXPECT_EQ(callback->Release(), 3u);

    ComPtr<IStorage> storage;
    ASSERT_EQ(callback->GetNewStorage(storage.Put()), S_OK);
    ASSERT_TRUE(storage);
    ComPtr<IStream> stream;
    EXPECT_EQ(
        storage->CreateStream(L"picture", STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, 0, stream.Put()),
        S_OK);

    EXPECT_EQ(callback->QueryInsertObject(nullptr, storage.Get(), 0), S_OK);

    // The others decline and leave their out parameters alone.
    auto* frame = reinterpret_cast<IOleInPlaceFrame*>(0x1234);
    auto* document = reinterpret_cast<IOleInPlaceUIWindow*>(0x5678);
    OLEINPLACEFRAMEINFO frameInfo{};
    EXPECT_EQ(callback->GetInPlaceContext(&frame, &document, &frameInfo), E_NOTIMPL);
    EXPECT_EQ(frame, reinterpret_cast<IOleInPlaceFrame*>(0x1234));
    EXPECT_EQ(document, reinterpret_cast<IOleInPlaceUIWindow*>(0x5678));
    EXPECT_EQ(callback->ShowContainerUI(TRUE), E_NOTIMPL);
    EXPECT_EQ(callback->DeleteObject(nullptr), E_NOTIMPL);
    EXPECT_EQ(callback->QueryAcceptData(nullptr, nullptr, 0, TRUE, nullptr), E_NOTIMPL);
    EXPECT_EQ(callback->ContextSensitiveHelp(TRUE), E_NOTIMPL);
    CHARRANGE range{0, 5};
    auto* data = reinterpret_cast<IDataObject*>(0x9ABC);
    EXPECT_EQ(callback->GetClipboardData(&range, RECO_COPY, &data), E_NOTIMPL);
    EXPECT_EQ(data, reinterpret_cast<IDataObject*>(0x9ABC));
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(callback->GetDragDropEffect(TRUE, 0, &effect), E_NOTIMPL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    auto menu = reinterpret_cast<HMENU>(0xDEF0);
    EXPECT_EQ(callback->GetContextMenu(SEL_TEXT, nullptr, &range, &menu), E_NOTIMPL);
    EXPECT_EQ(menu, reinterpret_cast<HMENU>(0xDEF0));
}

TEST(RichEditClass, IsLoadedOnceAndFreedOnRelease) {
    EXPECT_EQ(ChooseRichEditClass(0), "RichEdit50W");
    HMODULE library = GetModuleHandleA("MSFTEDIT.DLL");
    EXPECT_TRUE(library);
    EXPECT_EQ(ChooseRichEditClass(0), "RichEdit50W");
    EXPECT_EQ(ChooseRichEditClass(1), "");
    EXPECT_FALSE(GetModuleHandleA("MSFTEDIT.DLL"));
    EXPECT_EQ(ChooseRichEditClass(1), "");  // nothing left to free
    EXPECT_EQ(ChooseRichEditClass(0), "RichEdit50W");
    EXPECT_TRUE(GetModuleHandleA("MSFTEDIT.DLL"));
}

TEST(SeparatorPicture, PlaysBackAsTheShadedBar) {
    // Wine's rich edit leaves the picture's place empty; GDI shows what Windows will draw there.
    const std::vector<uint8_t> bytes = BuildSeparatorMetafile();
    HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
    ASSERT_TRUE(metafile);
    ScopeExit deleteMetafile([&] { DeleteMetaFile(metafile); });

    uint32_t* pixels = nullptr;
    BitmapHandle bitmap = CreateTopDownDib(kSeparatorWidth, kSeparatorHeight, &pixels);
    ASSERT_TRUE(bitmap);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SelectionGuard select(dc.Get(), bitmap.Get());
    PatBlt(dc.Get(), 0, 0, kSeparatorWidth, kSeparatorHeight, WHITENESS);
    ASSERT_TRUE(PlayMetaFile(dc.Get(), metafile));
    GdiFlush();

    for (int y = 0; y < kSeparatorHeight; ++y) {
        for (int x = 0; x < kSeparatorWidth; ++x) {
            uint32_t grey = SeparatorGrey(x);
            ASSERT_EQ(pixels[y * kSeparatorWidth + x] & 0xFFFFFF, grey << 16 | grey << 8 | grey) << x << ", " << y;
        }
    }
}

namespace {

HWND MapWindow() {
    return FindWindowW(nullptr, kMapCaption);
}

void EndEverything(HWND about) {
    CloseAbout(about);
    PostMessageW(MapWindow(), WM_COMMAND, MAKEWPARAM(kExitButton, BN_CLICKED), 0);
}

// The Map window of KOR itself, run in this process as start-up runs it, in a folder with the town
// picture and beside the stand-in game. The test program carries KOR's own resources.
class AboutFromMapWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ChooseRichEditClass(0);
        RegisterGDImageClass();
        SetOpenWebAddressFunction(RecordShellCall);
    }

    AboutFromMapWindow() {
        folder_.AddDemoFile(L"Levels\\town.jpg");
        GetCurrentDirectoryW(MAX_PATH, previousFolder_);
        SetCurrentDirectoryW(folder_.Path().c_str());
        shellCalls.clear();
    }
    ~AboutFromMapWindow() override { SetCurrentDirectoryW(previousFolder_); }

    void RunKor(std::vector<DialogStep> script) {
        RunWithDialogSteps(RunMapWindow, kAboutCaption, std::move(script), EndEverything);
    }

    TempFolder folder_;
    wchar_t previousFolder_[MAX_PATH] = {};
    GameSimulator game_{folder_.Path()};
};

}  // namespace

TEST_F(AboutFromMapWindow, OpensOverTheMapWindowWhosePollGoesOnAndShowsTheWholeDocumentEachTime) {
    static HWND map;
    static std::wstring firstText;
    auto openAbout = [](HWND about) {
        map = MapWindow();
        if (!map || about) {
            return false;
        }
        PostMessageW(map, WM_COMMAND, MAKEWPARAM(kAboutButton, BN_CLICKED), 0);
        return true;
    };
    // Each opening shows the whole document from the executable's resource, with its picture.
    auto expectTheDocument = [](HWND about) {
        if (!about) {
            return false;
        }
        EXPECT_EQ(GetWindow(about, GW_OWNER), map);
        EXPECT_FALSE(IsWindowEnabled(map));
        HWND viewer = GetDlgItem(about, kViewerId);
        std::wstring text = ViewerText(viewer);
        if (firstText.empty()) {
            firstText = text;
        }
        EXPECT_EQ(text, firstText);
        EXPECT_EQ(text.rfind(L"KOR, the Vorkal Map Viewer", 0), 0u);
        EXPECT_NE(text.find(L"Release history"), std::wstring::npos);
        EXPECT_EQ(ObjectCount(viewer), 1);
        return true;
    };
    auto closed = [](HWND about) {
        if (about) {
            return false;
        }
        EXPECT_TRUE(IsWindowEnabled(map));
        return true;
    };
    auto readOutShows = [](const char* text) {
        return [text](HWND) { return GetControlText(map, kXReadout) == text; };
    };

    RunKor({
        openAbout,
        expectTheDocument,
        // The poll goes on behind the dialog.
        [&](HWND) { return game_.Send("set 0 10 20 1"); },
        readOutShows(" 10"),
        [&](HWND) { return game_.Send("set 0 11 20 1"); },
        readOutShows(" 11"),
        [](HWND about) {
            SendDlgItemMessageW(about, kWebButtonId, BM_CLICK, 0, 0);
            EXPECT_EQ(shellCalls.size(), 1u);
            EXPECT_TRUE(IsWindowVisible(about));
            return Close(about);
        },
        closed,
        openAbout,
        expectTheDocument,
        [](HWND about) { return PostMessageW(GetDlgItem(about, kViewerId), WM_KEYDOWN, VK_ESCAPE, 0) != 0; },
        closed,
        openAbout,
        expectTheDocument,
        [](HWND about) { return PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0) != 0; },
        closed,
        [](HWND) { return PostMessageW(map, WM_COMMAND, MAKEWPARAM(kExitButton, BN_CLICKED), 0) != 0; },
    });
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].file, std::string("http://") + kMakerHost);
}
