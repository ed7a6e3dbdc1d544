#include "scenes/title_screen.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <streambuf>
#include <string>
#include <tuple>
#include <vector>

#include "flow/startup.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "scenes/high_score_file.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;

// An output stream that hands every finished line to a callback.
class LineHook final : public std::streambuf {
 public:
  explicit LineHook(std::function<void(const std::string&)> onLine) : onLine_(std::move(onLine)) {}

 protected:
  int overflow(int c) override {
    if (c == '\n') {
      onLine_(line_);
      line_.clear();
    } else if (c != traits_type::eof()) {
      line_ += static_cast<char>(c);
    }
    return c;
  }

 private:
  std::function<void(const std::string&)> onLine_;
  std::string line_;
};

struct Outcome {
  bool started = false;  // false: the window was closed first
  int fps = 0;
  int64_t tick = 0;
  bool operator==(const Outcome&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << (o.started ? "started at " : "closed at ") << o.tick << " with " << o.fps;
}
Outcome Started(int fps, int64_t tick) {
  return {true, fps, tick};
}

class TitleScreenTest : public testing::GameTest {
 protected:
  HeadlessPlatform& Start(const std::string& script, int64_t ticks = 20) {
    std::istringstream in(script);
    HeadlessOptions options;
    options.input = ParseInputScript(in);
    options.ticks = ticks;
    options.log = &log_;
    options.messageBoxAnswers = answers_;
    HeadlessPlatform& host = StartHost(std::move(options));
    Launch.appFolder = folder_.Path();
    Launch.seed = 1;
    return host;
  }
  // Loads everything, then runs one visit of the title screen.
  Outcome RunTitle(const std::string& script, Flag latch = kFalse) {
    Start(script);
    try {
      LoadResources();
      StartButtonLatch = latch;
      TitleScreen();
      return {true, FramesPerSecond, host().Tick()};
    } catch (const ProgramEnd&) {
      return {false, FramesPerSecond, host().Tick()};
    }
  }
  void Certify(bool topScore, bool noMiss) {
    if (topScore) folder_.Write(kTopScoreCertificate, "1\r\n");
    if (noMiss) folder_.Write(kNoMissCertificate, "1\r\n");
  }
  std::string Log() const { return text_.str(); }

