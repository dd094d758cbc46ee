// The rules of finding the game and decoding what is read from it, in plain C++.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Fills a list whose length is not known in advance: `fill(buffer, capacity)` writes up to
// `capacity` items and returns how many it wrote; a full buffer may mean there were more, so the
// list is read again into a larger one until there is room to spare.
template <typename T>
std::vector<T> ReadWholeList(const std::function<size_t(T* buffer, size_t capacity)>& fill, size_t capacity = 1024) {
    std::vector<T> items(capacity);
    for (;;) {
        size_t count = fill(items.data(), items.size());
        if (count < items.size()) {
            items.resize(count);
            return items;
        }
        items.resize(items.size() * 2);
    }
}

// The first id, in list order, whose executable path contains `name` without regard to case; 0
// when none does. `pathOf` gives a process's executable path, or nothing when it cannot be opened
// or named (it is skipped); `upper` is the system's upper-casing.
uint32_t FindFirstProcess(std::span<const uint32_t> ids,
                          const std::string& name,
                          const std::function<std::optional<std::string>(uint32_t)>& pathOf,
                          const std::function<std::string(std::string)>& upper);

// A value read from the game: 1 byte as 0 to 255; 4 bytes little-endian as a signed 32-bit number.
int32_t DecodeProcessValue(const uint8_t* bytes, int size);
