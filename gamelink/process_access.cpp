#include "gamelink/process_access.h"

#include <windows.h>

#include <psapi.h>

#include "common/win_handles.h"
#include "gamelink/process_search.h"

namespace {

constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x0410

std::string UpperCaseAnsi(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Every process, however many run.
std::vector<uint32_t> ListProcessIds() {
    static_assert(sizeof(DWORD) == sizeof(uint32_t));
    return ReadWholeList<uint32_t>([](uint32_t* ids, size_t capacity) -> size_t {
        DWORD bytes = 0;
        if (!EnumProcesses(reinterpret_cast<DWORD*>(ids), static_cast<DWORD>(capacity * sizeof(DWORD)), &bytes)) {
            return 0;
        }
        return bytes / sizeof(DWORD);
    });
}

// The full path of the process's executable (its first module), however long.
std::optional<std::string> ExecutablePath(uint32_t id) {
    KernelHandle process(OpenProcess(kQueryAndRead, FALSE, id));
    if (!process) {
        return std::nullopt;
    }
    HMODULE modules[1];
    DWORD needed = 0;
    if (!EnumProcessModules(process.Get(), modules, sizeof modules, &needed) || needed == 0) {
        return std::nullopt;
    }
    std::vector<char> path = ReadWholeList<char>(
        [&](char* buffer, size_t capacity) -> size_t {
            // A path that fills the buffer was cut short (the last place holds the terminator).
            DWORD length = GetModuleFileNameExA(process.Get(), modules[0], buffer, static_cast<DWORD>(capacity));
            return length + 1 >= capacity ? capacity : length;
        },
        256);
    return std::string(path.begin(), path.end());
}

}  // namespace

uint32_t FindProcessByName(const std::string& name) {
    std::vector<uint32_t> ids = ListProcessIds();
    return FindFirstProcess(ids, name, ExecutablePath, UpperCaseAnsi);
}

int32_t ReadProcessValue(uint32_t processId, uint32_t address, int size) {
    if (processId == 0 || (size != 1 && size != 4)) {
        return 0;
    }
    KernelHandle process(OpenProcess(kQueryAndRead, FALSE, processId));
    if (!process) {
        return 0;
    }
    uint8_t bytes[4] = {};
    ReadProcessMemory(process.Get(), reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), bytes, size, nullptr);
    return DecodeProcessValue(bytes, size);
}
