#include "platform/keyboard.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.hpp"

namespace vormelda {
namespace {

// Scan codes of a made-up keyboard: Enter on two keys, X on one.
constexpr int kEnter = 10, kKeypadEnter = 11, kX = 20, kUnbound = 99;

// One letter per thing a key did: h held, p pressed, r released; "-" for nothing.
std::string Did(const KeyActivity& k) {
  std::string s = std::string(k.held ? "h" : "") + (k.pressed ? "p" : "") + (k.released ? "r" : "");
  return s.empty() ? "-" : s;
}

TEST(Keyboard, TellsWhatEachGameKeyDidInATick) {
  const struct {
    const char* what;
    std::vector<int> before;  // pressed in the tick before
    std::vector<int> events;  // in this tick: a code pressed, or minus a code released; 0 all up
    const char* enter;
    const char* x;
  } kCases[] = {
      {"nothing", {}, {}, "-", "-"},
      {"pressed", {}, {kEnter}, "hp", "-"},
      {"held on", {kEnter}, {}, "h", "-"},
      {"released", {kEnter}, {-kEnter}, "r", "-"},
      {"tapped", {}, {kX, -kX}, "-", "pr"},
      {"released and pressed again", {kX}, {-kX, kX}, "-", "hpr"},
      {"a second key of a key held", {kEnter}, {kKeypadEnter, -kEnter}, "h", "-"},
      {"both keys of a key let go", {kEnter, kKeypadEnter}, {-kEnter, -kKeypadEnter}, "r", "-"},
      {"released, never pressed", {}, {-kX}, "-", "-"},
      {"a key of no game key", {}, {kUnbound, -kUnbound}, "-", "-"},
      {"the focus lost", {kEnter, kX}, {0}, "r", "r"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    Keyboard keyboard({{kEnter, VK_RETURN}, {kKeypadEnter, VK_RETURN}, {kX, VK_X}});
    for (int code : c.before) keyboard.Press(code);
    keyboard.TakeActivity();
    for (int e : c.events) {
      if (e == 0) {
        keyboard.ReleaseAll();
      } else if (e > 0) {
        keyboard.Press(e);
      } else {
        keyboard.Release(-e);
      }
    }
    const std::vector<KeyActivity> activity = keyboard.TakeActivity();
    ASSERT_EQ(activity.size(), 2u);
    EXPECT_EQ(activity[0].virtualKey, VK_RETURN);
    EXPECT_EQ(Did(activity[0]), c.enter);
    EXPECT_EQ(activity[1].virtualKey, VK_X);
    EXPECT_EQ(Did(activity[1]), c.x);
  }
}

}  // namespace
}  // namespace vormelda
