#include "about/about_stream.h"

#include <algorithm>
#include <cstring>

void AboutTextStream::Start(std::string_view text) {
    text_ = text;
    position_ = 1;
}

uint32_t AboutTextStream::Next(uint8_t* buffer, int32_t requested, int32_t* count) {
    // Signed throughout: a request of 0 or less, or nothing left, both end the transfer.
    int32_t left = static_cast<int32_t>(text_.size()) - (position_ - 1);
    int32_t n = std::min(requested, left);
    if (n <= 0) {
        *count = 0;
        return 1;
    }
    std::memcpy(buffer, text_.data() + (position_ - 1), static_cast<size_t>(n));
    position_ += n;
    *count = n;
    return 0;
}
