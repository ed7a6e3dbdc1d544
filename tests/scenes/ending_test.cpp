// The ending: the certificates it earns, and the credits that leave only on a release of Enter or
// a press of button 3.
#include <gtest/gtest.h>

#include <filesystem>

#include "records/game_state.hpp"
#include "scenes/ending.hpp"
#include "scenes/high_score_file.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"
#include "window/launch.hpp"

namespace vormelda::testing {
namespace {

class EndingTest : public GameTest {
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

// The score is saved as the credits begin: closing the window over them keeps the score.
TEST_F(EndingTest, ClosingTheWindowOverTheCreditsKeepsTheHighScore) {
  UseInput("3 close\n");
  Player.Score = 35450;
  HighScoreText = {'0', '0', '1', '0', '0'};
  EXPECT_THROW(EndingScreen(), ProgramEnd);
  EXPECT_EQ(ReadFile(folder / "HighScore.ini"), std::string(kHighScoreComment) + "\r\n35450\r\n");
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

}  // namespace
}  // namespace vormelda::testing
