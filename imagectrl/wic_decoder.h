// Pictures decoded once with WIC (PNG, JPEG and whatever else the platform knows) into top-down
// 32-bit BGRA pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Gives the buffer to fill, width * height pixels with no gaps between rows, or nullptr to refuse.
// Called only for sizes that PictureSizeAcceptable allows.
using PixelAllocator = std::function<uint32_t*(int width, int height)>;

// keepAlpha: straight alpha in the top byte; otherwise the picture is taken as opaque.
// False when the file is missing, unreadable, damaged or too large; the buffer's content is then
// undefined.
bool DecodePictureFile(const std::wstring& path, bool keepAlpha, const PixelAllocator& allocate);
bool DecodePictureBytes(const void* bytes, DWORD size, bool keepAlpha, const PixelAllocator& allocate);
