#include "gamelink/process_search.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    return text;
}

// A process list: id -> executable path; ids without a path cannot be opened.
uint32_t Find(const std::vector<uint32_t>& ids, const std::map<uint32_t, std::string>& paths) {
    return FindFirstProcess(
        ids, "vorkal.exe",
        [&](uint32_t id) -> std::optional<std::string> {
            auto it = paths.find(id);
            return it == paths.end() ? std::nullopt : std::optional(it->second);
        },
        AsciiUpper);
}

}  // namespace

TEST(FindFirstProcess, MatchesAnywhereInThePathWithoutRegardToCaseFirstInListOrder) {
    const std::map<uint32_t, std::string> paths = {
        {8, "C:\\Windows\\explorer.exe"},        {12, "D:\\GAMES\\VORKAL\\VORKAL.EXE"}, {16, "C:\\x\\Xvorkal.exe"},
        {20, "C:\\vorkal.exe backup\\tool.exe"}, {24, "C:\\Games\\Vorkal\\vorkal.exe"},
    };
    EXPECT_EQ(Find({8, 12, 24}, paths), 12u);  // capitals match
    EXPECT_EQ(Find({24, 12}, paths), 24u);     // the first in list order wins
    EXPECT_EQ(Find({8, 16, 24}, paths), 16u);  // a longer name containing it matches too
    EXPECT_EQ(Find({8, 20}, paths), 20u);      // so does a folder named like it
    EXPECT_EQ(Find({8}, paths), 0u);
    EXPECT_EQ(Find({}, paths), 0u);
    EXPECT_EQ(Find({4, 99, 24}, paths), 24u);  // processes that cannot be opened are skipped
}

TEST(ReadWholeList, GrowsUntilTheListFitsWithRoomToSpare) {
    for (size_t total : {0u, 5u, 1023u, 1024u, 1025u, 5000u}) {
        std::vector<uint32_t> all(total);
        for (size_t i = 0; i < total; ++i) {
            all[i] = static_cast<uint32_t>(4 * (i + 1));
        }
        std::vector<uint32_t> read = ReadWholeList<uint32_t>([&](uint32_t* buffer, size_t capacity) {
            size_t n = std::min(capacity, all.size());
            std::copy_n(all.begin(), n, buffer);
            return n;
        });
        EXPECT_EQ(read, all) << total;
    }
}

TEST(DecodeProcessValue, OneByteUnsignedFourBytesSignedLittleEndian) {
    const struct {
        uint8_t bytes[4];
        int size;
        int32_t value;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, 4, -1},         {{0x00, 0x00, 0x00, 0x80}, 4, INT32_MIN},
        {{0x10, 0x00, 0x00, 0x00}, 4, 16},         {{0xC0, 0x20, 0xA7, 0x00}, 4, 0x00A720C0},
        {{0xFF, 0x12, 0x34, 0x56}, 1, 255},        {{0x00, 0xFF, 0xFF, 0xFF}, 1, 0},
        {{0x7F, 0xFF, 0xFF, 0x7F}, 4, 0x7FFFFF7F},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeProcessValue(c.bytes, c.size), c.value);
    }
}
