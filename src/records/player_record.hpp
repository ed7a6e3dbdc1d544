#pragma once

#include <cstdint>

#include "records/flag.hpp"

namespace vormelda {

// The ship. X within -5..375 and Y within -2..480 while steered; Bank -13..13 picks its picture.
struct PlayerRecord {
  int32_t X = 0;
  int32_t Y = 0;
  uint8_t Power = 0;  // 1 twin shot, 2 with faster centre shots and the diagonals
  int16_t Bank = 0;
  int16_t CenterCooldown1 = 0;  // at Power 1, reloaded with 4
  int16_t CenterCooldown2 = 0;  // otherwise, reloaded with 3
  int16_t LeftCooldown = 0;
  int16_t RightCooldown = 0;
  uint8_t Lives = 0;  // ships left including the one in play
  uint8_t Bombs = 0;
  int32_t Score = 0;
  Flag OnScreen = kFalse;
  bool operator==(const PlayerRecord&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("X", X);
    f("Y", Y);
    f("Power", Power);
    f("Bank", Bank);
    f("CenterCooldown1", CenterCooldown1);
    f("CenterCooldown2", CenterCooldown2);
    f("LeftCooldown", LeftCooldown);
    f("RightCooldown", RightCooldown);
    f("Lives", Lives);
    f("Bombs", Bombs);
    f("Score", Score);
    f("OnScreen", OnScreen);
  }
};

}  // namespace vormelda
