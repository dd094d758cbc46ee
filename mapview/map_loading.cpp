#include "mapview/map_loading.h"

std::string townPath;
