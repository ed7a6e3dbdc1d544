#include "scenes/game_over.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"
#include "window/launch.hpp"

namespace vormelda::testing {
namespace {

const std::string kComment = "#あなたのハイスコアです。（上限は35450です）";

std::array<char, 5> Five(const char (&text)[6]) {
  return {text[0], text[1], text[2], text[3], text[4]};
}

class ResolveMissTest : public GameTest {
 protected:
  void SetUp() override {
    Launch.appFolder = folder_.Path();
    NewShip(50, 60);
    MissCountdown = 1;
    frmMain.picMain.Image = Surface(420, 560);
    frmMain.picCharacter.Image = CodedSheet(760, 850);
  }
  std::string HighScoreFile() const { return folder_ / "HighScore.ini"; }
  // The last ship lost: the game over screen, left by joystick button 3 at once.
  void LastShipLost(int32_t score) {
    UseInput("1 J3\n");
    Player.Lives = 1;
    Player.Score = score;
    EXPECT_THROW(ResolveMiss(), RestartGame);
  }

  TempFolder folder_;
};

// The score is saved as the screen appears: closing the window over it keeps the score.
TEST_F(ResolveMissTest, ClosingTheWindowOverTheGameOverKeepsTheHighScore) {
  UseInput("3 close\n");
  Player.Lives = 1;
  Player.Score = 5000;
  HighScoreText = Five("00100");
  EXPECT_THROW(ResolveMiss(), ProgramEnd);
  EXPECT_EQ(ReadFile(HighScoreFile()), kComment + "\r\n05000\r\n");
}

TEST_F(ResolveMissTest, DoesNothingUntilTheExplosionHasRunDownToOne) {
  for (int16_t countdown : {0, 2, 26}) {
    MissCountdown = countdown;
    Player.Lives = 1;
    const GameState before = Game;
    ResolveMiss();
    EXPECT_EQ(Game, before) << countdown;
  }
  EXPECT_TRUE(FolderNames(folder_.Path()).empty());
}

TEST_F(ResolveMissTest, ShipsLeftBringANewShipAndPlayGoesOn) {
  Player = PlayerRecord{50, 60, 2, -7, 3, 3, 3, 3, 2, 0, 4321, kFalse};
  CenterShots[2] = LiveShot(10, 20, 0, -15);
  CenterShots[3] = ShotSlot{0, 0, 0, -15, kFalse};
  LeftShots[1] = LiveShot(30, 40, -4, -14);
  RightShots[2] = LiveShot(70, 80, 4, -14);
  BombTimer = 40;
  ResolveMiss();
  EXPECT_EQ(Player, (PlayerRecord{185, 410, 1, -7, 0, 0, 0, 0, 1, 2, 4321, kFalse}));
  EXPECT_EQ(CenterShots[2], (ShotSlot{10, 20, 0, -10, kTrue}));
  EXPECT_EQ(CenterShots[3], (ShotSlot{0, 0, 0, -10, kFalse}));
  EXPECT_EQ(LeftShots[1], (ShotSlot{30, 40, -4, -14, kFalse}));
  EXPECT_EQ(RightShots[2], (ShotSlot{70, 80, 4, -14, kFalse}));
  EXPECT_EQ(BombTimer, 40);
  EXPECT_EQ(MissCountdown, 1);
  EXPECT_TRUE(FolderNames(folder_.Path()).empty());
}

TEST_F(ResolveMissTest, GameOverWaitsForEnterToBeReleasedThenClearsTheStage) {
  UseInput("1 Enter\n40\n");
  const std::string music = folder_ / "music.wav";
  const std::vector<uint8_t> wav = MakeWav(50);
  WriteFile(music, std::string(wav.begin(), wav.end()));
  frmMain.mciBackMusic.SetFileName(music, "Music/BackMusic.mp3");
  frmMain.mciBackMusic.Command("Open");
  frmMain.Tag = std::string(kTagLeave);  // left from before: the screen starts afresh
  Player.Lives = 1;
  Enemies.Append(Enemy(1, 10, 10));
  EnemyShots.Append(Bullet(1, 10, 10));
  Blasts.Append({1, 10, 10, 5});
  BombTimer = 50;
  PowerItem = {10, 10, 0, 2, kTrue};
  BombItem = {20, 20, 0, 2, kTrue};
  ClearLog();

  EXPECT_THROW(ResolveMiss(), RestartGame);
  EXPECT_EQ(host().Tick(), 40);
  EXPECT_EQ(CurrentScene, "gameover");
  EXPECT_EQ(StartButtonLatch, kTrue);
  EXPECT_FALSE(frmMain.KeyPreview);
  EXPECT_EQ(Player.Lives, 0);
  EXPECT_FALSE(Enemies.Allocated());
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_FALSE(Blasts.Allocated());
  EXPECT_EQ(BombTimer, 0);
  EXPECT_EQ(PowerItem.Alive, kFalse);
  EXPECT_EQ(BombItem.Alive, kTrue);
  EXPECT_EQ(SoundCommands("mciBackMusic"), (std::vector<std::string>{"Stop", "Close"}));
  // The game over picture, over a black field.
  const Surface* shown = host().LastPresented();
  ASSERT_NE(shown, nullptr);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{266, 63}, std::pair{100, 30}}) {
    EXPECT_EQ(shown->At(76 + x, 216 + y), Coded(x, 456 + y)) << x << "," << y;
  }
  EXPECT_EQ(shown->At(75, 216), kOpaqueBlack);
}

