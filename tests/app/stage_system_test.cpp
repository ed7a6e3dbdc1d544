// Whole games through vormelda-sim: from the title into the stage, the first enemy, and a game
// left alone until it is over, back to the title with the high score saved; and the practice
// start at the boss on the generated data.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/platform.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

using Json = nlohmann::json;

const std::string kComment = "#あなたのハイスコアです。（上限は35450です）";

class StageSystem : public ::testing::Test {
 protected:
  void SetUp() override { folder_.Write("HighScore.ini", "#old\r\n00000\r\n"); }

  std::string HighScoreFile() const { return folder_ / "HighScore.ini"; }

  // Runs the program headless and returns its trace, one record per traced tick.
  std::vector<Json> Run(const std::string& input, int64_t ticks, int traceEvery) {
    WriteFile(folder_ / "input.txt", input);
    const std::string trace = folder_ / "trace.jsonl";
    const std::string command =
        std::string("'") + VORMELDA_SIM + "' --data '" + folder_.Path() + "' --seed 7 --ticks " +
        std::to_string(ticks) + " --input '" + (folder_ / "input.txt") + "' --trace '" + trace +
        "' --trace-every " + std::to_string(traceEvery) + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    std::vector<Json> records;
    std::ifstream in(trace);
    std::string line;
    while (std::getline(in, line)) records.push_back(Json::parse(line));
    return records;
  }

  FakeGameFolder folder_;
};

TEST_F(StageSystem, StartFromTheTitleFliesTheIntroAndBringsTheFirstEnemyAtFrame400) {
  const std::vector<Json> trace = Run("5 tap:Enter\n", 300, 1);
  ASSERT_EQ(trace.size(), 300u);
  std::vector<int64_t> intro;
  for (const Json& r : trace) {
    if (r["scene"] == "intro") intro.push_back(r["tick"]);
  }
  ASSERT_EQ(intro.size(), 140u);
  EXPECT_EQ(intro.front(), 6);
  EXPECT_EQ(intro.back(), 145);
  EXPECT_EQ(trace[4]["scene"], "title");

  const Json& play = trace[145];
  EXPECT_EQ(play["tick"], 146);
  EXPECT_EQ(play["scene"], "stage");
  EXPECT_EQ(play["FrameCount"], 292);
  EXPECT_GT(play["ShotSound"].get<int>(), 0);
  EXPECT_EQ(play["Player"]["X"], 185);
  EXPECT_EQ(play["Player"]["Y"], 410);
  EXPECT_EQ(play["Player"]["Lives"], 3);
  EXPECT_EQ(play["Player"]["OnScreen"], -1);

  // The record of a tick shows the state before that tick's frame ran.
  size_t first = 0;
  while (first < trace.size() && trace[first]["Enemies"].is_null()) ++first;
  ASSERT_LT(first, trace.size());
  EXPECT_EQ(trace[first]["FrameCount"], 401);
  const Json& enemies = trace[first]["Enemies"];
  ASSERT_EQ(enemies.size(), 1u);
  const Json expected = {{"Kind", 1},     {"Flash", 0},      {"X", 100.0},  {"Y", -35.0},
                         {"SpawnX", 100}, {"SpawnY", -35},   {"DX", 2.0},   {"DY", 2.0},
                         {"HP", 3},       {"FireTimer", 10}, {"Timer", 32}, {"Points", 100},
                         {"Alive", -1}};
  EXPECT_EQ(enemies[0], expected);
  // One frame on it has moved and counted down.
  EXPECT_EQ(trace[first + 1]["Enemies"][0]["X"], 102.0);
  EXPECT_EQ(trace[first + 1]["Enemies"][0]["FireTimer"], 9);
}

