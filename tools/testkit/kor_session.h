// For end-to-end tests: KOR.exe and the stand-in game as processes of their own, in a folder
// prepared like a player's, observed from the test through the Map window's controls.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/win_handles.h"
#include "tools/testkit/temp_folder.h"

// The Map window's caption, by which the tests find it.
inline constexpr wchar_t kMapCaption[] = L"Vorkal Map Viewer v12.24.16";

// Waits, serving this thread's messages, until `done` holds or `milliseconds` pass.
bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000);

// A program started in a folder; killed at the end unless it has ended.
class ChildProcess {
public:
    ChildProcess(const std::wstring& program,
                 const std::wstring& arguments,
                 const std::wstring& folder,
                 HANDLE input = nullptr,
                 HANDLE output = nullptr);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    // The exit code once the process has ended within `milliseconds`, else STILL_ACTIVE.
    DWORD WaitForExit(int milliseconds = 20000) const;

private:
    KernelHandle process_;
    DWORD id_ = 0;
};

// KOR.exe running in `folder`, with its Map window found.
class KorSession {
public:
    explicit KorSession(const std::wstring& folder);
    HWND MapWindow() const { return mapWindow_; }
    HWND Control(int id) const { return GetDlgItem(mapWindow_, id); }
    std::string ControlText(int id) const;
    ChildProcess& Process() { return process_; }

private:
    ChildProcess process_;
    HWND mapWindow_ = nullptr;
};

// The top-level window of process `processId` with this caption, once it appears; else nullptr.
HWND WaitForWindow(DWORD processId, const std::wstring& caption, int milliseconds = 20000);

// The stand-in game (or a copy of it at `program`), driven through its standard input. Send
// returns once the game has acknowledged the command.
class GameSimulator {
public:
    explicit GameSimulator(const std::wstring& folder, const std::wstring& program = KOR_GAMESIM_PATH);
    bool Send(const std::string& command);
    DWORD Id() const { return process_->Id(); }

private:
    KernelHandle toGame_, fromGame_, gameInput_, gameOutput_;
    std::unique_ptr<ChildProcess> process_;
};
