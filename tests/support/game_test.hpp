// What the tests share: a fixture that installs a headless back end with a fresh game, scripted
// input and a log of the sound commands; ready-made records; and a sprite sheet whose every pixel
// tells where on the sheet it came from.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless_platform.hpp"
#include "records/enemy_record.hpp"
#include "records/enemy_shot_record.hpp"
#include "records/shot_slot.hpp"
#include "support/test_files.hpp"

namespace vormelda::testing {

// Installs a headless back end with the game state, the window and the launch settings as a fresh
// program has them (the random generator seeded), and undoes it all afterwards.
class GameTest : public ::testing::Test {
 protected:
  GameTest();
  ~GameTest() override;

  // A fresh back end from options, and a fresh game. Unless the options say otherwise, the back
  // end logs into this fixture's log and closes the window at tick 20000, so that a loop that
  // never ends fails instead of hanging.
  HeadlessPlatform& StartHost(HeadlessOptions options = {});
  // A new back end whose input is this script ("1 Left X\n21\n"); the game state is kept.
  void UseInput(std::string_view script);
  HeadlessPlatform& host() { return *host_; }
  // The window system's turn: the next tick's input takes effect.
  void Yield();

  // The ship of a game in play, as the title screen and the stage start leave it.
  static void NewShip(int32_t x = 185, int32_t y = 410);

  // "holder command" for every sound command logged since the last ClearLog, in order.
  std::vector<std::string> SoundCommands() const;
  // The commands sent to one holder.
  std::vector<std::string> SoundCommands(std::string_view holder) const;
  int ShotSounds() const;
  void ClearLog();

 private:
  std::ostringstream log_;
  std::unique_ptr<HeadlessPlatform> host_;
};

EnemyRecord Enemy(uint8_t kind, float x, float y, float dx = 0, float dy = 0, int32_t timer = 0,
                  int16_t hp = 3);
EnemyShotRecord Bullet(uint8_t kind, float x, float y, float dx = 0, float dy = 0,
                       int32_t size = 10, uint8_t step = 1);
ShotSlot LiveShot(int32_t x, int32_t y, int16_t dx = 0, int16_t dy = -10);

// Sheet pixels tell their own position: 0xFF000000 | x << 12 | y.
uint32_t Coded(int x, int y);
Surface CodedSheet(int width, int height);
// A 420 x 560 background whose rows read 0xFF000000 | piece << 16 | y.
uint32_t BackPixel(int piece, int y);
Surface CodedBackground(int piece);
// What a masked draw leaves on a field pixel bg, for the sheet pixels at (mx, my) and (ix, iy).
inline uint32_t Masked(uint32_t bg, int mx, int my, int ix, int iy) {
  return (bg & Coded(mx, my)) | Coded(ix, iy);
}

}  // namespace vormelda::testing
