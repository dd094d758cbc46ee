// Test support for the button's Wine tests: a parent window that records what it is sent, the
// message pump, BSTRs of ANSI text, image files made on the spot, and the pixels a window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a recording parent was sent: WM_COMMAND, WM_NOTIFY and the button's look notifications.
struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
extern std::vector<Notice> notices;
// Run by the recording parent after it records a notice, when set.
extern std::function<void(const Notice&)> onNotice;

// A visible top-level window of the given client size at (x, y) that records into `notices`.
HWND CreateRecordingParent(int x, int y, int width, int height);

// Dispatches every message already queued, through IsDialogMessageW for `dialog` when given.
void Pump(HWND dialog = nullptr);
// Pumps until `done` holds or 10 seconds have passed; returns whether it holds.
bool PumpUntil(const std::function<bool()>& done);

// A BSTR holding the bytes of `text` as they are, the way the exports' callers pass ANSI text.
BSTR AnsiBstr(const char* text);

// 16 x 16 pictures of one colour: an icon file, solid or a disc, and a solid bitmap file.
void WriteIconFile(const std::string& path, COLORREF color, bool disc = false);
void WriteBitmapFile(const std::string& path, COLORREF color);

// The client area of a window as shown: its pixels row by row.
class Shot {
public:
    explicit Shot(HWND window);
    COLORREF At(int x, int y) const { return pixels_[y * width_ + x]; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count(COLORREF color) const;
    // Writes the shot as a 24-bit BMP file.
    void Save(const std::string& path) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

// Real input. The cursor goes to a client point of `window` with one move message, pumped; the
// button and key events are queued for the caller to pump.
void MoveCursorTo(HWND window, int x, int y);
void LeftButton(bool down, DWORD time = 0);
void Key(WORD key, bool down);
