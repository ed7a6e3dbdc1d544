// The files beside the program: bounded reads of regular files only, replacements that leave the
// old file whole when they fail, and the removal of what a killed replacement left behind.
#include "platform/files.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <string>

#include "support/test_files.hpp"

namespace vormelda::testing {
namespace {

// What lies in a file's place, and what reading it gives: the whole file within a bound of 16
// bytes, the first 16 bytes of it, and whether it counts as a file that opens.
TEST(ReadFile, OnlyARegularFileIsReadAndNeverPastTheBound) {
  TempFolder folder;
  WriteFile(folder / "short", "0123456789");
  WriteFile(folder / "long", std::string(40, 'x'));
  WriteFile(folder / "empty", "");
  std::filesystem::create_directory(folder / "folder");
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", folder / "zero");
  std::filesystem::create_symlink(folder / "short", folder / "link");
  const struct {
    const char* name;
    const char* whole;  // the content, or the error
    const char* start;
    bool opens;
  } kCases[] = {
      {"short", "0123456789", "0123456789", true},
      {"link", "0123456789", "0123456789", true},
      {"empty", "", "", true},
      {"long", "!larger than 16 bytes", "xxxxxxxxxxxxxxxx", true},
      {"missing", "!file not found", "!file not found", false},
      {"folder", "!not a regular file", "!not a regular file", false},
      {"pipe", "!not a regular file", "!not a regular file", false},
      {"zero", "!not a regular file", "!not a regular file", false},
  };
  auto text = [](const FileContent& f) {
    return f.ok ? std::string(f.bytes.begin(), f.bytes.end()) : "!" + f.error;
  };
  for (const auto& c : kCases) {
    const std::string path = folder / c.name;
    EXPECT_EQ(text(ReadWholeFile(path, 16)), c.whole) << c.name;
    EXPECT_EQ(text(ReadFileStart(path, 16)), c.start) << c.name;
    EXPECT_EQ(CanOpenRegularFile(path), c.opens) << c.name;
  }
}

class ReplaceFile : public ::testing::Test {
 protected:
  size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
    return n;
  }
  TempFolder folder_;
};

TEST_F(ReplaceFile, WritesAndReplacesLeavingNoTemporaryFile) {
  const std::string path = folder_ / "HighScore.ini";
  ASSERT_TRUE(ReplaceFileSafely(path, "#c\r\n00100\r\n"));
  EXPECT_EQ(ReadFile(path), "#c\r\n00100\r\n");
  ASSERT_TRUE(ReplaceFileSafely(path, "#c\r\n35450\r\n"));
  EXPECT_EQ(ReadFile(path), "#c\r\n35450\r\n");
  ASSERT_TRUE(ReplaceFileSafely(path, ""));
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(FilesIn(folder_.Path()), 1u);
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0644));
}

TEST_F(ReplaceFile, FailsWithoutHarmWhereItCannotWrite) {
  EXPECT_FALSE(ReplaceFileSafely(folder_ / "missing/HighScore.ini", "x"));
  // A folder in the way of the target: the rename fails, the temporary file goes again.
  std::filesystem::create_directory(folder_ / "taken");
  EXPECT_FALSE(ReplaceFileSafely(folder_ / "taken", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "taken"));
  EXPECT_EQ(FilesIn(folder_.Path()), 1u);
}

// A write that cannot be finished (a full disk; here a limit on file sizes, which binds root too)
// leaves the old file as it was and nothing beside it.
TEST_F(ReplaceFile, KeepsTheOldFileWhenTheWriteFails) {
  const std::string path = folder_ / "HighScore.ini";
  WriteFile(path, "#c\r\n00777\r\n");
  {
    FileSizeLimit limit(8);
    EXPECT_FALSE(ReplaceFileSafely(path, "#c\r\n00001\r\n"));
  }
  EXPECT_EQ(ReadFile(path), "#c\r\n00777\r\n");
  EXPECT_EQ(FilesIn(folder_.Path()), 1u);
}

// Only what a replacement of one of the named files leaves is removed: not a look-alike, not a
// file of the player's with a similar name, not a folder.
TEST(RemoveStaleReplacements, RemovesOnlyTheGamesOwnLeftovers) {
  TempFolder folder;
  for (const char* name : {"HighScore.ini", "HighScore.ini.vormelda-new-a1B2c3",
                           "Cert.txt.vormelda-new-ZZZZZZ", "HighScore.ini.backup",
                           "HighScore.ini.vormelda-new-abc", "Other.ini.vormelda-new-abcdef"}) {
    WriteFile(folder / name, "x");
  }
  std::filesystem::create_directory(folder / "HighScore.ini.vormelda-new-folder");
  const std::array<std::string_view, 2> names = {"HighScore.ini", "Cert.txt"};
  RemoveStaleReplacements(folder.Path(), names);
  EXPECT_EQ(FolderNames(folder.Path()),
            (std::vector<std::string>{
                "HighScore.ini", "HighScore.ini.backup", "HighScore.ini.vormelda-new-abc",
                "HighScore.ini.vormelda-new-folder", "Other.ini.vormelda-new-abcdef"}));
}

}  // namespace
}  // namespace vormelda::testing
