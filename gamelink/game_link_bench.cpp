// poll-found: one poll tick with the game found (four reads) against four bare reads.
// poll-discovery: one tick while discovery runs with 40 other processes against a bare walk over
// the process list that opens and names each process.
#include <windows.h>

#include <psapi.h>

#include <memory>
#include <vector>

#include "app/map_state.h"
#include "app/map_window.h"
#include "common/bench_report.h"
#include "gamelink/player_poll.h"
#include "gamelink/player_state.h"
#include "imagectrl/image_control.h"
#include "mapview/map_view.h"
#include "tools/testkit/kor_session.h"

namespace {

constexpr int kRuns = 101;

// The same open, read and close that every read of the game does, with nothing around it.
void BareReads(DWORD id, uint32_t address) {
    for (int i = 0; i < 4; ++i) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
        uint8_t byte = 0;
        ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address + i)), &byte, 1, nullptr);
        CloseHandle(process);
    }
}

// The plainest search: list the processes once and name every one.
void BareDiscovery() {
    DWORD ids[4096], bytes = 0;
    EnumProcesses(ids, sizeof ids, &bytes);
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i])) {
            HMODULE module;
            DWORD needed;
            char path[MAX_PATH];
            if (EnumProcessModules(process, &module, sizeof module, &needed)) {
                GetModuleFileNameExA(process, module, path, sizeof path);
            }
            CloseHandle(process);
        }
    }
}

}  // namespace

int main() {
    TempFolder folder;
    folder.AddDemoFile(L"Levels\\town.jpg");
    folder.AddDemoFile(L"Levels\\Level03.png");
    SetCurrentDirectoryW(folder.Path().c_str());
    RegisterGDImageClass();
    townPath = "Levels\\town.jpg<fit>";
    mapWindow = BuildMapWindow();
    MapWindowCallback(mapWindow, WM_INITDIALOG, 0, 0);
    KillTimer(mapWindow, kPollTimer);  // the bench drives the ticks itself

    {
        GameSimulator game(folder.Path());
        game.Send("set 3 10 20 2");
        PollPlayerState(mapWindow);  // discovery, and the level's map loaded once
        auto [tick, bare] = MediansInTurns(
            kRuns, [] { PollPlayerState(mapWindow); }, [] { BareReads(processId, baseAddress + 162); });
        PrintBench("poll-found", tick, bare, "ms");
    }

    // Forty other programs, named so that none of them is the game; with the party at cell 0, 0 the
    // poll runs discovery on every tick.
    std::wstring idle = folder.CopyIn(KOR_GAMESIM_PATH, L"idle.exe");
    std::vector<std::unique_ptr<GameSimulator>> others;
    for (int i = 0; i < 40; ++i) {
        others.push_back(std::make_unique<GameSimulator>(folder.Path(), idle));
        others.back()->Send("set 0 0 0 0");
    }
    playerState = {};
    auto [tick, bare] = MediansInTurns(
        kRuns / 2, [] { PollPlayerState(mapWindow); }, BareDiscovery);
    PrintBench("poll-discovery", tick, bare, "ms");

    DestroyWindow(mapWindow);
    return 0;
}
