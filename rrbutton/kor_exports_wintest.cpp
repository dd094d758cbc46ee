// KOR.exe's exports, seen from outside and used from inside. From outside: the export directory
// of the built file names the module KOR.EXE and the five functions, undecorated. From inside: the
// test starts KOR.exe, loads the probe DLL into it and runs the probe on a thread of its own,
// where it calls the exports as another module of the process would (export_probe.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/win_handles.h"

namespace {

// An 8 x 8 JPEG: KOR.exe refuses to start without Levels\town.jpg.
const unsigned char kTownPicture[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01,
    0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x10, 0x0b, 0x0c, 0x0e, 0x0c, 0x0a, 0x10, 0x0e, 0x0d, 0x0e, 0x12,
    0x11, 0x10, 0x13, 0x18, 0x28, 0x1a, 0x18, 0x16, 0x16, 0x18, 0x31, 0x23, 0x25, 0x1d, 0x28, 0x3a, 0x33, 0x3d,
    0x3c, 0x39, 0x33, 0x38, 0x37, 0x40, 0x48, 0x5c, 0x4e, 0x40, 0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6d, 0x51,
    0x57, 0x5f, 0x62, 0x67, 0x68, 0x67, 0x3e, 0x4d, 0x71, 0x79, 0x70, 0x64, 0x78, 0x5c, 0x65, 0x67, 0x63, 0xff,
    0xdb, 0x00, 0x43, 0x01, 0x11, 0x12, 0x12, 0x18, 0x15, 0x18, 0x2f, 0x1a, 0x1a, 0x2f, 0x63, 0x42, 0x38, 0x42,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63,
    0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0x63, 0xff, 0xc0, 0x00, 0x11,
    0x08, 0x00, 0x08, 0x00, 0x08, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00,
    0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x05, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00, 0x14, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c,
    0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x98, 0x01, 0x43, 0x3f, 0xff, 0xd9};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The export directory of a PE file: the module name it gives and the exported names.
struct Exports {
    std::string module;
    std::set<std::string> names;
};

Exports ReadExports(const std::string& file) {
    const auto* base = reinterpret_cast<const BYTE*>(file.data());
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto at = [&](DWORD rva) -> const BYTE* {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
                return base + s.PointerToRawData + (rva - s.VirtualAddress);
            }
        }
        return nullptr;
    };
    Exports exports;
    const DWORD directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress;
    const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(at(directory));
    if (!table) {
        return exports;
    }
    exports.module = reinterpret_cast<const char*>(at(table->Name));
    const auto* names = reinterpret_cast<const DWORD*>(at(table->AddressOfNames));
    for (DWORD i = 0; i < table->NumberOfNames; ++i) {
        exports.names.insert(reinterpret_cast<const char*>(at(names[i])));
    }
    return exports;
}

// A remote thread on `start` with `argument`; its exit code, or nothing when it does not end.
bool RunRemote(HANDLE process, const void* start, const void* argument, DWORD& exitCode) {
    KernelHandle thread(CreateRemoteThread(process, nullptr, 0,
                                           reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
                                           const_cast<void*>(argument), 0, nullptr));
    return thread && WaitForSingleObject(thread.Get(), 120000) == WAIT_OBJECT_0 &&
           GetExitCodeThread(thread.Get(), &exitCode);
}

}  // namespace

TEST(KorExports, TheExportDirectoryNamesTheModuleAndFiveUndecoratedFunctions) {
    const Exports exports = ReadExports(FileText(KOR_EXE));
    EXPECT_EQ(exports.module, "KOR.EXE");
    for (const char* name : {"InitRRButtonClass", "CreateRRButton", "MakeRRButton", "MakeRRButtonURL", "FileExists"}) {
        EXPECT_EQ(exports.names.count(name), 1u) << name;
    }
    for (const std::string& name : exports.names) {
        EXPECT_EQ(name.find_first_of("@_?"), std::string::npos) << name << " is decorated";
    }
}

TEST(KorExports, AnotherModuleInsideKorCallsThemAll) {
    // A folder of KOR.exe's own, with the town picture it needs to start.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kor_exports";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\Levels").c_str(), nullptr);
    std::ofstream(folder + "\\Levels\\town.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(kTownPicture), sizeof kTownPicture);
    DeleteFileA((folder + "\\export_probe.txt").c_str());

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = std::string("\"") + KOR_EXE + "\"";
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info));
    KernelHandle process(info.hProcess), mainThread(info.hThread);
    ScopeExit end([&] {
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 30000);
    });
    ASSERT_EQ(WaitForInputIdle(process.Get(), 60000), 0u);

    // LoadLibraryA in KOR.exe on the probe's path; kernel32 lies at the same address in both.
    const std::string probe = PROBE_DLL;
    void* remotePath = VirtualAllocEx(process.Get(), nullptr, probe.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(remotePath);
    ASSERT_TRUE(WriteProcessMemory(process.Get(), remotePath, probe.c_str(), probe.size() + 1, nullptr));
    DWORD remoteBase = 0;
    ASSERT_TRUE(RunRemote(
        process.Get(), reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")),
        remotePath, remoteBase));
    ASSERT_NE(remoteBase, 0u) << "the probe did not load";

    // The probe's entry lies at the same offset from its base as in our own copy.
    HMODULE local = LoadLibraryExA(probe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(local);
    const auto offset =
        reinterpret_cast<uintptr_t>(GetProcAddress(local, "RunExportProbe")) - reinterpret_cast<uintptr_t>(local);
    FreeLibrary(local);
    DWORD failures = 0;
    ASSERT_TRUE(
        RunRemote(process.Get(), reinterpret_cast<const void*>(uintptr_t{remoteBase} + offset), nullptr, failures));

    const std::string report = FileText(folder + "\\export_probe.txt");
    EXPECT_EQ(failures, 0u) << report;
    EXPECT_NE(report.find("ok   FileExists frees its path once"), std::string::npos) << report;
    std::cout << report;
}
