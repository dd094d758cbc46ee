#include "gamelink/process_access.h"

#include <gtest/gtest.h>

#include "tools/testkit/kor_session.h"

namespace {

constexpr uint32_t kGamePointer = 0x00A720C0;

}  // namespace

TEST(ProcessAccess, FindsTheGameByASubstringOfItsPathWithoutRegardToCase) {
    EXPECT_EQ(FindProcessByName("vorkal.exe"), 0u);  // none running yet
    TempFolder folder;
    GameSimulator inFolder(folder.Path(), folder.CopyIn(KOR_GAMESIM_PATH, L"Backup of VORKAL.EXE\\tool.exe"));
    ASSERT_TRUE(inFolder.Send("set 1 1 1 1"));
    EXPECT_EQ(FindProcessByName("vorkal.exe"), inFolder.Id());  // the folder's name, in capitals
    EXPECT_EQ(FindProcessByName("VoRkAl.ExE"), inFolder.Id());
    EXPECT_EQ(FindProcessByName("no-such-game.exe"), 0u);
}

TEST(ProcessAccess, FindsAGameWhosePathIsLongerThan255Characters) {
    // 258 characters, the most a program can be started from: the name lies beyond the 255th.
    TempFolder folder;
    std::wstring relative;
    while (folder.Path().size() + relative.size() + 26 < 247) {
        relative += L"a-rather-long-folder-name\\";
    }
    relative += std::wstring(247 - folder.Path().size() - relative.size() - 1, L'x') + L"\\vorkal.exe";
    std::wstring path = folder.CopyIn(KOR_GAMESIM_PATH, relative);
    ASSERT_EQ(path.size(), 258u);
    GameSimulator game(folder.Path(), path);
    ASSERT_TRUE(game.Send("set 1 1 1 1"));
    EXPECT_EQ(FindProcessByName("vorkal.exe"), game.Id());
}

TEST(ProcessAccess, ReadsTheGamesMemoryAndGivesZeroForEveryFailure) {
    TempFolder folder;
    GameSimulator game(folder.Path());
    ASSERT_TRUE(game.Send("set 7 10 20 3"));
    uint32_t id = FindProcessByName("vorkal.exe");
    ASSERT_EQ(id, game.Id());

    uint32_t world = static_cast<uint32_t>(ReadProcessValue(id, kGamePointer, 4));
    uint32_t record = static_cast<uint32_t>(ReadProcessValue(id, world + 12, 4));
    EXPECT_EQ(ReadProcessValue(id, record + 162, 1), 7);
    EXPECT_EQ(ReadProcessValue(id, record + 164, 1), 10);
    EXPECT_EQ(ReadProcessValue(id, record + 166, 1), 20);
    EXPECT_EQ(ReadProcessValue(id, record + 5372, 1), 3);
    ASSERT_TRUE(game.Send("set 255 255 255 255"));
    EXPECT_EQ(ReadProcessValue(id, record + 162, 1), 255);

    ASSERT_TRUE(game.Send("garbage"));
    uint32_t garbage = static_cast<uint32_t>(ReadProcessValue(id, kGamePointer, 4));
    EXPECT_NE(garbage, 0u);
    EXPECT_EQ(ReadProcessValue(id, garbage + 12, 4), 0);  // nothing is mapped there
    EXPECT_EQ(ReadProcessValue(id, 0xFFFFFFF0u, 4), 0);
    EXPECT_EQ(ReadProcessValue(0, kGamePointer, 4), 0);  // no process
    ASSERT_TRUE(game.Send("null"));
    EXPECT_EQ(ReadProcessValue(id, kGamePointer, 4), 0);

    ASSERT_TRUE(game.Send("exit"));
    EXPECT_TRUE(WaitUntil([&] { return FindProcessByName("vorkal.exe") == 0; }));
    EXPECT_EQ(ReadProcessValue(id, world, 4), 0);  // the process has gone
}
