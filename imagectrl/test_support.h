// For the image control's Wine tests and benchmarks: pictures written with WIC at run time, and
// the process's memory.
#pragma once

#include <windows.h>

#include <wincodec.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/win_handles.h"

// A picture whose every pixel tells which picture pixel it is: red and green hold the low bytes
// of x and y, blue their high nibbles. Good up to 4096 x 4096.
inline uint32_t CoordinateColour(int x, int y) {
    return static_cast<uint32_t>(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x >> 8) << 4) | (y >> 8));
}
inline POINT CoordinateOf(uint32_t colour) {
    return {static_cast<LONG>(((colour >> 16) & 0xFF) | ((colour >> 4) & 0xF) << 8),
            static_cast<LONG>(((colour >> 8) & 0xFF) | (colour & 0xF) << 8)};
}

// Writes a PNG (or, with GUID_ContainerFormatJpeg, a JPEG) of `colour(x, y)` (0xRRGGBB) values.
inline bool WritePicture(const std::wstring& path,
                         int width,
                         int height,
                         const std::function<uint32_t(int, int)>& colour,
                         REFGUID container = GUID_ContainerFormatPng) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))) ||
        FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.Put())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(width, height))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) {
        return false;
    }
    UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> row(stride);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t c = colour(x, y);
            row[x * 3] = static_cast<BYTE>(c);
            row[x * 3 + 1] = static_cast<BYTE>(c >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(c >> 16);
        }
        if (FAILED(frame->WritePixels(1, stride, stride, row.data()))) {
            return false;
        }
    }
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The process's committed memory outside its executable images: what its heaps, DIB sections and
// mappings take. (Wine reports no private bytes in GetProcessMemoryInfo, so the address space is
// walked instead.)
inline int64_t CommittedBytes() {
    int64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<BYTE*>(nullptr); VirtualQuery(address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type != MEM_IMAGE) {
            total += region.RegionSize;
        }
        if (static_cast<BYTE*>(region.BaseAddress) + region.RegionSize < address) {
            break;  // wrapped around the top of the address space
        }
    }
    return total;
}
