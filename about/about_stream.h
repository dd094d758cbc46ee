// Hands the About text to the viewer in the chunks it asks for, from the first byte at every
// opening of the dialog.
#pragma once

#include <cstdint>
#include <string_view>

class AboutTextStream {
public:
    // Starts a transfer at the first byte of `text`, which must outlive the transfer.
    void Start(std::string_view text);

    // One stream callback: copies the next bytes, at most `requested`, into `buffer` and writes
    // their number to `count`. Returns 1 when nothing was left, which ends the transfer, else 0.
    uint32_t Next(uint8_t* buffer, int32_t requested, int32_t* count);

private:
    std::string_view text_;
    int32_t position_ = 1;  // 1-based position of the next byte to hand out
};
