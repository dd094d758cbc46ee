// Resources of the executable.
#pragma once

#include <string_view>

// The bytes of the executable's RT_RCDATA resource `name`; empty when there is none. They stay
// valid as long as the process runs.
std::string_view ResourceBytes(const char* name);
