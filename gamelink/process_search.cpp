#include "gamelink/process_search.h"

uint32_t FindFirstProcess(std::span<const uint32_t> ids,
                          const std::string& name,
                          const std::function<std::optional<std::string>(uint32_t)>& pathOf,
                          const std::function<std::string(std::string)>& upper) {
    std::string wanted = upper(name);
    for (uint32_t id : ids) {
        if (std::optional<std::string> path = pathOf(id); path && upper(*path).find(wanted) != std::string::npos) {
            return id;
        }
    }
    return 0;
}

int32_t DecodeProcessValue(const uint8_t* bytes, int size) {
    if (size == 1) {
        return bytes[0];
    }
    uint32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}
