// The whole mutable game state in one record, so that it can be saved and restored in one copy,
// and the globals every step reads and writes in place, by their own names.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/joyinfo.hpp"
#include "records/blast_record.hpp"
#include "records/boss_state.hpp"
#include "records/enemy_record.hpp"
#include "records/enemy_shot_record.hpp"
#include "records/flag.hpp"
#include "records/growable_list.hpp"
#include "records/item_record.hpp"
#include "records/one_based_array.hpp"
#include "records/player_record.hpp"
#include "records/random_generator.hpp"
#include "records/shot_slot.hpp"

namespace vormelda {

struct GameState {
  PlayerRecord Player;
  OneBasedArray<ShotSlot, 8> CenterShots;
  OneBasedArray<ShotSlot, 2> LeftShots;
  OneBasedArray<ShotSlot, 2> RightShots;
  GrowableList<EnemyRecord> Enemies;
  GrowableList<EnemyShotRecord> EnemyShots;
  GrowableList<BlastRecord> Blasts;
  ItemRecord PowerItem;
  ItemRecord BombItem;
  int32_t FrameCount = 0;
  uint8_t FramesPerSecond = 0;
  std::array<char, 5> HighScoreText{};  // five NUL characters until a file is read
  Flag StartButtonLatch = kFalse;
  int16_t BombTimer = 0;
  int16_t MissCountdown = 0;
  int32_t MissBlastX = 0;
  int32_t MissBlastY = 0;
  Flag BackSwitched = kFalse;
  JOYINFOEX JoyInfo;
  std::vector<uint8_t> ShotSound;  // the whole shot WAV file
  int16_t LoopIndex = 0;
  BossState Boss;
  RandomGenerator Random;
  bool operator==(const GameState&) const = default;
  // Every field by name, in order: the whole state, for the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("Player", Player);
    f("CenterShots", CenterShots);
    f("LeftShots", LeftShots);
    f("RightShots", RightShots);
    f("Enemies", Enemies);
    f("EnemyShots", EnemyShots);
    f("Blasts", Blasts);
    f("PowerItem", PowerItem);
    f("BombItem", BombItem);
    f("FrameCount", FrameCount);
    f("FramesPerSecond", FramesPerSecond);
    f("HighScoreText", HighScoreText);
    f("StartButtonLatch", StartButtonLatch);
    f("BombTimer", BombTimer);
    f("MissCountdown", MissCountdown);
    f("MissBlastX", MissBlastX);
    f("MissBlastY", MissBlastY);
    f("BackSwitched", BackSwitched);
    f("JoyInfo", JoyInfo);
    f("ShotSound", ShotSound);
    f("LoopIndex", LoopIndex);
    f("Boss", Boss);
    f("Random", Random);
  }
};

inline GameState Game;

inline PlayerRecord& Player = Game.Player;
inline OneBasedArray<ShotSlot, 8>& CenterShots = Game.CenterShots;
inline OneBasedArray<ShotSlot, 2>& LeftShots = Game.LeftShots;
inline OneBasedArray<ShotSlot, 2>& RightShots = Game.RightShots;
inline GrowableList<EnemyRecord>& Enemies = Game.Enemies;
inline GrowableList<EnemyShotRecord>& EnemyShots = Game.EnemyShots;
inline GrowableList<BlastRecord>& Blasts = Game.Blasts;
inline ItemRecord& PowerItem = Game.PowerItem;
inline ItemRecord& BombItem = Game.BombItem;
inline int32_t& FrameCount = Game.FrameCount;
inline uint8_t& FramesPerSecond = Game.FramesPerSecond;
inline std::array<char, 5>& HighScoreText = Game.HighScoreText;
inline Flag& StartButtonLatch = Game.StartButtonLatch;
inline int16_t& BombTimer = Game.BombTimer;
inline int16_t& MissCountdown = Game.MissCountdown;
inline int32_t& MissBlastX = Game.MissBlastX;
inline int32_t& MissBlastY = Game.MissBlastY;
inline Flag& BackSwitched = Game.BackSwitched;
inline JOYINFOEX& JoyInfo = Game.JoyInfo;
inline std::vector<uint8_t>& ShotSound = Game.ShotSound;
inline int16_t& LoopIndex = Game.LoopIndex;

inline float& BossX = Game.Boss.BossX;
inline float& BossY = Game.Boss.BossY;
inline float& BossDX = Game.Boss.BossDX;
inline float& BossDY = Game.Boss.BossDY;
inline int16_t& BossHP = Game.Boss.BossHP;
inline Flag& BossAlive = Game.Boss.BossAlive;
inline Flag& BossRage = Game.Boss.BossRage;
inline Flag& BossStageOver = Game.Boss.BossStageOver;
inline Flag& BossBackSwitched1 = Game.Boss.BossBackSwitched1;
inline Flag& BossBackSwitched2 = Game.Boss.BossBackSwitched2;

}  // namespace vormelda
