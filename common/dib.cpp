#include "common/dib.h"

BITMAPINFO TopDownDibInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

BitmapHandle CreateTopDownDib(int width, int height, uint32_t** bits) {
    BITMAPINFO info = TopDownDibInfo(width, height);
    void* memory = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (bits) {
        *bits = bitmap ? static_cast<uint32_t*>(memory) : nullptr;
    }
    return bitmap;
}
