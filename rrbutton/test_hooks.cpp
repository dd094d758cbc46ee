#include "rrbutton/test_hooks.h"

#include <oleauto.h>

#include <algorithm>
#include <optional>

namespace {

void* Export(const char* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name));
}

void Write(void** entry, const void* value) {
    DWORD old;
    VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old);
    *entry = const_cast<void*>(value);
    VirtualProtect(entry, sizeof *entry, old, &old);
}

// ---- BSTR frees ----

std::vector<BSTR> freed;
decltype(&SysFreeString) realSysFreeString;

// Looks SysFreeString up for the stand-in to call, and gives it for the hook to replace.
const void* KeepRealSysFreeString() {
    realSysFreeString = reinterpret_cast<decltype(&SysFreeString)>(Export("oleaut32.dll", "SysFreeString"));
    return reinterpret_cast<const void*>(realSysFreeString);
}

void WINAPI LoggedSysFreeString(BSTR text) {
    freed.push_back(text);
    realSysFreeString(text);
}

// ---- resources ----

struct Tracked {
    std::map<void*, const char*> held;
    int unknownReleases = 0;
    SIZE_T failSize = 0;
};
std::optional<Tracked> tracked;  // while a ResourceTracker lives

template <typename T>
T Made(const char* call, T handle) {
    if (handle) {
        tracked->held[reinterpret_cast<void*>(handle)] = call;
    }
    return handle;
}

void Released(const void* handle) {
    if (handle && !tracked->held.erase(const_cast<void*>(handle))) {
        ++tracked->unknownReleases;
    }
}

// The real functions, looked up once, and the stand-ins that record what they do.
#define REAL(dll, name) static const auto real = reinterpret_cast<decltype(&name)>(Export(dll, #name))

HBRUSH WINAPI TrackedCreateSolidBrush(COLORREF color) {
    REAL("gdi32.dll", CreateSolidBrush);
    return Made("CreateSolidBrush", real(color));
}
HPEN WINAPI TrackedCreatePen(int style, int width, COLORREF color) {
    REAL("gdi32.dll", CreatePen);
    return Made("CreatePen", real(style, width, color));
}
HRGN WINAPI TrackedCreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h) {
    REAL("gdi32.dll", CreateRoundRectRgn);
    return Made("CreateRoundRectRgn", real(left, top, right, bottom, w, h));
}
HBITMAP WINAPI TrackedCreateCompatibleBitmap(HDC dc, int width, int height) {
    REAL("gdi32.dll", CreateCompatibleBitmap);
    return Made("CreateCompatibleBitmap", real(dc, width, height));
}
HPALETTE WINAPI TrackedCreatePalette(const LOGPALETTE* palette) {
    REAL("gdi32.dll", CreatePalette);
    return Made("CreatePalette", real(palette));
}
HFONT WINAPI TrackedCreateFontIndirectA(const LOGFONTA* font) {
    REAL("gdi32.dll", CreateFontIndirectA);
    return Made("CreateFontIndirectA", real(font));
}
HDC WINAPI TrackedCreateCompatibleDC(HDC dc) {
    REAL("gdi32.dll", CreateCompatibleDC);
    return Made("CreateCompatibleDC", real(dc));
}
HANDLE WINAPI TrackedLoadImageA(HINSTANCE module, LPCSTR name, UINT kind, int width, int height, UINT flags) {
    REAL("user32.dll", LoadImageA);
    return Made("LoadImageA", real(module, name, kind, width, height, flags));
}
BOOL WINAPI TrackedDeleteObject(HGDIOBJ object) {
    REAL("gdi32.dll", DeleteObject);
    Released(object);
    return real(object);
}
BOOL WINAPI TrackedDeleteDC(HDC dc) {
    REAL("gdi32.dll", DeleteDC);
    Released(dc);
    return real(dc);
}
BOOL WINAPI TrackedDestroyIcon(HICON icon) {
    REAL("user32.dll", DestroyIcon);
    Released(icon);
    return real(icon);
}
HDC WINAPI TrackedGetDC(HWND window) {
    REAL("user32.dll", GetDC);
    return Made("GetDC", real(window));
}
int WINAPI TrackedReleaseDC(HWND window, HDC dc) {
    REAL("user32.dll", ReleaseDC);
    Released(dc);
    return real(window, dc);
}
HDC WINAPI TrackedBeginPaint(HWND window, PAINTSTRUCT* paint) {
    REAL("user32.dll", BeginPaint);
    return Made("BeginPaint", real(window, paint));
}
BOOL WINAPI TrackedEndPaint(HWND window, const PAINTSTRUCT* paint) {
    REAL("user32.dll", EndPaint);
    Released(paint->hdc);
    return real(window, paint);
}
LPVOID WINAPI TrackedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
    REAL("kernel32.dll", HeapAlloc);
    if (tracked->failSize && size == tracked->failSize) {
        tracked->failSize = 0;
        return nullptr;
    }
    return Made("HeapAlloc", real(heap, flags, size));
}
BOOL WINAPI TrackedHeapFree(HANDLE heap, DWORD flags, LPVOID block) {
    REAL("kernel32.dll", HeapFree);
    Released(block);
    return real(heap, flags, block);
}

