#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_stream.h"
#include "about/callback_count.h"
#include "about/viewer_filter.h"

namespace {

constexpr uint32_t kSetFocus = 0x0007, kKillFocus = 0x0008, kSetCursor = 0x0020, kKeyDown = 0x0100, kKeyUp = 0x0101,
                   kChar = 0x0102, kSysKeyDown = 0x0104, kMouseMove = 0x0200, kLeftDown = 0x0201, kLeftUp = 0x0202,
                   kLeftDouble = 0x0203, kRightDown = 0x0204, kContextMenu = 0x007B, kMouseWheel = 0x020A,
                   kNcLeftDown = 0x00A1, kVScroll = 0x0115, kStreamIn = 0x0449, kSetOleCallback = 0x0446;

}  // namespace

TEST(ViewerFilter, StopsFocusCursorLeftClicksAndAllButTheNavigationKeys) {
    using enum FilterVerdict;
    const struct {
        uint32_t message, wParam;
        bool shift;
        FilterVerdict verdict;
    } cases[] = {
        {kSetFocus, 0, false, Stop},
        {kSetCursor, 0, false, Stop},
        {kLeftDown, 1, false, Stop},
        {kLeftDouble, 1, false, Stop},
        // Key-downs: Tab, Esc and Page Up (0x21) to Down arrow (0x28) without Shift, nothing else.
        {kKeyDown, 0x09, false, Pass},
        {kKeyDown, 0x1B, false, Pass},
        {kKeyDown, 0x21, false, Pass},
        {kKeyDown, 0x22, false, Pass},
        {kKeyDown, 0x28, false, Pass},
        {kKeyDown, 0x22, true, Stop},
        {kKeyDown, 0x09, true, Stop},
        {kKeyDown, 0x20, false, Stop},  // space, just below the range
        {kKeyDown, 0x29, false, Stop},  // just above it
        {kKeyDown, 0x2E, false, Stop},  // Delete
        {kKeyDown, 0x08, false, Stop},  // Backspace
        {kKeyDown, 0x0D, false, Stop},  // Enter
        {kKeyDown, 'A', false, Stop},   // with Ctrl this would select everything
        {kKeyDown, 'C', false, Stop},
        {kKeyDown, 0x11, false, Stop},        // Ctrl itself
        {kKeyDown, 0xFFFFFF22, false, Stop},  // compared as a whole, not by its low byte
        // Everything else reaches the control, whatever Shift does.
        {kKillFocus, 0, false, Pass},
        {kChar, 'a', true, Pass},
        {kKeyUp, 0x41, false, Pass},
        {kSysKeyDown, 0x41, false, Pass},
        {kMouseMove, 1, false, Pass},
        {kLeftUp, 0, false, Pass},
        {kRightDown, 2, false, Pass},
        {kContextMenu, 0, false, Pass},
        {kMouseWheel, 0xFF880000, false, Pass},
        {kNcLeftDown, 7, false, Pass},
        {kVScroll, 3, false, Pass},
        {kStreamIn, 2, false, Pass},
        {kSetOleCallback, 0, false, Pass},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ViewerFilterVerdict(c.message, c.wParam, c.shift), c.verdict)
            << std::hex << "message 0x" << c.message << " wParam 0x" << c.wParam << " shift " << c.shift;
    }
}

namespace {

struct Chunk {
    uint32_t result;
    int32_t count;
    std::string bytes;
};

// Runs callbacks of `requested` bytes until one ends the transfer.
std::vector<Chunk> Transfer(AboutTextStream& stream, int32_t requested) {
    std::vector<Chunk> chunks;
    std::vector<uint8_t> buffer(requested > 0 ? requested : 1, 0xCC);
    for (;;) {
        Chunk c{};
        c.count = -7;
        c.result = stream.Next(buffer.data(), requested, &c.count);
        c.bytes.assign(buffer.begin(), buffer.begin() + (c.count > 0 ? c.count : 0));
        chunks.push_back(c);
        if (c.result != 0 || chunks.size() > 1000) {
            return chunks;
        }
    }
}

}  // namespace

TEST(AboutStream, AShortTextGoesInOneCallThenCountZeroEndsIt) {
    const std::string text("{\\rtf1 short}\r\n\0", 16);  // the closing NUL goes over like any byte
    AboutTextStream stream;
    stream.Start(text);
    std::vector<Chunk> chunks = Transfer(stream, 4096);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].result, 0u);
    EXPECT_EQ(chunks[0].count, 16);
    EXPECT_EQ(chunks[0].bytes, text);
    EXPECT_EQ(chunks[1].result, 1u);
    EXPECT_EQ(chunks[1].count, 0);
}

TEST(AboutStream, ALongTextGoesInManyCallsAndEveryStartBeginsAtTheFirstByte) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += static_cast<char>(i * 7 % 251);
    }
    AboutTextStream stream;
    for (int opening = 0; opening < 2; ++opening) {
        stream.Start(text);
        std::vector<Chunk> chunks = Transfer(stream, 4096);
        ASSERT_EQ(chunks.size(), 4u);
        EXPECT_EQ(chunks[0].count, 4096);
        EXPECT_EQ(chunks[1].count, 4096);
        EXPECT_EQ(chunks[2].count, 10000 - 2 * 4096);
        EXPECT_EQ(chunks[3].count, 0);
        EXPECT_EQ(chunks[3].result, 1u);
        EXPECT_EQ(chunks[0].bytes + chunks[1].bytes + chunks[2].bytes, text) << opening;
    }
}

TEST(AboutStream, NothingToGiveOrNothingAskedForEndsTheTransfer) {
    AboutTextStream stream;
    const std::string text = "abc";
    for (int32_t requested : {0, -1, -2147483647 - 1}) {
        stream.Start(text);
        std::vector<Chunk> chunks = Transfer(stream, requested);
        ASSERT_EQ(chunks.size(), 1u) << requested;
        EXPECT_EQ(chunks[0].result, 1u);
        EXPECT_EQ(chunks[0].count, 0) << requested;  // never a negative byte count
    }
    stream.Start("");
    EXPECT_EQ(Transfer(stream, 4096).size(), 1u);
}

TEST(CallbackCount, StartsAtOneStopsAtZeroAndStartsAgain) {
    CallbackCount count;
    count.Restart();
    EXPECT_EQ(count.AddRef(), 2u);
    EXPECT_EQ(count.Release(), 1u);
    EXPECT_EQ(count.Release(), 0u);
    EXPECT_EQ(count.Release(), 0u);  // nothing is freed and the count does not wrap
    EXPECT_EQ(count.Value(), 0u);
    EXPECT_EQ(count.AddRef(), 1u);
    EXPECT_EQ(count.AddRef(), 2u);
    count.Restart();  // a new viewer
    EXPECT_EQ(count.Value(), 1u);
}
