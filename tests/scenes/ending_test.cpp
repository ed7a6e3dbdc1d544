// The ending: the certificates it earns, the credits that leave only on a release of Enter or a
// press of button 3, and the practice start that reaches the boss through the runner.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "scenes/ending.hpp"
#include "scenes/high_score_file.hpp"
#include "shell/form_main.hpp"
#include "shell/game_state.hpp"
#include "shell/startup.hpp"
#include "support/stage_fixture.hpp"

namespace vormelda::stagetest {
namespace {

class EndingTest : public StageTest {
 protected:
  EndingTest() {
    Launch.appFolder = folder.Path();
    NewShip();
    frmMain.picMain.Image = Surface(420, 560);
    frmMain.picCharacter.Image = CodedSheet(741, 842);
  }
  bool Exists(std::string_view name) const {
    return std::filesystem::exists(folder / std::string(name));
  }
  TempFolder folder;
};

TEST_F(EndingTest, TheTopScoreCertificateNeeds35450) {
  Player.Score = 35449;
  WriteCertificates();
  EXPECT_FALSE(Exists(kTopScoreCertificate));
  Player.Score = 35450;
  WriteCertificates();
  ASSERT_TRUE(Exists(kTopScoreCertificate));
  const std::string text = ReadFile(folder / std::string(kTopScoreCertificate));
  EXPECT_EQ(text.substr(0, text.find("\r\n")), kCertificateLines[0]);
  EXPECT_NE(text.find("\r\n\r\n"), std::string::npos);  // the empty third line
}

TEST_F(EndingTest, TheNoMissCertificateNeedsThreeShipsAndExactlyThreeBombs) {
  Player.Lives = 3;
  Player.Bombs = 2;
  WriteCertificates();
  EXPECT_FALSE(Exists(kNoMissCertificate));
  Player.Bombs = 3;
  WriteCertificates();
  EXPECT_TRUE(Exists(kNoMissCertificate));
  EXPECT_EQ(FolderNames(folder.Path()).size(), 1u);  // no temporary file left behind
}

TEST_F(EndingTest, HeldEnterDoesNotLeaveOnlyItsReleaseDoes) {
  UseInput("1 Enter\n40 Enter\n41\n");
  Player.Score = 1234;
  HighScoreText = {'0', '0', '0', '0', '0'};
  EndingScreen();
  EXPECT_EQ(host().Tick(), 41);
  EXPECT_EQ(StartButtonLatch, kTrue);
  EXPECT_FALSE(frmMain.KeyPreview);
  EXPECT_EQ(ReadFile(folder / "HighScore.ini"), std::string(kHighScoreComment) + "\r\n01234\r\n");
}

TEST_F(EndingTest, ButtonThreeLeavesAtOnce) {
  UseInput("5 J3\n");
  EndingScreen();
  EXPECT_EQ(host().Tick(), 5);
}

TEST_F(EndingTest, TheBannerShowsOnlyAtSuperHighSpeed) {
  auto bannerPixel = [&](uint8_t fps) {
    FramesPerSecond = fps;
    UseInput("2 tap:Enter\n");
    EndingScreen();
    return frmMain.picMain.Image.At(10 + 200, 40 + 30);
  };
  EXPECT_EQ(bannerPixel(75), kOpaqueBlack);
  EXPECT_EQ(bannerPixel(100), Masked(kOpaqueBlack, 200, 782 + 30, 200, 722 + 30));
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
  const std::string command = std::string(VORMELDA_SIM_PATH) + " --data " + folder.Path() +
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
}  // namespace vormelda::stagetest
