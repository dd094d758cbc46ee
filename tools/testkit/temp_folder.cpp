#include "tools/testkit/temp_folder.h"

#include <shellapi.h>

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"kor-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    std::wstring from = path_ + L'\0';  // double-terminated list of one
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

std::wstring TempFolder::CopyIn(const std::wstring& source, const std::wstring& relative) const {
    std::wstring target = path_ + L"\\" + relative;
    for (size_t slash = target.find(L'\\', path_.size() + 1); slash != std::wstring::npos;
         slash = target.find(L'\\', slash + 1)) {
        CreateDirectoryW(target.substr(0, slash).c_str(), nullptr);
    }
    CopyFileW(source.c_str(), target.c_str(), FALSE);
    return target;
}

void TempFolder::AddDemoFile(const std::wstring& relative) const {
    CopyIn(std::wstring(KOR_DEMO_DIR) + L"\\" + relative, relative);
}
