#include "mapview/map_paths.h"

std::string TownPicturePath(const std::string& currentDirectory) {
    return currentDirectory + "\\Levels\\town.jpg";
}

std::string LevelPicturePath(const std::string& currentDirectory, int level, int alternate) {
    std::string folder = alternate == 1 ? "\\Levels - YEL\\Level" : "\\Levels\\Level";
    return currentDirectory + folder + (level < 10 ? "0" : "") + std::to_string(level) + ".png";
}
