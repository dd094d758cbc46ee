#include "gamelink/player_state.h"

PlayerState playerState;
