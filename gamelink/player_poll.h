// One tick of the poll timer: find the game when needed, read the party's level, cell and facing,
// show them, and hand a change of level to the map view.
#pragma once

#include <windows.h>

#include <cstdint>

// The game process found last (0 when none) and the address of its party record.
extern uint32_t processId;
extern uint32_t baseAddress;

void PollPlayerState(HWND window);
