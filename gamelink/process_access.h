// Finding the game by its executable's name and reading numbers out of its memory. Every handle
// opened here is closed before the call returns; nothing is kept between calls.
#pragma once

#include <cstdint>
#include <string>

// The id of the first process, in the system's list order, whose executable's full path contains
// `name` without regard to case (the ANSI upper-casing); 0 when none does.
uint32_t FindProcessByName(const std::string& name);

// `size` (1 or 4) bytes at `address` in the process: 1 byte as 0 to 255, 4 bytes as a signed
// little-endian number. Every failure gives 0; bytes that could not be read count as 0. Process id 0
// reads as 0 without opening anything.
int32_t ReadProcessValue(uint32_t processId, uint32_t address, int size);
