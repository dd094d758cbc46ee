#include "about/about_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "about/web_addresses.h"

namespace {

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8;
}
uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

// The bytes of the first \pict group's hex data.
std::vector<uint8_t> PictureBytes(const std::string& document) {
    size_t start = document.find("\\pichgoal");
    size_t end = document.find('}', start);
    std::vector<uint8_t> bytes;
    std::string digits;
    for (size_t i = document.find_first_of("\r\n", start); i < end; ++i) {
        if (std::isxdigit(static_cast<unsigned char>(document[i]))) {
            digits += document[i];
            if (digits.size() == 2) {
                bytes.push_back(static_cast<uint8_t>(std::stoi(digits, nullptr, 16)));
                digits.clear();
            }
        }
    }
    return bytes;
}

}  // namespace

TEST(AboutDocument, TheCommittedFileIsTheGeneratorsOutput) {
    std::ifstream file(KOR_SOURCE_DIR "/resources/about.rtf", std::ios::binary);
    ASSERT_TRUE(file) << "resources/about.rtf is missing";
    std::string committed((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(committed == BuildAboutDocument())
        << "resources/about.rtf is out of date: build the host tree's about_rtf target";
}

TEST(AboutDocument, IsAnsiRtfWithCrLfLinesEndingInOneNul) {
    const std::string document = BuildAboutDocument();
    EXPECT_EQ(document.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    ASSERT_GE(document.size(), 4u);
    EXPECT_EQ(document.substr(document.size() - 4), std::string("}\r\n\0", 4));
    EXPECT_EQ(document.find('\0'), document.size() - 1);
    int depth = 0;
    for (size_t i = 0; i + 1 < document.size(); ++i) {
        unsigned char c = document[i];
        EXPECT_LT(c, 0x80) << "at " << i;  // other characters go as \'xx escapes
        if (c == '\n') {
            EXPECT_EQ(document[i - 1], '\r') << "at " << i;
        }
        if (c == '\\') {
            ++i;  // an escaped brace is no group
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            EXPECT_GT(depth--, 0) << "at " << i;
        }
    }
    EXPECT_EQ(depth, 0);
}

TEST(AboutDocument, HasItsFontsColoursSectionsAndLink) {
    const std::string document = BuildAboutDocument();
    EXPECT_NE(document.find("{\\fonttbl{\\f0\\froman"), std::string::npos);
    EXPECT_NE(document.find("}{\\f1\\fswiss"), std::string::npos);
    EXPECT_NE(document.find("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green128\\blue128;}"),
              std::string::npos);
    EXPECT_NE(document.find(std::string("\\fldinst{HYPERLINK \"http://") + kGameHost), std::string::npos);
    EXPECT_NE(document.find(kMakerHost), std::string::npos);

    // Red bold 14 pt headings, in this order; the list of buttons under a black bold one.
    size_t at = 0;
    for (const char* heading : {"Trademarks", "Introduction", "How KOR works", "Wish list", "Release history"}) {
        size_t found = document.find(std::string("\\fs28\\b\\cf1 ") + heading + "\\par", at);
        EXPECT_NE(found, std::string::npos) << heading;
        at = found;
    }
    size_t buttons = document.find("\\fs24\\b Buttons and keys\\par");
    EXPECT_LT(document.find("How KOR works"), buttons);
    EXPECT_LT(buttons, document.find("Wish list"));
    EXPECT_NE(document.find("{\\cf3\\'95}", document.find("Wish list")), std::string::npos);  // teal bullets
}

TEST(AboutDocument, TheSeparatorIsAMetafileOfOneShadedBitmap) {
    const std::string document = BuildAboutDocument();
    EXPECT_NE(document.find("{\\pict\\wmetafile8\\picw14550\\pich132\\picwgoal8249\\pichgoal75"), std::string::npos);
    const std::vector<uint8_t> metafile = BuildSeparatorMetafile();
    EXPECT_EQ(PictureBytes(document), metafile);

    // Header: in memory, 9 words, version 3, the size in words, the largest record.
    ASSERT_GE(metafile.size(), 18u);
    EXPECT_EQ(Read16(metafile, 0), 1u);
    EXPECT_EQ(Read16(metafile, 2), 9u);
    EXPECT_EQ(Read16(metafile, 4), 0x300u);
    EXPECT_EQ(Read32(metafile, 6) * 2, metafile.size());

    // The records, each its size in words then its function, must tile the rest exactly.
    std::vector<uint32_t> functions;
    uint32_t largest = 0;
    size_t at = 18, stretch = 0;
    while (at + 6 <= metafile.size()) {
        uint32_t words = Read32(metafile, at);
        functions.push_back(Read16(metafile, at + 4));
        largest = std::max(largest, words);
        if (functions.back() == 0x0F43) {
            stretch = at;
        }
        at += words * 2;
    }
    EXPECT_EQ(at, metafile.size());
    EXPECT_EQ(functions, (std::vector<uint32_t>{0x020B, 0x020C, 0x0F43, 0x0000}));
    EXPECT_EQ(Read32(metafile, 12), largest);
    EXPECT_EQ(Read16(metafile, 18 + 10 + 6), 5u);    // window extent: height
    EXPECT_EQ(Read16(metafile, 18 + 10 + 8), 550u);  // and width

    // StretchDIB: SRCCOPY of the whole 550 x 5 bitmap to 0, 0, 550 x 5.
    EXPECT_EQ(Read32(metafile, stretch + 6), 0x00CC0020u);
    const std::vector<uint32_t> sizes = {5, 550, 0, 0, 5, 550, 0, 0};
    for (size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(Read16(metafile, stretch + 12 + 2 * i), sizes[i]) << i;
    }
    size_t dib = stretch + 28;
    EXPECT_EQ(Read32(metafile, dib), 40u);
    EXPECT_EQ(Read32(metafile, dib + 4), 550u);
    EXPECT_EQ(Read32(metafile, dib + 8), 5u);
    EXPECT_EQ(Read16(metafile, dib + 14), 24u);

    // Every row is grey, light at both ends, darkest in the middle, darkening steadily toward it.
    const size_t rowBytes = 1652;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 550; ++x) {
            size_t pixel = dib + 40 + y * rowBytes + x * 3;
            ASSERT_EQ(metafile[pixel], SeparatorGrey(x));
            ASSERT_EQ(metafile[pixel + 1], metafile[pixel]);
            ASSERT_EQ(metafile[pixel + 2], metafile[pixel]);
        }
    }
    EXPECT_EQ(SeparatorGrey(0), SeparatorGrey(549));
    EXPECT_GE(SeparatorGrey(0), 0xD0);
    EXPECT_LE(SeparatorGrey(275), 0x80);
    for (int x = 1; x < 275; ++x) {
        EXPECT_LE(SeparatorGrey(x), SeparatorGrey(x - 1)) << x;
        EXPECT_EQ(SeparatorGrey(x), SeparatorGrey(549 - x)) << x;
    }
}
