// Where the map pictures are: below the current directory, used exactly as the system reports it,
// with the fixed parts (which begin with a backslash) appended directly. A drive root therefore
// gives a doubled backslash, which the file system accepts.
#pragma once

#include <string>

// "<directory>\Levels\town.jpg"
std::string TownPicturePath(const std::string& currentDirectory);

// The picture of dungeon level `level` (1 and above) in the regular map set, or in the alternate
// set "Levels - YEL" when `alternate` is 1: Level01.png ... Level09.png, Level10.png, Level105.png.
std::string LevelPicturePath(const std::string& currentDirectory, int level, int alternate);
