// The party's state as last read from the game. Written only by the poll.
#pragma once

#include <cstdint>

struct PlayerState {
    int32_t level = 0;   // dungeon level; 0 is the town
    int32_t x = 0;       // the party's cell column ("Horizontal")
    int32_t y = 0;       // the party's cell row ("Vertical"), counted upward
    int32_t facing = 0;  // 1 to 4; other values leave the arrow's angle as it was
};

// All four are 0 while the game is not found.
extern PlayerState playerState;
