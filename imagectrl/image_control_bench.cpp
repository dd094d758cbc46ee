// Benchmarks of the image control against the plainest platform calls doing the same job.
#include <windows.h>

#include <wincodec.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "common/bench_report.h"
#include "common/dib.h"
#include "common/win_handles.h"
#include "common/win_text.h"
#include "imagectrl/image_control.h"
#include "imagectrl/test_support.h"
#include "imagectrl/view_geometry.h"
#include "tools/testkit/temp_folder.h"

namespace {

constexpr int kClientWidth = 1600, kClientHeight = 1000;

// A map-like picture: 14-pixel cells with dark walls on a light floor, some colour in between.
uint32_t MapColour(int x, int y) {
    if (x % 14 == 13 || y % 14 == 13) {
        return 0x202020;
    }
    return ((x / 14) * 37 + (y / 14) * 91) % 5 == 0 ? 0x8090C0 : 0xE0D8C8;
}

// The paint's baseline: GDI stretches the same source rectangle into a back buffer with the same
// kind of sampling (COLORONCOLOR from zoom 1, HALFTONE below), and one BitBlt puts it on screen.
// Ours: the control's whole paint, picture and sprites.
std::pair<double, double> MeasurePaint(HWND control, float zoom, int runs) {
    HDC picture = ZI_GetDC(control);
    LONG width = 0, height = 0;
    ZI_GetImageSizeFromControl(control, &width, &height);
    ViewGeometry view = LayoutView(width, height, zoom, kClientWidth, kClientHeight, 0, 0);
    SourceRange columns = VisibleSource(view.x, zoom), rows = VisibleSource(view.y, zoom);
    BitmapHandle buffer = CreateTopDownDib(kClientWidth, kClientHeight);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SelectionGuard selection(dc.Get(), buffer.Get());
    SetStretchBltMode(dc.Get(), zoom >= 1 ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    WindowDc screen(control);
    auto ours = [&] {
        ZI_UpdateWindow(control, 0);
        GdiFlush();
    };
    return MediansInTurns(runs, ours, [&] {
        StretchBlt(dc.Get(), view.x.DestStart(), view.y.DestStart(), view.x.DestEnd() - view.x.DestStart(),
                   view.y.DestEnd() - view.y.DestStart(), picture, columns.first, rows.first,
                   columns.last - columns.first + 1, rows.last - rows.first + 1, SRCCOPY);
        BitBlt(screen.Get(), 0, 0, kClientWidth, kClientHeight, dc.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    });
}

// The load's baseline: WIC alone decodes the file into 32-bit pixels.
void DecodeOnly(const std::wstring& path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(factory.Put()));
    factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                       decoder.Put());
    decoder->GetFrame(0, frame.Put());
    UINT width = 0, height = 0;
    frame->GetSize(&width, &height);
    factory->CreateFormatConverter(converter.Put());
    converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                          WICBitmapPaletteTypeCustom);
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 4);
    converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data());
}

void BenchPaint(HWND control) {
    BitmapHandle arrow(ZI_LoadBitmap("QUADRANTS")), marker(ZI_LoadBitmap("SQUARE"));
    ZD_DrawBitmapToCtrl(control, 8000, 8000, arrow.Get(), ZD_ColorARGB(255, 0), 10001, 1);
    ZD_DrawBitmapToCtrl(control, 8000, 8000, marker.Get(), ZD_ColorARGB(255, 0), 11000, 1);
    for (LONG id : {10001L, 11000L}) {
        ZD_UsePngOpacity(id, 1);
        ZD_SetObjectScroll(id, 1);
        ZD_SetObjectQuality(id, 0, 0);
    }
    // 300 markers on the cells of the top-left corner, which every zoom below shows.
    for (int i = 1; i <= 300; ++i) {
        ZD_CloneObject(11000, 11000 + i, 14 * ((i - 1) % 20) + 2, 14 * ((i - 1) / 20) + 3);
    }
    ZD_SetObjectAngle(10001, 90, 1);
    ZD_SetObjectXY(10001, 14 * 7 + 2, 14 * 5 + 2, 1);
    ZD_SetObjectZorder(10001, 0xFFFFFF);
    for (float zoom : {0.978f, 2.5f, 5.0f}) {
        ZI_SetZoomValue(control, zoom);
        ZI_UpdateWindow(control, 0);  // prepares the sprites for this zoom once
        auto [ours, baseline] = MeasurePaint(control, zoom, 15);
        char name[32];
        std::snprintf(name, sizeof(name), "paint-zoom-%g", zoom);
        PrintBench(name, ours, baseline, "ms");
    }
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RegisterGDImageClass();
    TempFolder pictures;
    std::wstring folder = pictures.Path() + L"\\";
    std::wstring map = folder + L"map.png", big = folder + L"big.png", huge = folder + L"huge.png";
    if (!WritePicture(map, 1000, 700, MapColour) || !WritePicture(big, 2000, 2000, MapColour) ||
        !WritePicture(huge, 4000, 4000, MapColour)) {
        std::printf("bench: could not write the pictures\n");
        return 1;
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth, kClientHeight,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowExW(0, L"ZIMAGECTRL", map.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, kClientWidth,
                                   kClientHeight, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    BenchPaint(control);

    ZI_SetZoomValue(control, 1);
    auto [load, decode] = MediansInTurns(
        9,
        [&] {
            ZI_SetFromFile(control, AnsiFromWide(big).c_str());
            ZI_UpdateWindow(control, 0);
        },
        [&] { DecodeOnly(big); });
    PrintBench("load-2000px", load, decode, "ms");

    // Memory: what loading and painting a 4000 x 4000 picture at zoom 5 adds to the process,
    // against the decoded picture's own size.
    ZI_SetFromFile(control, "");
    int64_t before = CommittedBytes();
    ZI_SetFromFile(control, AnsiFromWide(huge).c_str());
    ZI_SetZoomValue(control, 5);
    ZI_SetZoomScrollInfo(control, 1, 5);
    ZI_UpdateWindow(control, 0);
    double added = static_cast<double>(CommittedBytes() - before) / (1 << 20);
    PrintBench("memory-zoom-5", added, 4000.0 * 4000 * 4 / (1 << 20), "MiB");

    DestroyWindow(window);
    return 0;
}
