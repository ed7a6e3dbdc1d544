// The stage's timetable: 47 event groups, each appending its enemies in the frames it lists.
#pragma once

#include <cstdint>
#include <vector>

namespace vormelda {

// A field's value: fixed, RandomInt(lo, hi), or k times RandomSign().
struct ValueSpec {
  enum class Type : uint8_t { Fixed, RandomInt, TimesSign };
  Type type = Type::Fixed;
  float value = 0;  // the fixed value, or k
  int16_t lo = 0;
  int16_t hi = 0;
};

struct EnemySpec {
  uint8_t Kind = 0;
  ValueSpec SpawnX;
  int16_t SpawnY = 0;
  ValueSpec DX;
  float DY = 0;
  int32_t Timer = 0;
  int16_t FireTimer = 0;
};

// The enemies one frame appends, in order. A formation loop sets LoopIndex for each pass.
struct Formation {
  std::vector<EnemySpec> enemies;
  bool loop = false;
  int16_t firstLoopIndex = 1;
};

struct EventFrame {
  int32_t frame = 0;
  uint8_t formation = 0;  // index into the group's formations
};

struct EventGroup {
  int row = 0;
  std::vector<EventFrame> frames;
  std::vector<Formation> formations;
};

const std::vector<EventGroup>& StageTimetable();

// The group and formation of a frame, or null when the frame appends nothing.
const Formation* FormationAt(int32_t frame);

}  // namespace vormelda
