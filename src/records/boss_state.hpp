#pragma once

#include <cstdint>

#include "records/flag.hpp"

namespace vormelda {

// The boss stage's globals, set afresh at the start of every boss stage.
struct BossState {
  float BossX = 0;  // left edge, sways within 0..120
  float BossY = 0;  // top edge, enters down to 25
  float BossDX = 0;
  float BossDY = 0;
  int16_t BossHP = 0;
  Flag BossAlive = kFalse;
  Flag BossRage = kFalse;  // second phase, below 1500 hit points
  Flag BossStageOver = kFalse;
  Flag BossBackSwitched1 = kFalse;
  Flag BossBackSwitched2 = kFalse;
  bool operator==(const BossState&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("BossX", BossX);
    f("BossY", BossY);
    f("BossDX", BossDX);
    f("BossDY", BossDY);
    f("BossHP", BossHP);
    f("BossAlive", BossAlive);
    f("BossRage", BossRage);
    f("BossStageOver", BossStageOver);
    f("BossBackSwitched1", BossBackSwitched1);
    f("BossBackSwitched2", BossBackSwitched2);
  }
};

}  // namespace vormelda
