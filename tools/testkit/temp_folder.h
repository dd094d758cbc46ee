// Folders for tests: made fresh under the temp folder and removed with all they hold.
#pragma once

#include <windows.h>

#include <string>

// A fresh folder under the temp folder, removed with everything in it when this goes.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::wstring& Path() const { return path_; }

    // Copies the file `source` to `relative` below the folder, making folders on the way; returns
    // the copy's path.
    std::wstring CopyIn(const std::wstring& source, const std::wstring& relative) const;
    // Copies files of the demo (a path relative to demo/, e.g. L"Levels\\town.jpg") into it.
    void AddDemoFile(const std::wstring& relative) const;

private:
    std::wstring path_;
};