TEST_F(StageSystem, GameLeftAloneEndsInAGameOverThatSavesTheHighScoreAndReturnsToTheTitle) {
  // Enter taps all along: the stage ignores them, one leaves the game over screen.
  std::string input = "5 tap:Enter\n";
  for (int tick = 300; tick <= 4000; tick += 50) input += std::to_string(tick) + " tap:Enter\n";
  const std::vector<Json> trace = Run(input, 4000, 5);

  size_t over = 0;
  while (over < trace.size() && trace[over]["scene"] != "gameover") ++over;
  ASSERT_LT(over, trace.size()) << "no game over";
  const Json& last = trace[over - 1];  // the last traced play frame
  EXPECT_EQ(last["scene"], "stage");
  EXPECT_EQ(trace[over]["Player"]["Lives"], 0);
  EXPECT_EQ(trace[over]["HighScoreText"], "00000");

  size_t back = over;
  while (back < trace.size() && trace[back]["scene"] == "gameover") ++back;
  ASSERT_LT(back, trace.size()) << "the game over screen never ended";
  EXPECT_EQ(trace[back]["scene"], "title");
  const int score = trace[over]["Player"]["Score"];
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05d", score);
  EXPECT_EQ(trace[back]["HighScoreText"], std::string(digits).substr(0, 5));
  EXPECT_TRUE(trace[back]["Enemies"].is_null());
  // Read back by the title screen the file says the same; later games may have raised it.
  const std::string saved = ReadFile(HighScoreFile());
  ASSERT_EQ(saved.size(), kComment.size() + 9);
  EXPECT_EQ(saved.substr(0, kComment.size() + 2), kComment + "\r\n");
  EXPECT_GE(std::stoi(saved.substr(kComment.size() + 2, 5)), score);
}

// The practice start through the runner: the boss enters, its first attacks come on time, and
// two bombs cost it 240 hit points.
TEST(BossSystem, PracticeStartEntryFirstAttacksAndBombs) {
  TempFolder folder;
  const std::string game = VORMELDA_GAME_DIR;
  std::filesystem::copy(game + "/Picture", folder / "Picture",
                        std::filesystem::copy_options::recursive);
  std::filesystem::copy(game + "/Music", folder / "Music",
                        std::filesystem::copy_options::recursive);
  WriteFile(folder / "HighScore.ini", "#\r\n00000\r\n");
  // The ship hides in the bottom-left corner, out of the shots' reach; bombs at 100 and 300.
  WriteFile(folder / "in.txt",
            "1 Left Down\n100 Left Down Z\n101 Left Down\n300 Left Down Z\n"
            "301 Left Down\n");
  const std::string command = std::string(VORMELDA_SIM) + " --data " + folder.Path() +
                              " --start boss --ticks 500 --input " + (folder / "in.txt") +
                              " --trace " + (folder / "t.jsonl");
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream trace(folder / "t.jsonl");
  std::string line;
  std::map<int32_t, nlohmann::json> byFrame;
  while (std::getline(trace, line)) {
    auto j = nlohmann::json::parse(line);
    byFrame[j["FrameCount"].get<int32_t>()] = j;
  }
  EXPECT_EQ(byFrame.at(8401)["scene"], "boss");
  EXPECT_EQ(byFrame.at(8401)["BossY"], -170.0);
  EXPECT_EQ(byFrame.at(8401)["BossHP"], 3000);
  // A record is taken at the yield before the frame: frame f's work shows at f + 1.
  auto bullets = [&](int32_t f) {
    const auto& list = byFrame.at(f)["EnemyShots"];
    return list.is_null() ? 0 : static_cast<int>(list.size());
  };
  EXPECT_EQ(bullets(8410), 0);
  EXPECT_EQ(bullets(8411), 12);  // the first fan, still above the field: made and dead at once
  EXPECT_EQ(bullets(8421), 24);
  EXPECT_EQ(byFrame.at(8461)["EnemyShots"][0]["Kind"], 3);  // the large ball at 8460 lives on
  EXPECT_EQ(byFrame.at(8461)["EnemyShots"][0]["Alive"], -1);
  EXPECT_EQ(byFrame.at(8890)["Player"]["Bombs"], 0);
  EXPECT_EQ(byFrame.at(8890)["BossHP"], 3000 - 240);
}

}  // namespace
}  // namespace vormelda::testing
