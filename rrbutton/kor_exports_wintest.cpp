// KOR.exe's exports, seen from outside and used from inside. From outside: the export directory
// of the built file names the module KOR.EXE and the five functions, undecorated. From inside: the
// test starts KOR.exe, loads the probe DLL into it and runs the probe on a thread of its own,
// where it calls the exports as another module of the process would (export_probe.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "common/win_handles.h"
#include "common/win_text.h"
#include "tools/testkit/kor_session.h"

namespace {

std::string FileText(const std::wstring& path) {
    std::ifstream in(AnsiFromWide(path), std::ios::binary);
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
    const Exports exports = ReadExports(FileText(KOR_EXE_PATH));
    EXPECT_EQ(exports.module, "KOR.EXE");
    for (const char* name : {"InitRRButtonClass", "CreateRRButton", "MakeRRButton", "MakeRRButtonURL", "FileExists"}) {
        EXPECT_EQ(exports.names.count(name), 1u) << name;
    }
    for (const std::string& name : exports.names) {
        EXPECT_EQ(name.find_first_of("@_?"), std::string::npos) << name << " is decorated";
    }
}

TEST(KorExports, AnotherModuleInsideKorCallsThemAll) {
    // A folder of KOR.exe's own, with the town picture it needs to start, and KOR.exe running in
    // it until the end of the test.
    TempFolder folder;
    folder.AddDemoFile(L"Levels\\town.jpg");
    KorSession kor(folder.Path());
    const HANDLE process = kor.Process().Handle();
    ASSERT_TRUE(process);
    ASSERT_TRUE(kor.MapWindow());
    ASSERT_EQ(WaitForInputIdle(process, 60000), 0u);

    // LoadLibraryA in KOR.exe on the probe's path; kernel32 lies at the same address in both.
    const std::string probe = PROBE_DLL;
    void* remotePath = VirtualAllocEx(process, nullptr, probe.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(remotePath);
    ASSERT_TRUE(WriteProcessMemory(process, remotePath, probe.c_str(), probe.size() + 1, nullptr));
    DWORD remoteBase = 0;
    ASSERT_TRUE(RunRemote(
        process, reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")),
        remotePath, remoteBase));
    ASSERT_NE(remoteBase, 0u) << "the probe did not load";

    // The probe's entry lies at the same offset from its base as in our own copy.
    HMODULE local = LoadLibraryExA(probe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(local);
    const auto offset =
        reinterpret_cast<uintptr_t>(GetProcAddress(local, "RunExportProbe")) - reinterpret_cast<uintptr_t>(local);
    FreeLibrary(local);
    DWORD failures = 0;
    ASSERT_TRUE(RunRemote(process, reinterpret_cast<const void*>(uintptr_t{remoteBase} + offset), nullptr, failures));

    const std::string report = FileText(folder.Path() + L"\\export_probe.txt");
    EXPECT_EQ(failures, 0u) << report;
    EXPECT_NE(report.find("ok   FileExists frees its path once"), std::string::npos) << report;
    std::cout << report;
}
