#include "rrbutton/test_support.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "common/dib.h"
#include "common/win_handles.h"
#include "rrbutton/rrbutton_messages.h"

std::vector<Notice> notices;
std::function<void(const Notice&)> onNotice;

namespace {

LRESULT CALLBACK RecordingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_NOTIFY || (message >= RRBN_RAISED && message <= RRBN_FLAT)) {
        notices.push_back({message, wParam, lParam});
        if (onNotice) {
            onNotice(notices.back());
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

template <typename T>
void Put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

// The 14 bytes of a BMP file's header, for pixels of `imageSize` bytes right after the info header.
void PutFileHeader(std::ofstream& out, uint32_t imageSize) {
    Put<uint16_t>(out, 0x4D42), Put<uint32_t>(out, 14 + 40 + imageSize), Put<uint32_t>(out, 0);
    Put<uint32_t>(out, 14 + 40);
}

// A BITMAPINFOHEADER of an uncompressed image.
void PutInfoHeader(std::ofstream& out, int32_t width, int32_t height, uint16_t bitCount, uint32_t imageSize) {
    Put<uint32_t>(out, 40), Put<int32_t>(out, width), Put<int32_t>(out, height), Put<uint16_t>(out, 1);
    Put<uint16_t>(out, bitCount), Put<uint32_t>(out, 0), Put<uint32_t>(out, imageSize);
    Put<int32_t>(out, 0), Put<int32_t>(out, 0), Put<uint32_t>(out, 0), Put<uint32_t>(out, 0);
}

bool InDisc(int i) {
    const int x = i % 16 * 2 - 15, y = i / 16 * 2 - 15;
    return x * x + y * y <= 15 * 15;
}

// The pixel rows of a 16 x 16 image, bottom-up, 32 bits per pixel: the colour everywhere, or only
// in a disc with see-through corners.
void PutPixels(std::ofstream& out, COLORREF color, bool disc = false) {
    for (int i = 0; i < 16 * 16; ++i) {
        const uint32_t alpha = !disc || InDisc(i) ? 0xFF000000u : 0;
        Put<uint32_t>(out, alpha ? alpha | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color) : 0);
    }
}

}  // namespace

HWND CreateRecordingParent(int x, int y, int width, int height) {
    static ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // like a dialog
        windowClass.lpszClassName = "RecordingParent";
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
    HWND parent = CreateWindowExA(0, "RecordingParent", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                                  height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(parent);
    Pump();
    return parent;
}

void Pump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!dialog || !IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return true;
}

BSTR AnsiBstr(const char* text) {
    return SysAllocStringByteLen(text, static_cast<UINT>(std::strlen(text)));
}

void WriteIconFile(const std::string& path, COLORREF color, bool disc) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t pixels = 16 * 16 * 4, mask = 16 * 4, image = 40 + pixels + mask;
    Put<uint16_t>(out, 0), Put<uint16_t>(out, 1), Put<uint16_t>(out, 1);  // an icon file with one image
    Put<uint8_t>(out, 16), Put<uint8_t>(out, 16), Put<uint8_t>(out, 0), Put<uint8_t>(out, 0);
    Put<uint16_t>(out, 1), Put<uint16_t>(out, 32), Put<uint32_t>(out, image), Put<uint32_t>(out, 6 + 16);
    PutInfoHeader(out, 16, 32, 32, pixels + mask);  // twice the height: the colours, then the mask
    PutPixels(out, color, disc);
    for (int row = 15; row >= 0; --row) {  // the mask: set where the picture is see-through
        uint32_t bits = 0;
        for (int x = 0; x < 16; ++x) {
            bits |= disc && !InDisc(row * 16 + x) ? 0x80u >> (x % 8) << (x / 8 * 8) : 0;
        }
        Put<uint32_t>(out, bits);
    }
}

void WriteBitmapFile(const std::string& path, COLORREF color) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t pixels = 16 * 16 * 4;
    PutFileHeader(out, pixels);
    PutInfoHeader(out, 16, 16, 32, pixels);
    PutPixels(out, color);
}

Shot::Shot(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    uint32_t* raw = nullptr;
    BitmapHandle bitmap = CreateTopDownDib(width_, height_, &raw);
    // Without DCX_CLIPCHILDREN, so that a parent's shot shows its children too.
    HDC screen = GetDCEx(window, nullptr, DCX_CACHE);
    ScopeExit release([&] { ReleaseDC(window, screen); });
    MemoryDc memory(CreateCompatibleDC(screen));
    {
        SelectionGuard selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    }
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
        pixels_.push_back(RGB(raw[i] >> 16 & 0xFF, raw[i] >> 8 & 0xFF, raw[i] & 0xFF));
    }
}

int Shot::Count(COLORREF color) const {
    int count = 0;
    for (COLORREF pixel : pixels_) {
        count += pixel == color;
    }
    return count;
}

void Shot::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    const uint32_t row = (width_ * 3 + 3) & ~3u, size = row * height_;
    PutFileHeader(out, size);
    PutInfoHeader(out, width_, height_, 24, size);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            COLORREF pixel = At(x, y);
            Put<uint8_t>(out, GetBValue(pixel)), Put<uint8_t>(out, GetGValue(pixel)),
                Put<uint8_t>(out, GetRValue(pixel));
        }
        for (uint32_t pad = width_ * 3; pad < row; ++pad) {
            Put<uint8_t>(out, 0);
        }
    }
}

void MoveCursorTo(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move of nothing: one WM_MOUSEMOVE where the cursor is
    SendInput(1, &input, sizeof input);
    Pump();
}

void LeftButton(bool down, DWORD time) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    input.mi.time = time;
    SendInput(1, &input, sizeof input);
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}
