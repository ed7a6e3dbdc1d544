#include "window/frame.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/winapi.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;
using testing::GameTest;

HeadlessOptions ClockAt(uint32_t start) {
  HeadlessOptions options;
  options.clockStart = start;
  return options;
}

class FrameWaitTest : public GameTest {
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

class SoundCommands : public GameTest {
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

}  // namespace
}  // namespace vormelda