TEST_F(ResolveMissTest, JoystickButtonThreeEndsTheGameOverAtOnce) {
  UseInput("5 J3\n");
  Player.Lives = 1;
  EXPECT_THROW(ResolveMiss(), RestartGame);
  EXPECT_EQ(host().Tick(), 5);
  EXPECT_EQ(StartButtonLatch, kTrue);
  // Music that never opened is not stopped.
  EXPECT_TRUE(SoundCommands("mciBackMusic").empty());
}

TEST_F(ResolveMissTest, HighScoreIsKeptOrReplacedAndTheFileAlwaysRewritten) {
  struct Case {
    const char stored[6];  // read at the title
    int32_t score;
    const char saved[6];            // the game's high score after it
    const char* onDisk = nullptr;   // the file at the game over, if another game wrote it
    const char* written = nullptr;  // the file after it, when not the game's own
  };
  const Case cases[] = {
      {"00000", 1234, "01234"},
      {"01234", 1234, "01234"},
      {"05000", 1234, "05000"},
      {"     ", 1234, "01234"},
      {"\0\0\0\0", 0, "00000"},
      {"  42 ", 41, "  42 "},
      {"  42 ", 43, "00043"},
      {" 1234", 1234, " 1234"},
      {"00042", 123456, "12345"},
      // Two games on one folder: the higher score on disk is never lowered.
      {"00000", 400, "00400", "00700", "00700"},
      {"00000", 400, "00400", "00100"},
      {"00000", 400, "00400", "x7000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.score << " over '" << c.stored << "'");
    const std::string onDisk = c.onDisk != nullptr ? c.onDisk : std::string(c.stored, 5);
    WriteFile(HighScoreFile(), "#old\r\n" + onDisk + "\r\n");
    HighScoreText = Five(c.stored);
    LastShipLost(c.score);
    EXPECT_EQ(HighScoreText, Five(c.saved));
    const std::string written = c.written != nullptr ? c.written : std::string(c.saved, 5);
    EXPECT_EQ(ReadFile(HighScoreFile()), kComment + "\r\n" + written + "\r\n");
    EXPECT_EQ(FolderNames(folder_.Path()), (std::vector<std::string>{"HighScore.ini"}));
  }
}

TEST_F(ResolveMissTest, FailingWriteLeavesTheOldFileWhole) {
  const std::string old = "#old\r\n00100\r\n";
  WriteFile(HighScoreFile(), old);
  HighScoreText = Five("00100");
  {
    FileSizeLimit limit(16);  // the new content is longer
    LastShipLost(5000);
  }
  EXPECT_EQ(ReadFile(HighScoreFile()), old);
  EXPECT_EQ(FolderNames(folder_.Path()), (std::vector<std::string>{"HighScore.ini"}));
  EXPECT_EQ(HighScoreText, Five("05000"));
}

TEST_F(ResolveMissTest, UnwritableTargetsLeaveNoTemporaryFileBehind) {
  // A folder in the file's place cannot be replaced by a file.
  std::filesystem::create_directory(HighScoreFile());
  WriteFile(folder_ / "HighScore.ini/keep", "x");
  LastShipLost(5000);
  EXPECT_TRUE(std::filesystem::is_directory(HighScoreFile()));
  EXPECT_EQ(FolderNames(folder_.Path()), (std::vector<std::string>{"HighScore.ini"}));

  // A program folder that does not exist: nothing is made, the game still restarts.
  Launch.appFolder = folder_ / "gone";
  MissCountdown = 1;
  LastShipLost(5000);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "gone"));
}

}  // namespace
}  // namespace vormelda::testing
