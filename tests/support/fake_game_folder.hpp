// What many tests share: a throw-away game folder with every data file the program opens (the
// sound files made by hand), and a fixture that installs a headless back end with the game state
// reset.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless_platform.hpp"
#include "support/test_files.hpp"

namespace vormelda::testing {

using testfiles::MakeMp3;
using testfiles::MakeWav;
using testfiles::ReadFile;
using testfiles::TempFolder;
using testfiles::WriteFile;

// Every picture of start-up (small ones; the backgrounds 8 x 560 with row y coloured
// BackgroundPixel(i, y)), every effect, the stage music and a HighScore.ini holding 00000.
class FakeGameFolder : public TempFolder {
 public:
  FakeGameFolder();
  void Write(std::string_view name, std::string_view content) const;
  void Remove(std::string_view name) const;
  static uint32_t BackgroundPixel(int picture, int y);
};

// Installs a HeadlessPlatform built from options as the host, with the game state, the window
// and the launch settings as a fresh program has them; undoes it all afterwards.
// Fixtures that override TearDown call this one's; it runs before their members go away.
class HostTest : public ::testing::Test {
 protected:
  void TearDown() override;
  HeadlessPlatform& StartHost(HeadlessOptions options = {});
  HeadlessPlatform& host() { return *host_; }

 private:
  std::unique_ptr<HeadlessPlatform> host_;
};

}  // namespace vormelda::testing
