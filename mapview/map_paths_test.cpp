#include "mapview/map_paths.h"

#include <gtest/gtest.h>

TEST(MapPaths, TownPictureIsAppendedToTheDirectoryAsItIs) {
    EXPECT_EQ(TownPicturePath("C:\\Games\\Vorkal"), "C:\\Games\\Vorkal\\Levels\\town.jpg");
    EXPECT_EQ(TownPicturePath("C:\\"), "C:\\\\Levels\\town.jpg");  // a drive root doubles the backslash
    EXPECT_EQ(TownPicturePath("\\\\server\\share"), "\\\\server\\share\\Levels\\town.jpg");
}

TEST(MapPaths, LevelPicturesOfBothSets) {
    const struct {
        int level, alternate;
        const char* path;
    } cases[] = {
        {1, 0, "D:\\m\\Levels\\Level01.png"},       {7, 0, "D:\\m\\Levels\\Level07.png"},
        {7, 1, "D:\\m\\Levels - YEL\\Level07.png"}, {9, 1, "D:\\m\\Levels - YEL\\Level09.png"},
        {10, 0, "D:\\m\\Levels\\Level10.png"},      {12, 1, "D:\\m\\Levels - YEL\\Level12.png"},
        {105, 0, "D:\\m\\Levels\\Level105.png"},    {255, 0, "D:\\m\\Levels\\Level255.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LevelPicturePath("D:\\m", c.level, c.alternate), c.path) << c.level << " " << c.alternate;
    }
}
