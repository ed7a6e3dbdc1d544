#include "shell/frame.hpp"
#include "render/sprites.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/winapi.hpp"
#include "shell/form_main.hpp"
#include "support/fake_game_folder.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;
using testing::HostTest;

HeadlessOptions ClockAt(uint32_t start) {
  HeadlessOptions options;
  options.clockStart = start;
  return options;
}

class FrameWaitTest : public HostTest {
 protected:
  // The clock's last reading as a signed count, the way the wait compares it.
  int64_t LastReading() { return static_cast<int32_t>(host().PeekClock() - 1); }
};

TEST_F(FrameWaitTest, EndsAtTheFirstReadingBeyondTheDeadline) {
  // Whichever of the wait's two readings the deadline falls on, it is never cut short and never
  // overshoots by more than the reading that follows.
  for (double rate : {60.0, 75.0, 100.0, 30.0}) {
    for (uint32_t skew : {0u, 1u}) {
      StartHost(ClockAt(1000));
      if (skew == 1) timeGetTime();
      const uint32_t t0 = host().PeekClock() - skew;
      FrameWait(t0, rate);
      const double deadline = t0 + 1000.0 / rate;
      EXPECT_GT(LastReading(), deadline) << rate;
      EXPECT_LE(LastReading(), deadline + 2) << rate;
    }
  }
}

TEST_F(FrameWaitTest, TheSignedWrapOfTheClockEndsTheWaitAtOnce) {
  // 0x7FFFFFFA is 6 readings before the count turns negative, well inside the frame.
  StartHost(ClockAt(0x7FFFFFFAu));
  const uint32_t t0 = timeGetTime();
  FrameWait(t0, 60);
  EXPECT_GE(host().PeekClock(), 0x80000001u);
  EXPECT_LE(host().PeekClock(), 0x80000002u);
}

TEST_F(FrameWaitTest, PassingFromAllOnesToZeroIsNoJumpBackForTheSignedCount) {
  // -16 runs on to 0 and 1: the frame lasts its full 17 ms across the unsigned wrap.
  StartHost(ClockAt(0xFFFFFFF0u));
  const uint32_t t0 = timeGetTime();
  FrameWait(t0, 60);
  EXPECT_GE(LastReading(), 1);
  EXPECT_LE(LastReading(), 2);
}

class SoundCommands : public HostTest {
 protected:
  void SetUp() override {
    HeadlessOptions options;
    options.log = &log_;
    StartHost(options);
  }
  void Advance(int ms) {
    for (int i = 0; i < ms; ++i) timeGetTime();
  }
  // The log lines written since the last call.
  std::string NewLog() {
    std::string all = log_.str();
    std::string fresh = all.substr(seen_);
    seen_ = all.size();
    return fresh;
  }
  std::ostringstream log_;
  size_t seen_ = 0;
  FakeGameFolder folder_;
};

TEST_F(SoundCommands, KeepMusicLoopingRestartsStoppedMusicOnly) {
  MciControl music("mciBackMusic", true);
  KeepMusicLooping(music);  // never opened: nothing is sent
  EXPECT_EQ(music.Mode(), kModeNotOpen);
  EXPECT_EQ(NewLog(), "");

  music.SetFileName(folder_ / "Music/MyBlast.wav", "Music/MyBlast.wav");
  music.Command("Open");
  NewLog();
  KeepMusicLooping(music);  // open and stopped: started from the beginning
  EXPECT_EQ(NewLog(), "0 sound mciBackMusic Prev\n0 sound mciBackMusic Play\n");
  EXPECT_EQ(music.Mode(), kModePlaying);

  Advance(50);
  KeepMusicLooping(music);  // playing: left alone
  EXPECT_EQ(NewLog(), "");
  Advance(50);
  EXPECT_EQ(music.Mode(), kModeStopped);
  KeepMusicLooping(music);  // ran out: looped
  EXPECT_EQ(NewLog(), "0 sound mciBackMusic Prev\n0 sound mciBackMusic Play\n");
  Advance(99);
  EXPECT_EQ(music.Mode(), kModePlaying);
}

TEST_F(SoundCommands, StopMusicStopsAndClosesAnOpenHolderOnly) {
  MciControl music("mciBackMusic", true);
  StopMusic(music);
  EXPECT_EQ(NewLog(), "");
  music.SetFileName(folder_ / "Music/BackMusic.mp3", "Music/BackMusic.mp3");
  music.Command("Open");
  PlayEffect(music);
  NewLog();
  StopMusic(music);
  EXPECT_EQ(NewLog(), "0 sound mciBackMusic Stop\n0 sound mciBackMusic Close\n");
  EXPECT_EQ(music.Mode(), kModeNotOpen);
}

TEST_F(SoundCommands, PlayingAnEffectAgainRestartsItFromTheBeginning) {
  MciControl effect("mciEnemyBlast", false);
  effect.SetFileName(folder_ / "Music/EnemyBlast.wav", "Music/EnemyBlast.wav");
  effect.Command("Open");
  PlayEffect(effect);
  Advance(60);
  PlayEffect(effect);
  PlayEffect(effect);  // twice in one frame: the second request wins, from the start
  Advance(99);
  EXPECT_EQ(effect.Mode(), kModePlaying);
  Advance(1);
  EXPECT_EQ(effect.Mode(), kModeStopped);
  PlayEffect(effect);
  Advance(10);
  StopEffect(effect);
  EXPECT_EQ(effect.Mode(), kModeStopped);
}

class Drawing : public HostTest {
 protected:
  void SetUp() override { StartHost(); }
};

TEST_F(Drawing, ASpriteShowsOnlyItsInsidePartOverTheField) {
  // A 3 x 3 sprite, transparent in its middle: image at (0, 0) of the sheet, mask at (3, 0).
  const uint32_t back = 0xFF102030u, ink = 0xFFC00000u;
  Surface sheet(6, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) sheet.Set(x, y, x == 1 && y == 1 ? kOpaqueBlack : ink);
  }
  sheet.Set(4, 1, kOpaqueWhite);
  frmMain.picCharacter.Image = sheet;
  frmMain.picMain.Image = Surface(420, 560, back);
  const Sprite piece{"piece", {0, 0}, {3, 0}, 3, 3};
  DrawSprite(piece, {418, 558});  // hangs off the right and bottom edges
  DrawSprite(piece, {-1, -1});    // and off the left and top ones
  DrawSprite(piece, {-1, -1});
  const Surface& field = frmMain.picMain.Image;
  int inked = 0;
  for (int y = 0; y < 560; ++y) {
    for (int x = 0; x < 420; ++x) inked += field.At(x, y) == ink;
  }
  EXPECT_EQ(inked, 3 + 3);
  EXPECT_EQ(field.At(418, 558), ink);
  EXPECT_EQ(field.At(419, 559), back);  // the sprite's transparent middle
  EXPECT_EQ(field.At(0, 0), back);
  EXPECT_EQ(field.At(1, 1), ink);
}

}  // namespace
}  // namespace vormelda
