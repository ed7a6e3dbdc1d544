#include "flow/startup.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/folders.hpp"
#include "records/game_state.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;

// The lines of a log that contain one of the words.
std::vector<std::string> Lines(const std::string& log, std::vector<std::string> words) {
  std::vector<std::string> out;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    for (const auto& w : words) {
      if (line.find(w) != std::string::npos) {
        out.push_back(line);
        break;
      }
    }
  }
  return out;
}

// Catches what is written to std::cerr while it lives.
class CerrCapture {
 public:
  CerrCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~CerrCapture() { std::cerr.rdbuf(old_); }
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* old_;
};

HeadlessOptions Options(int64_t ticks, std::ostream* log = nullptr) {
  HeadlessOptions options;
  options.ticks = ticks;
  options.log = log;
  return options;
}

class StartUp : public testing::GameTest {
 protected:
  int Run(int64_t ticks) {
    StartHost(Options(ticks, &log_));
    Launch.appFolder = folder_.Path();
    Launch.seed = 3;
    CerrCapture cerr;
    int status = RunProgram();
    report_ = cerr.Text();
    return status;
  }
  FakeGameFolder folder_;
  std::ostringstream log_;
  std::string report_;
};

TEST(AppPath, EndsInExactlyOneSlash) {
  for (auto [folder, path] : std::vector<std::pair<std::string, std::string>>{
           {"/opt/vormelda", "/opt/vormelda/"}, {"/opt/vormelda/", "/opt/vormelda/"}, {"/", "/"}}) {
    Launch.appFolder = folder;
    EXPECT_EQ(AppPath(), path) << folder;
  }
  Launch = {};
  EXPECT_EQ(AppPath(), ExecutableFolder() + "/");  // beside the program by default
  EXPECT_NE(ExecutableFolder().back(), '/');
}

TEST_F(StartUp, CountsTheLoadingStepsInTheCaption) {
  ASSERT_EQ(Run(1), 0);
  const std::string title = "0 caption Vormelda - Now Loading...";
  const std::string wide = "\u3000";
  EXPECT_EQ(Lines(log_.str(), {"caption", "FileName=", "visible"}),
            (std::vector<std::string>{
                title + wide + "0/10",
                "0 visible picMain 0",
                title + wide + "1/10",
                title + wide + "2/10",
                title + wide + "3/10",
                title + wide + "4/10",
                title + wide + "5/10",
                "0 sound mciMyBlast FileName=Music/MyBlast.wav",
                title + wide + "6/10",
                "0 sound mciItem FileName=Music/PowerUp.wav",
                title + wide + "7/10",
                "0 sound mciBom FileName=Music/Bom.wav",
                title + wide + "8/10",
                "0 sound mciTama3 FileName=Music/Tama3.wav",
                "0 sound mciEnemyBlast FileName=Music/EnemyBlast.wav",
                title + wide + "9/10",
                "0 sound mciBossBlast FileName=Music/BossBlast.wav",
                title + " 10/10",
                "0 sound mciBackMusic FileName=Music/BackMusic.mp3",
                "0 caption Vormelda",
                "0 visible picMain 1",
            }));
}

TEST_F(StartUp, LoadsEveryPictureAndSound) {
  StartHost();
  Launch.appFolder = folder_.Path();
  Launch.seed = 9;
  LoadResources();
  EXPECT_EQ(frmMain.picMain.Image.Width(), 420);
  EXPECT_EQ(frmMain.picMain.Image.Height(), 560);
  EXPECT_FALSE(frmMain.picMain.Visible);
  EXPECT_EQ(frmMain.picCharacter.Image.Width(), 16);
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(frmMain.PicBack[i].Image.Height(), 560) << i;
    EXPECT_EQ(frmMain.PicBack[i].Image.At(3, 100), FakeGameFolder::BackgroundPixel(i, 100)) << i;
  }
  for (MciControl* c : {&frmMain.mciMyBlast, &frmMain.mciItem, &frmMain.mciBom, &frmMain.mciTama3,
                        &frmMain.mciEnemyBlast, &frmMain.mciBossBlast}) {
    EXPECT_EQ(c->Mode(), kModeStopped) << c->Name();
  }
  EXPECT_EQ(frmMain.mciHit.Mode(), kModeNotOpen);
  EXPECT_EQ(frmMain.mciBackMusic.Mode(), kModeNotOpen);  // the title screen opens it
  RandomGenerator seeded;
  seeded.Seed(9);
  EXPECT_EQ(Game.Random, seeded);
}

TEST_F(StartUp, AMissingPictureEndsTheProgramNamingTheFile) {
  folder_.Remove("Picture/3.pic");
  EXPECT_EQ(Run(5), 1);
  EXPECT_NE(report_.find("Picture/3.pic"), std::string::npos) << report_;
  EXPECT_EQ(host().Tick(), 0);  // no scene ran
  const auto captions = Lines(log_.str(), {"caption"});
  ASSERT_FALSE(captions.empty());
  EXPECT_NE(captions.back().find("4/10"), std::string::npos);
}

TEST_F(StartUp, APictureThatIsNoPictureIsFatalToo) {
  folder_.Write("Picture/Character.pic", "GIF89a? not really");
  EXPECT_EQ(Run(5), 1);
  EXPECT_NE(report_.find("Picture/Character.pic"), std::string::npos) << report_;
}

TEST_F(StartUp, AMissingSoundIsNoError) {
  folder_.Remove("Music/Bom.wav");
  bool checked = false;
  StartHost(Options(3));
  host().onYield = [&](int64_t) {
    checked = true;
    EXPECT_EQ(frmMain.mciBom.Mode(), kModeNotOpen);
    EXPECT_EQ(frmMain.mciItem.Mode(), kModeStopped);
  };
  Launch.appFolder = folder_.Path();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(checked);
}

TEST_F(StartUp, ClosingTheWindowClosesTheSoundsAndEndsTheProgram) {
  ASSERT_EQ(Run(4), 0);
  EXPECT_EQ(host().Tick(), 5);
  EXPECT_EQ(Lines(log_.str(), {"Close"}),
            (std::vector<std::string>{"5 sound mciEnemyBlast Close", "5 sound mciMyBlast Close",
                                      "5 sound mciItem Close", "5 sound mciHit Close",
                                      "5 sound mciBom Close", "5 sound mciTama3 Close",
                                      "5 sound mciBackMusic Close"}));
  EXPECT_EQ(frmMain.mciMyBlast.Mode(), kModeNotOpen);
  EXPECT_EQ(frmMain.mciBossBlast.Mode(), kModeStopped);  // not among the closed ones
}

TEST_F(StartUp, ReleasingEnterOnlySetsTheTag) {
  StartHost();
  frmMain.OnKeyUp(88);
  EXPECT_EQ(frmMain.Tag, "");
  frmMain.OnKeyUp(13);
  EXPECT_EQ(frmMain.Tag, "抜ける");
  EXPECT_THROW(frmMain.OnClose(), ProgramEnd);
}

}  // namespace
}  // namespace vormelda
