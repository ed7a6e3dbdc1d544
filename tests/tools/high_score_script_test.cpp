// The build's high score script: it writes a new HighScore.ini, and never replaces one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "datagen_test_support.hpp"

namespace vormelda::datagen {
namespace {

int RunScript(const std::filesystem::path& file) {
  const std::string command = std::string("\"") + VORMELDA_CMAKE_COMMAND +
                              "\" -DHIGH_SCORE_FILE=\"" + file.string() + "\" -P \"" +
                              VORMELDA_HIGH_SCORE_SCRIPT + "\"";
  return std::system(command.c_str());
}

TEST(HighScoreScript, CreatesTheFileOnlyWhenItIsMissing) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("vormelda-highscore-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto file = folder / "HighScore.ini";

  ASSERT_EQ(RunScript(file), 0);
  const std::string expected =
      "#\xE3\x81\x82\xE3\x81\xAA\xE3\x81\x9F\xE3\x81\xAE\xE3\x83\x8F\xE3\x82\xA4\xE3\x82\xB9"
      "\xE3\x82\xB3\xE3\x82\xA2\xE3\x81\xA7\xE3\x81\x99\xE3\x80\x82\xEF\xBC\x88\xE4\xB8\x8A"
      "\xE9\x99\x90\xE3\x81\xAF"
      "35450"
      "\xE3\x81\xA7\xE3\x81\x99\xEF\xBC\x89\r\n00000\r\n";
  const auto bytes = testing::ReadBytes(file);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

  { std::ofstream(file, std::ios::binary) << "#mine\r\n01234\r\n"; }
  ASSERT_EQ(RunScript(file), 0);
  const auto kept = testing::ReadBytes(file);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "#mine\r\n01234\r\n");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vormelda::datagen
