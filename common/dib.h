// 32-bit top-down DIBs: row 0 at the top, rows without gaps, each pixel one 0xAARRGGBB word (B, G,
// R, A in memory).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win_handles.h"

// The header of such a DIB, for CreateDIBSection, GetDIBits and the like.
BITMAPINFO TopDownDibInfo(int width, int height);

// A DIB section of that kind; `bits`, when given, receives its pixels (nullptr on failure).
BitmapHandle CreateTopDownDib(int width, int height, uint32_t** bits = nullptr);
