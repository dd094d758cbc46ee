#include "app/file_exists.h"

#include "common/bstr_argument.h"
#include "common/win_handles.h"
#include "common/win_text.h"

LONG FileExists(const std::string& path) {
    WIN32_FIND_DATAW entry;
    FindHandle search(FindFirstFileW(WideFromAnsi(path).c_str(), &entry));
    if (!search) {
        return 0;
    }
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (!(entry.dwFileAttributes & kNotAFile)) {
            return 1;
        }
    } while (FindNextFileW(search.Get(), &entry));
    return 0;
}

extern "C" LONG WINAPI FileExistsExport(BSTR path) {
    BstrArgument argument(path);
    return FileExists(argument.Text());
}