  FakeGameFolder folder_;
  std::vector<MessageBoxAnswer> answers_;
  std::ostringstream text_;
  std::function<void(const std::string&)> onLogLine_;
  LineHook hook_{[this](const std::string& line) {
    text_ << line << '\n';
    if (onLogLine_) onLogLine_(line);
  }};
  std::ostream log_{&hook_};
  int boxes_ = 0;
};

TEST_F(TitleScreenTest, TheCertificatesUnlockTheFasterStarts) {
  struct Case {
    bool topScore, noMiss;
    std::string script;
    Outcome outcome;
  };
  for (const Case& c : std::vector<Case>{
           {false, false, "3 tap:X\n4 tap:Z\n5 X Z J1 J2\n8 tap:Enter\n", Started(60, 8)},
           {false, true, "3 tap:Z\n4 Z J2\n6 tap:X\n", Started(75, 6)},
           {true, false, "3 Z\n5 J1\n", Started(75, 5)},
           {true, true, "3 tap:Z\n", Started(100, 3)},
           {true, true, "2 J2\n", Started(100, 2)},
           {true, true, "4 X Z\n", Started(75, 4)},  // the shot key wins
           {true, true, "4 J1 J2\n", Started(75, 4)},
           {true, true, "3 Z Enter\n", Started(100, 3)},
           {true, true, "3 tap:Enter\n", Started(60, 3)},
           {true, true, "", Outcome{false, 60, 21}},
       }) {
    folder_.Remove(kTopScoreCertificate);
    folder_.Remove(kNoMissCertificate);
    Certify(c.topScore, c.noMiss);
    EXPECT_EQ(RunTitle(c.script), c.outcome) << c.topScore << c.noMiss << " " << c.script;
  }
}

TEST_F(TitleScreenTest, PressesMadeBeforeTheTitleScreenDoNotCount) {
  Certify(true, true);
  Start("1 tap:X tap:Z tap:Enter\n5 tap:Enter\n");
  LoadResources();
  host().PumpEvents(frmMain);  // the presses happen before the title screen runs
  TitleScreen();
  EXPECT_EQ(FramesPerSecond, 60);
  EXPECT_EQ(host().Tick(), 5);
}

TEST_F(TitleScreenTest, ButtonThreeMustBeReleasedAfterTheLatchWasSet) {
  EXPECT_EQ(RunTitle("2 J3\n", kFalse), Started(60, 2));
  EXPECT_EQ(RunTitle("1 J3\n6 Joy\n8 J3\n", kTrue), Started(60, 8));
  EXPECT_EQ(RunTitle("1 J3\n4 J3 tap:Enter\n", kTrue), Started(60, 4));  // Enter is not latched
  EXPECT_EQ(StartButtonLatch, kTrue);                                    // still held
}

TEST_F(TitleScreenTest, PreparesANewGameWithTheMusicOpenedButNotPlayed) {
  Start("");
  Player = {};
  Player.Bank = 7;
  Player.CenterCooldown1 = Player.CenterCooldown2 = Player.LeftCooldown = 5;
  Player.RightCooldown = 5;
  Player.Power = 2;
  FramesPerSecond = 100;
  bool checked = false;
  host().onYield = [&](int64_t tick) {
    if (tick != 1) return;
    checked = true;
    EXPECT_EQ(CurrentScene, "title");
    EXPECT_EQ(FramesPerSecond, 60);
    EXPECT_EQ(FrameCount, 0);
    EXPECT_EQ(Player, (PlayerRecord{185, 410, 1, 7, 0, 0, 0, 0, 3, 2, 0, kTrue}));
    EXPECT_EQ(frmMain.mciBackMusic.Mode(), kModeStopped);
    EXPECT_EQ(frmMain.Caption(), "Vormelda");
    EXPECT_TRUE(frmMain.picMain.Visible);
    EXPECT_TRUE(host().FieldVisible());
  };
  LoadResources();
  EXPECT_THROW(TitleScreen(), ProgramEnd);
  EXPECT_TRUE(checked);
  EXPECT_NE(Log().find("0 sound mciBackMusic FileName=Music/BackMusic.mp3\n"
                       "0 sound mciBackMusic Open\n"),
            std::string::npos);
  EXPECT_EQ(Log().find("mciBackMusic Play"), std::string::npos);
  EXPECT_EQ(Log().find("mciBackMusic Prev"), std::string::npos);
}

TEST_F(TitleScreenTest, GoesOnWithoutMusic) {
  folder_.Remove("Music/BackMusic.mp3");
  EXPECT_EQ(RunTitle("4 tap:Enter\n"), Started(60, 4));
  EXPECT_EQ(frmMain.mciBackMusic.Mode(), kModeNotOpen);
  EXPECT_EQ(Log().find("mciBackMusic FileName"), std::string::npos);
}

TEST_F(TitleScreenTest, TheBackgroundScrollsFifteenPixelsAFrameWithoutAGap) {
  Start("", 45);
  for (int64_t tick = 2; tick <= 45; ++tick) host().WantPicture(tick);
  LoadResources();
  EXPECT_THROW(TitleScreen(), ProgramEnd);
  int offset = 0;
  for (int64_t tick = 2; tick <= 45; ++tick) {
    offset += 15;  // the frame of tick - 1, shown at this tick
    if (offset > 560) offset -= 560;
    const Surface* shown = host().Picture(tick);
    ASSERT_NE(shown, nullptr) << tick;
    for (int y = 0; y < 560; ++y) {
      ASSERT_EQ(shown->At(0, y), FakeGameFolder::BackgroundPixel(1, (y - offset + 560) % 560))
          << "tick " << tick << " row " << y;
    }
  }
  EXPECT_EQ(offset, 10 + 15 * 6);  // 555 was followed by 10
}

TEST_F(TitleScreenTest, ShowsEachHighScoreCharacterAsItsDigit) {
  // A sheet transparent everywhere but the ten digits, each a colour of its own and opaque.
  auto digitColour = [](int d) { return 0xFF00A000u + static_cast<uint32_t>(d); };
  Surface sheet(560, 760, kOpaqueWhite);
  for (int d = 0; d <= 9; ++d) {
    for (int y = 0; y < 29; ++y) {
      for (int x = 0; x < 18; ++x) {
        sheet.Set(86 + 18 * d + x, 240 + y, digitColour(d));
        sheet.Set(86 + 18 * d + x, 269 + y, kOpaqueBlack);
      }
    }
  }
  ASSERT_TRUE(SavePng(sheet, folder_ / "Picture/Character.pic"));
  folder_.Write("HighScore.ini", "#c\r\n9a 7\r\n");  // not a number: kept as it is
  Start("", 3);
  host().WantPicture(3);
  LoadResources();
  EXPECT_THROW(TitleScreen(), ProgramEnd);
  const Surface* shown = host().Picture(3);
  ASSERT_NE(shown, nullptr);
  const int digits[5] = {9, 0, 0, 7, 0};
  for (int i = 0; i < 5; ++i) {
    for (auto [x, y] : {std::pair{0, 0}, std::pair{35, 57}, std::pair{17, 30}}) {
      EXPECT_EQ(shown->At(120 + 36 * i + x, 198 + y), digitColour(digits[i]))
          << "character " << i << " at " << x << "," << y;
    }
    EXPECT_NE(shown->At(120 + 36 * i + 17, 198 + 58), digitColour(digits[i])) << i;
  }
}

TEST_F(TitleScreenTest, AMissingHighScoreFileAsksUntilCancel) {
  folder_.Remove("HighScore.ini");
  answers_ = {MessageBoxAnswer::Retry, MessageBoxAnswer::Retry, MessageBoxAnswer::Cancel};
  EXPECT_EQ(RunTitle("3 tap:Enter\n"), Started(60, 3));
  const std::string box = "HighScore.ini が見付かりません。";
  EXPECT_EQ(Log().substr(Log().find("0 messagebox")),
            "0 messagebox " + box + " -> retry\n0 messagebox " + box + " -> retry\n" +
                "0 messagebox " + box + " -> cancel\n0 sound mciBackMusic FileName=" +
                "Music/BackMusic.mp3\n0 sound mciBackMusic Open\n0 caption Vormelda\n" +
                "0 visible picMain 1\n");
  EXPECT_EQ(HighScoreText, (std::array<char, 5>{}));
}

TEST_F(TitleScreenTest, AHighScoreFileThatCannotBeReadAsksToo) {
  folder_.Remove("HighScore.ini");
  std::filesystem::create_directory(folder_ / "HighScore.ini");  // opens, but reading fails
  EXPECT_EQ(RunTitle("2 tap:Enter\n"), Started(60, 2));
  EXPECT_NE(Log().find("0 messagebox HighScore.ini が見付かりません。 -> cancel\n"),
            std::string::npos);
  EXPECT_EQ(HighScoreText, (std::array<char, 5>{}));
}

TEST_F(TitleScreenTest, RetryReadsTheFileAgain) {
  folder_.Remove("HighScore.ini");
  answers_ = {MessageBoxAnswer::Retry, MessageBoxAnswer::Retry, MessageBoxAnswer::Retry};
  onLogLine_ = [this](const std::string& line) {
    if (line.find("messagebox") != std::string::npos && ++boxes_ == 2) {
      folder_.Write("HighScore.ini", "#c\r\n00777\r\n");  // while the second box is shown
    }
  };
  EXPECT_EQ(RunTitle("2 tap:Enter\n"), Started(60, 2));
  EXPECT_EQ(boxes_, 2);
  EXPECT_EQ(std::string(HighScoreText.begin(), HighScoreText.end()), "00777");
}

TEST_F(TitleScreenTest, TheChosenSpeedPacesTheStageThatFollows) {
  Certify(true, true);
  const struct {
    std::string script;
    int fps;
    uint32_t minimumMs;
  } kCases[] = {{"3 tap:Enter\n", 60, 17}, {"3 tap:X\n", 75, 14}, {"3 tap:Z\n", 100, 11}};
  for (const auto& c : kCases) {
    Start(c.script, 8);
    std::vector<std::string> scenes;
    std::vector<uint32_t> clocks;
    host().onYield = [&](int64_t tick) {
      scenes.emplace_back(CurrentScene);
      clocks.push_back(host().PeekClock());
      if (tick >= 4) {
        EXPECT_EQ(FramesPerSecond, c.fps) << c.script;
      }
    };
    EXPECT_EQ(RunProgram(), 0);
    ASSERT_EQ(scenes.size(), 8u);
    EXPECT_EQ(scenes[2], "title") << c.script;
    EXPECT_EQ(scenes[3], "intro") << c.script;
    for (size_t i = 1; i <= 2; ++i) {  // the title screen always paces at 60
      EXPECT_GE(clocks[i] - clocks[i - 1], 17u) << c.script;
      EXPECT_LE(clocks[i] - clocks[i - 1], 19u) << c.script;
    }
    for (size_t i = 4; i < clocks.size(); ++i) {
      EXPECT_GE(clocks[i] - clocks[i - 1], c.minimumMs) << c.script;
      EXPECT_LE(clocks[i] - clocks[i - 1], c.minimumMs + 2) << c.script;
    }
  }
}

}  // namespace
}  // namespace vormelda
