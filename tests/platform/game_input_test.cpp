// A recording's line for a tick, made from what the keys and the joystick did during it, must make
// a replay's game see exactly what the game saw: the same key states at its queries and the same
// key-up events.
#include "platform/game_input.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/keys.hpp"

namespace vormelda {
namespace {

TEST(LineOfTick, ReplaysWhatEachKeyDidWithinTheTick) {
  const struct {
    const char* what;
    bool heldBefore;
    KeyActivity activity;  // of X during the tick
    const char* line;      // as recorded
    int16_t query;         // what the game then reads for X
    bool keyUp;            // whether the window hears X go up
  } kCases[] = {
      {"untouched", false, {VK_X, false, false, false}, "5", 0, false},
      {"pressed and held", false, {VK_X, true, true, false}, "5 X", int16_t(0x8001), false},
      {"held on", true, {VK_X, true, false, false}, "5 X", int16_t(0x8000), false},
      {"released", true, {VK_X, false, false, true}, "5", 0, true},
      {"pressed and released", false, {VK_X, false, true, true}, "5 tap:X", 1, true},
      {"released and pressed again",
       true,
       {VK_X, true, true, true},
       "5 X tap:X",
       int16_t(0x8001),
       true},
      {"pressed, released and pressed",
       false,
       {VK_X, true, true, true},
       "5 X tap:X",
       int16_t(0x8001),
       true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    GameInput replay;
    InputLine before;
    before.tick = 4;
    if (c.heldBefore) before.heldKeys = {VK_X};
    replay.Apply(before);
    (void)replay.GetAsyncKeyState(VK_X);  // the game read the key during tick 4

    const InputLine line = LineOfTick(5, {c.activity}, std::nullopt, false, false);
    EXPECT_EQ(FormatInputLine(line), c.line);
    const std::vector<int> ups = replay.Apply(line);
    EXPECT_EQ(std::count(ups.begin(), ups.end(), VK_X) > 0, c.keyUp);
    EXPECT_EQ(replay.GetAsyncKeyState(VK_X), c.query);
  }
}

TEST(LineOfTick, RecordsTheJoystickItsUnpluggingAndTheClose) {
  const JoystickReading stick{0, 65535, 2};
  GameInput replay;
  replay.Apply(LineOfTick(1, {}, stick, false, false));
  JOYINFOEX info{};
  ASSERT_TRUE(replay.ReadJoystick(info));
  EXPECT_EQ(info.dwXpos, 0u);
  EXPECT_EQ(info.dwYpos, 65535u);
  EXPECT_EQ(info.dwButtons, 2u);
  EXPECT_EQ(info.dwButtonNumber, 1u);

  const InputLine gone = LineOfTick(2, {}, std::nullopt, true, true);
  EXPECT_EQ(FormatInputLine(gone), "2 NoJoy close");
  replay.Apply(gone);
  EXPECT_FALSE(replay.ReadJoystick(info));
  EXPECT_FALSE(replay.JoystickAttached());
  // Never plugged in: nothing to say.
  EXPECT_EQ(FormatInputLine(LineOfTick(3, {}, std::nullopt, false, false)), "3");
}

}  // namespace
}  // namespace vormelda
