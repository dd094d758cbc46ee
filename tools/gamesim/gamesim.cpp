// vorkal.exe, a stand-in for the game: its memory holds the party's record where the game keeps
// it, behind the pointer at 0x00A720C0, so KOR can find and follow it.
//
//   vorkal.exe --demo         walks the demo's party through the town and several levels
//   vorkal.exe [FILE]         runs commands from FILE, or from standard input, one per line:
//       set LEVEL X Y FACING  the party's record (and a valid pointer chain)
//       null                  the pointer at 0x00A720C0 set to null, as before a party is in play
//       garbage               the pointer set to an address where nothing is mapped
//       wait MILLISECONDS     a pause, for scripts in a file
//       exit
//     Each command is acknowledged with a line "ok" (or "error") once it has taken effect.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tools/gamesim/demo_world.h"

namespace {

constexpr uint32_t kPointerAddress = 0x00A720C0;
constexpr uint32_t kWorldAddress = kPointerAddress + 0x100;    // P: the record's address is at P + 12
constexpr uint32_t kRecordAddress = kPointerAddress + 0x1000;  // the party's record
constexpr uint32_t kRecordSize = 5376;
constexpr uint32_t kUnmapped = 0x0BAD0000;

// With the image based at 0x00A00000 this arena covers the game's addresses.
uint8_t arena[0x100000];

uint8_t* At(uint32_t address) {
    return arena + (address - static_cast<uint32_t>(reinterpret_cast<uintptr_t>(arena)));
}

bool ArenaCoversTheGamesAddresses() {
    auto start = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(arena));
    return start <= kPointerAddress && start + sizeof arena >= kRecordAddress + kRecordSize;
}

void Store32(uint32_t address, uint32_t value) {
    std::memcpy(At(address), &value, 4);
}

void SetParty(int level, int x, int y, int facing) {
    Store32(kPointerAddress, kWorldAddress);
    Store32(kWorldAddress + 12, kRecordAddress);
    *At(kRecordAddress + 162) = static_cast<uint8_t>(level);
    *At(kRecordAddress + 164) = static_cast<uint8_t>(x);
    *At(kRecordAddress + 166) = static_cast<uint8_t>(y);
    *At(kRecordAddress + 5372) = static_cast<uint8_t>(facing);
}

bool RunCommand(const char* line, bool& exitNow) {
    int level, x, y, facing, milliseconds;
    char word[16] = {};
    std::sscanf(line, "%15s", word);
    if (std::sscanf(line, "set %d %d %d %d", &level, &x, &y, &facing) == 4) {
        SetParty(level, x, y, facing);
    } else if (std::strcmp(word, "null") == 0) {
        Store32(kPointerAddress, 0);
    } else if (std::strcmp(word, "garbage") == 0) {
        Store32(kPointerAddress, kUnmapped);
    } else if (std::sscanf(line, "wait %d", &milliseconds) == 1) {
        Sleep(milliseconds);
    } else if (std::strcmp(word, "exit") == 0) {
        exitNow = true;
    } else {
        return word[0] == 0;  // an empty line is fine
    }
    return true;
}

void RunCommands(FILE* input) {
    char line[256];
    bool exitNow = false;
    while (!exitNow && std::fgets(line, sizeof line, input)) {
        std::puts(RunCommand(line, exitNow) ? "ok" : "error");
        std::fflush(stdout);
    }
}

[[noreturn]] void WalkForever() {
    for (;;) {
        for (const WalkStep& step : DemoWalk()) {
            SetParty(step.level, step.x, step.y, step.facing);
            Sleep(250);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!ArenaCoversTheGamesAddresses()) {
        std::fprintf(stderr, "vorkal.exe: the arena at %p does not cover 0x%08X; check the image base\n",
                     static_cast<void*>(arena), static_cast<unsigned>(kPointerAddress));
        return 3;
    }
    if (argc == 2 && std::strcmp(argv[1], "--demo") == 0) {
        WalkForever();
    }
    if (argc == 2) {
        FILE* file = std::fopen(argv[1], "r");
        if (!file) {
            std::perror(argv[1]);
            return 2;
        }
        RunCommands(file);
        std::fclose(file);
        return 0;
    }
    RunCommands(stdin);
    return 0;
}
