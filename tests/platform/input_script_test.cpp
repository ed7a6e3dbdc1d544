#include "platform/input_script.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless_platform.hpp"
#include "platform/keys.hpp"

namespace vormelda {
namespace {

std::vector<InputLine> Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseInputScript(in);
}

TEST(InputScript, ReadsEveryToken) {
  auto lines = Parse("7 Up Down Left Right X Z Enter\n8 tap:Enter tap:X J1 J3 JX=0 JY=65535\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].tick, 7);
  EXPECT_EQ(lines[0].heldKeys,
            (std::vector<int>{VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_X, VK_Z, VK_RETURN}));
  EXPECT_FALSE(lines[0].joystick);
  EXPECT_TRUE(lines[1].heldKeys.empty());
  EXPECT_EQ(lines[1].tappedKeys, (std::vector<int>{VK_RETURN, VK_X}));
  EXPECT_TRUE(lines[1].joystick);
  EXPECT_EQ(lines[1].joyButtons, 1u | 4u);
  EXPECT_EQ(lines[1].joyX, 0u);
  EXPECT_EQ(lines[1].joyY, 65535u);
  EXPECT_FALSE(lines[1].close);

  auto joy = Parse("3 Joy\n4 J2 close\n5\n");
  ASSERT_EQ(joy.size(), 3u);
  EXPECT_TRUE(joy[0].joystick);
  EXPECT_EQ(joy[0].joyButtons, 0u);
  EXPECT_EQ(joy[0].joyX, 32767u);
  EXPECT_EQ(joy[0].joyY, 32767u);
  EXPECT_EQ(joy[1].joyButtons, 2u);
  EXPECT_TRUE(joy[1].close);
  EXPECT_TRUE(joy[2].heldKeys.empty());  // a bare tick releases everything
}

TEST(InputScript, SkipsCommentsAndBlankLinesAndSortsByTick) {
  auto lines = Parse("# a comment\r\n\r\n  \t\n30 Z\r\n   # indented comment\n10 X\n30 Up\n20\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].tick, 10);
  EXPECT_EQ(lines[1].tick, 20);
  EXPECT_EQ(lines[2].tick, 30);
  EXPECT_EQ(lines[2].heldKeys, (std::vector<int>{VK_UP}));  // the later line for 30 wins
}

TEST(InputScript, ABadLineIsReportedWithItsNumber) {
  for (auto [text, line] : std::vector<std::pair<std::string, std::string>>{
           {"1 X\n# fine\n3 Space\n", "line 3"},
           {"1 tap:Space\n", "line 1"},
           {"\n0 X\n", "line 2"},
           {"-4 X\n", "line 1"},
           {"X 5\n", "line 1"},
           {"5x Up\n", "line 1"},
           {"1 X\n2 JX=65536\n", "line 2"},
           {"1 JY=abc\n", "line 1"},
           {"1 JX=-1\n", "line 1"},
           {"1 up\n", "line 1"},
       }) {
    try {
      Parse(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(line), std::string::npos) << e.what();
    }
  }
}

TEST(InputScript, RecordedLinesReadBackTheSame) {
  const std::string text = "12 Left X tap:Enter J1 J2 JX=100 JY=200 close\n13 Joy\n14 Up\n15\n";
  std::string again;
  for (const auto& line : Parse(text)) again += FormatInputLine(line) + "\n";
  EXPECT_EQ(again, text);
}

// Stands for the window: records what the yields deliver.
struct Window final : WindowEvents {
  std::vector<int> keyUps;
  int closes = 0;
  void OnKeyUp(int virtualKey) override { keyUps.push_back(virtualKey); }
  void OnClose() override { ++closes; }
};

HeadlessPlatform Scripted(const std::string& script, int64_t ticks = -1) {
  HeadlessOptions options;
  options.input = Parse(script);
  options.ticks = ticks;
  return HeadlessPlatform(std::move(options));
}

TEST(HeadlessKeys, AHeldKeyReadsDownAtEveryQuery) {
  HeadlessPlatform host = Scripted("2 X\n5\n");
  Window window;
  host.PumpEvents(window);
  EXPECT_EQ(host.GetAsyncKeyState(VK_X), 0);
  host.PumpEvents(window);
  EXPECT_NE(host.GetAsyncKeyState(VK_X) & 0x8000, 0);
  EXPECT_NE(host.GetAsyncKeyState(VK_X), 0);
  host.PumpEvents(window);
  host.PumpEvents(window);
  EXPECT_NE(host.GetAsyncKeyState(VK_X), 0);
  EXPECT_EQ(host.GetAsyncKeyState(VK_Z), 0);
  host.PumpEvents(window);  // tick 5 releases it
  EXPECT_EQ(host.GetAsyncKeyState(VK_X), 0);
  EXPECT_TRUE(window.keyUps == std::vector<int>{VK_X});
}

TEST(HeadlessKeys, ATapIsReportedOnceAsPressedSinceTheLastQuery) {
  HeadlessPlatform host = Scripted("1 tap:Z\n");
  Window window;
  host.PumpEvents(window);
  host.PumpEvents(window);
  EXPECT_EQ(host.GetAsyncKeyState(VK_Z), 1);
  EXPECT_EQ(host.GetAsyncKeyState(VK_Z), 0);
}

TEST(HeadlessKeys, APressBetweenTwoQueriesIsNotLost) {
  HeadlessPlatform host = Scripted("2 Left\n3\n");
  Window window;
  for (int i = 0; i < 4; ++i) host.PumpEvents(window);
  EXPECT_EQ(host.GetAsyncKeyState(VK_LEFT), 1);
  EXPECT_EQ(host.GetAsyncKeyState(VK_LEFT), 0);
}

TEST(HeadlessKeys, ReleasingEnterReachesTheWindowWhetherTappedOrHeld) {
  HeadlessPlatform host = Scripted("2 tap:Enter\n4 Enter Up\n5 Enter\n7 Up\n");
  Window window;
  std::vector<std::vector<int>> perTick;
  for (int i = 0; i < 8; ++i) {
    window.keyUps.clear();
    host.PumpEvents(window);
    perTick.push_back(window.keyUps);
  }
  EXPECT_EQ(perTick,
            (std::vector<std::vector<int>>{{}, {VK_RETURN}, {}, {}, {VK_UP}, {}, {VK_RETURN}, {}}));
}

TEST(HeadlessJoystick, IsAttachedFromTheFirstLineThatNamesIt) {
  HeadlessPlatform host = Scripted("2 X\n3 J3 JX=0\n4\n");
  Window window;
  JOYINFOEX info;
  host.PumpEvents(window);
  host.PumpEvents(window);
  EXPECT_NE(host.JoyGetPosEx(0, info), 0u);
  EXPECT_NE(host.JoySetCapture(0, 1, false), 0u);
  host.PumpEvents(window);
  ASSERT_EQ(host.JoyGetPosEx(0, info), 0u);
  EXPECT_EQ(info.dwButtons, 4u);
  EXPECT_EQ(info.dwXpos, 0u);
  EXPECT_EQ(info.dwYpos, 32767u);
  EXPECT_EQ(host.JoySetCapture(0, 1, false), 0u);
  host.PumpEvents(window);  // stays attached, centred, no buttons
  ASSERT_EQ(host.JoyGetPosEx(0, info), 0u);
  EXPECT_EQ(info.dwButtons, 0u);
  EXPECT_EQ(info.dwXpos, 32767u);
  EXPECT_NE(host.JoyGetPosEx(1, info), 0u);  // only the first joystick exists
}

TEST(HeadlessWindow, IsClosedByTheScriptOrAfterTheLastTick) {
  HeadlessPlatform host = Scripted("3 close\n");
  Window window;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(window.closes, 0);
    host.PumpEvents(window);
  }
  EXPECT_EQ(window.closes, 1);

  HeadlessPlatform limited = Scripted("", 2);
  Window other;
  limited.PumpEvents(other);
  limited.PumpEvents(other);
  EXPECT_EQ(other.closes, 0);
  limited.PumpEvents(other);
  EXPECT_EQ(other.closes, 1);
  EXPECT_EQ(limited.Tick(), 3);
}

}  // namespace
}  // namespace vormelda
