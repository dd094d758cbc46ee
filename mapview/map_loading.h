// Choosing and loading the map picture of the party's level.
#pragma once

#include <string>

// The town picture's path with "<fit>", set once at start-up; level 0 shows it.
extern std::string townPath;