#undef REAL

struct Replacement {
    const char* dll;
    const char* name;
    const void* stand_in;
};

const Replacement kReplacements[] = {
    {"gdi32.dll", "CreateSolidBrush", reinterpret_cast<const void*>(TrackedCreateSolidBrush)},
    {"gdi32.dll", "CreatePen", reinterpret_cast<const void*>(TrackedCreatePen)},
    {"gdi32.dll", "CreateRoundRectRgn", reinterpret_cast<const void*>(TrackedCreateRoundRectRgn)},
    {"gdi32.dll", "CreateCompatibleBitmap", reinterpret_cast<const void*>(TrackedCreateCompatibleBitmap)},
    {"gdi32.dll", "CreatePalette", reinterpret_cast<const void*>(TrackedCreatePalette)},
    {"gdi32.dll", "CreateFontIndirectA", reinterpret_cast<const void*>(TrackedCreateFontIndirectA)},
    {"gdi32.dll", "CreateCompatibleDC", reinterpret_cast<const void*>(TrackedCreateCompatibleDC)},
    {"user32.dll", "LoadImageA", reinterpret_cast<const void*>(TrackedLoadImageA)},
    {"gdi32.dll", "DeleteObject", reinterpret_cast<const void*>(TrackedDeleteObject)},
    {"gdi32.dll", "DeleteDC", reinterpret_cast<const void*>(TrackedDeleteDC)},
    {"user32.dll", "DestroyIcon", reinterpret_cast<const void*>(TrackedDestroyIcon)},
    {"user32.dll", "GetDC", reinterpret_cast<const void*>(TrackedGetDC)},
    {"user32.dll", "ReleaseDC", reinterpret_cast<const void*>(TrackedReleaseDC)},
    {"user32.dll", "BeginPaint", reinterpret_cast<const void*>(TrackedBeginPaint)},
    {"user32.dll", "EndPaint", reinterpret_cast<const void*>(TrackedEndPaint)},
    {"kernel32.dll", "HeapAlloc", reinterpret_cast<const void*>(TrackedHeapAlloc)},
    {"kernel32.dll", "HeapFree", reinterpret_cast<const void*>(TrackedHeapFree)},
};

}  // namespace

ImportHook::ImportHook(HMODULE module, const void* target, const void* replacement) : target_(target) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress || !target) {
        return;
    }
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        for (auto** entry = reinterpret_cast<void**>(base + d->FirstThunk); *entry; ++entry) {
            if (*entry == target) {
                Write(entry, replacement);
                entries_.push_back(entry);
            }
        }
    }
}

ImportHook::~ImportHook() {
    for (void** entry : entries_) {
        Write(entry, target_);
    }
}

BstrFreeLog::BstrFreeLog(HMODULE module)
    : hook_(module, KeepRealSysFreeString(), reinterpret_cast<const void*>(LoggedSysFreeString)) {
    freed.clear();
}

const std::vector<BSTR>& BstrFreeLog::Freed() const {
    return freed;
}

void BstrFreeLog::Clear() {
    freed.clear();
}

std::vector<int> BstrFreeLog::TimesFreed(const std::vector<BSTR>& texts) const {
    std::vector<int> times;
    for (BSTR text : texts) {
        times.push_back(static_cast<int>(std::count(freed.begin(), freed.end(), text)));
    }
    return times;
}

ResourceTracker::ResourceTracker(HMODULE module) {
    tracked.emplace();
    for (const Replacement& r : kReplacements) {
        hooks_.push_back(std::make_unique<ImportHook>(module, Export(r.dll, r.name), r.stand_in));
    }
}

ResourceTracker::~ResourceTracker() {
    hooks_.clear();  // the imports go back to the real functions before the records go
    tracked.reset();
}

std::map<const char*, int> ResourceTracker::Held() const {
    std::map<const char*, int> held;
    for (const auto& [handle, call] : tracked->held) {
        ++held[call];
    }
    return held;
}

int ResourceTracker::UnknownReleases() const {
    return tracked->unknownReleases;
}

void ResourceTracker::FailNextHeapAlloc(SIZE_T size) {
    tracked->failSize = size;
}
