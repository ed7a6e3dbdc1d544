// Where the data and the player's files are found, in a build and in an install.
#include "platform/folders.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_files.hpp"

namespace vormelda::testing {
namespace {

TEST(Folders, TheDataLiesBesideABuiltProgramOrInTheShareFolderOfAnInstall) {
  TempFolder root;
  namespace fs = std::filesystem;
  fs::create_directories(root / "build/game/Picture");
  fs::create_directories(root / "usr/games");
  fs::create_directories(root / "usr/share/vormelda/Picture");
  fs::create_directories(root / "elsewhere");
  EXPECT_EQ(FindDataFolder(root / "build/game"), root / "build/game");
  EXPECT_EQ(FindDataFolder(root / "usr/games"), root / "usr/share/vormelda");
  // Nowhere to be found: the program's own folder, where the first picture's report will look.
  EXPECT_EQ(FindDataFolder(root / "elsewhere"), root / "elsewhere");
}

TEST(Folders, ThePlayersFilesGoWithTheDataOnlyWhereThePlayerMayWrite) {
  const struct {
    bool writable;
    std::optional<std::string> preference;
    const char* expected;
  } kCases[] = {
      {true, "/home/p/.local/share/vormelda", "/data"},  // a build: beside the program
      {false, "/home/p/.local/share/vormelda", "/home/p/.local/share/vormelda"},  // an install
      {false, std::nullopt, "/data"},  // no home: the writes fail silently, as they always did
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(PlayerFolderFor("/data", c.writable, c.preference), c.expected);
  }
}

}  // namespace
}  // namespace vormelda::testing
