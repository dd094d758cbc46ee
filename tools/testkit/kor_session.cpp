#include "tools/testkit/kor_session.h"

#include <vector>

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

ChildProcess::ChildProcess(const std::wstring& program,
                           const std::wstring& arguments,
                           const std::wstring& folder,
                           HANDLE input,
                           HANDLE output) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (input || output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, input || output, 0, nullptr,
                       folder.c_str(), &startup, &info)) {
        process_.Reset(info.hProcess);
        CloseHandle(info.hThread);
        id_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

DWORD ChildProcess::WaitForExit(int milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.Get(), &code);
    }
    return code;
}

HWND WaitForWindow(DWORD processId, const std::wstring& caption, int milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, caption.c_str()); w;
                 w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == processId && IsWindowVisible(w)) {
                    found = w;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

KorSession::KorSession(const std::wstring& folder) : process_(KOR_EXE_PATH, L"", folder) {
    mapWindow_ = WaitForWindow(process_.Id(), kMapCaption);
}

std::string KorSession::ControlText(int id) const {
    // WM_GETTEXT is carried across processes by the system; GetWindowText would not ask.
    char text[256] = {};
    SendMessageA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

GameSimulator::GameSimulator(const std::wstring& folder, const std::wstring& program) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    gameInput_.Reset(read);
    toGame_.Reset(write);
    SetHandleInformation(toGame_.Get(), HANDLE_FLAG_INHERIT, 0);
    CreatePipe(&read, &write, &inherit, 0);
    fromGame_.Reset(read);
    gameOutput_.Reset(write);
    SetHandleInformation(fromGame_.Get(), HANDLE_FLAG_INHERIT, 0);
    process_ = std::make_unique<ChildProcess>(program, L"", folder, gameInput_.Get(), gameOutput_.Get());
    // Only the game holds its ends now, so a game that ends or never started reads as end-of-file.
    gameInput_.Reset();
    gameOutput_.Reset();
}

bool GameSimulator::Send(const std::string& command) {
    std::string line = command + "\n";
    DWORD written = 0;
    if (!WriteFile(toGame_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
        return false;
    }
    std::string reply;
    char c;
    DWORD read = 0;
    while (ReadFile(fromGame_.Get(), &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        reply += c;
    }
    return reply.rfind("ok", 0) == 0;
}
