// The help document that the About box shows: RTF 1, ANSI, code page 1252, built here so that its
// separator picture is made of exactly known bytes. make_about_rtf writes it to resources/about.rtf,
// which the executable carries as the resource "RTFABOUT".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Size of the separator picture in pixels, and the size it is shown at in twips.
inline constexpr int kSeparatorWidth = 550;
inline constexpr int kSeparatorHeight = 5;
inline constexpr int kSeparatorWidthTwips = 8249;
inline constexpr int kSeparatorHeightTwips = 75;

// Shade of the separator's column x: light grey at both ends, dark grey in the middle.
uint8_t SeparatorGrey(int x);

// A Windows metafile holding the separator as one StretchDIB record of a 24-bit bitmap: header,
// window origin and extent, the bitmap, end record. Written record by record, so the bytes are the
// same on every system.
std::vector<uint8_t> BuildSeparatorMetafile();

// The whole document, ending with "}", CR LF and one NUL byte.
std::string BuildAboutDocument();
