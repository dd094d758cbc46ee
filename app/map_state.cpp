#include "app/map_state.h"

HWND mapWindow = nullptr;
float clickX = 0;
float clickY = 0;
