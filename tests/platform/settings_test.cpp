// settings.ini as players write it: every line read or refused with its reason, the defaults for
// what is refused, and the file the game writes read back as it was.
#include "platform/settings.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vormelda {
namespace {

// Names as SDL gives them, for a few keys and buttons; any case is understood.
SettingNames Names() {
  static const std::map<std::string, std::string> keys = {{"x", "X"},
                                                          {"z", "Z"},
                                                          {"space", "Space"},
                                                          {"up", "Up"},
                                                          {"down", "Down"},
                                                          {"left", "Left"},
                                                          {"right", "Right"},
                                                          {"return", "Return"},
                                                          {"keypad enter", "Keypad Enter"},
                                                          {"left shift", "Left Shift"},
                                                          {"a", "A"}};
  static const std::map<std::string, std::string> buttons = {
      {"a", "a"}, {"b", "b"}, {"x", "x"}, {"start", "start"}, {"back", "back"}};
  const auto find = [](const std::map<std::string, std::string>& names) {
    return [&names](std::string_view name) -> std::optional<std::string> {
      std::string lower(name);
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const auto it = names.find(lower);
      if (it == names.end()) return std::nullopt;
      return it->second;
    };
  };
  return {find(keys), find(buttons)};
}

TEST(Settings, ReadsEachLineOrSaysWhyNotAndKeepsTheDefault) {
  const Settings defaults;
  const std::string longLine(2000, 'x');
  const struct {
    const char* text;
    const char* notice;  // where the notice starts; "" when all was read
    void (*expect)(const Settings&);
  } kCases[] = {
      {"", "", [](const Settings& s) { EXPECT_EQ(s, Settings{}); }},
      {"# only comments\n; and these\n\n", "", [](const Settings& s) { EXPECT_EQ(s, Settings{}); }},
      {"[window]\nscaling = smooth-fill\nfullscreen = yes\nsize = 1000x900\nscale = 2\n", "",
       [](const Settings& s) {
         EXPECT_EQ(s.window.scaling, Scaling::SmoothFill);
         EXPECT_TRUE(s.window.fullscreen);
         EXPECT_EQ(s.window.width, 1000);
         EXPECT_EQ(s.window.height, 900);
         EXPECT_EQ(s.window.scale, 2);
       }},
      {"[KEYS]\r\n  Fire =  x , Space \r\nbomb=left shift\n", "",
       [](const Settings& s) {
         EXPECT_EQ(s.keys[4], (std::vector<std::string>{"X", "Space"}));
         EXPECT_EQ(s.keys[5], (std::vector<std::string>{"Left Shift"}));
       }},
      {"[gamepad]\nfire = x\nstart = back\n[sound]\nmusic = 0\neffects = 100\n", "",
       [](const Settings& s) {
         EXPECT_EQ(s.pad, (std::array<std::string, 3>{"x", "b", "back"}));
         EXPECT_EQ(s.musicVolume, 0);
       }},
      {"[keys]\nfire = NoSuchKey\n", "line 2: no key is named \"NoSuchKey\"",
       [](const Settings& s) { EXPECT_EQ(s.keys[4], Settings{}.keys[4]); }},
      {"[sound]\nmusic = 101\neffects = -1\n", "line 2: a volume is 0 to 100, not 101 (and 1 more",
       [](const Settings& s) { EXPECT_EQ(s.musicVolume, 100); }},
      {"[window]\nsize = 100x100\nscaling = huge\nscale = 17\n", "line 2: the size is auto or",
       [](const Settings& s) { EXPECT_EQ(s.window, Settings{}.window); }},
      {"fire = X\n", "line 1: \"fire\" is in no section", nullptr},
      {"[colours]\nsky = blue\n", "line 1: no section [colours]", nullptr},
      {"[keys]\njump = X\n", "line 2: [keys] has no \"jump\"", nullptr},
      {"[sound]\nmusic 50\n", "line 2: a setting is written name = value", nullptr},
      {"\x01\x02\xff\n[window\n", "line 1: a setting is written", nullptr},
      {"[keys]\nfire = Z\n", "a key is bound twice; bomb gives it up",
       [](const Settings& s) {
         EXPECT_EQ(s.keys[4], (std::vector<std::string>{"Z"}));
         EXPECT_EQ(s.keys[5], Settings{}.keys[5]);  // back to its default, Z, which fire holds
       }},
      {longLine.c_str(), "line 1: longer than 1024 characters", nullptr},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.text).substr(0, 60));
    const ReadSettings read = ParseSettings(c.text, Names());
    EXPECT_EQ(read.notice.rfind(c.notice, 0), 0u) << read.notice;
    if (*c.notice != '\0') {
      EXPECT_NE(read.notice.find("the defaults stand"), std::string::npos);
    }
    if (c.expect != nullptr) c.expect(read.settings);
  }
  EXPECT_EQ(defaults, Settings{});
}

TEST(Settings, TheFileTheGameWritesReadsBackAsItWas) {
  Settings s;
  s.window.scaling = Scaling::SharpFill;
  s.window.fullscreen = true;
  s.window.width = 1000;
  s.window.height = 900;
  s.keys[4] = {"Space", "X"};
  s.pad[2] = "back";
  s.musicVolume = 35;
  const ReadSettings read = ParseSettings(FormatSettings(s), Names());
  EXPECT_EQ(read.notice, "");
  EXPECT_EQ(read.settings, s);
  EXPECT_EQ(ParseSettings(FormatSettings(Settings{}), Names()).settings, Settings{});
}

}  // namespace
}  // namespace vormelda
