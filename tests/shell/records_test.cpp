#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "common/helpers.hpp"
#include "shell/game_state.hpp"

namespace vormelda {
namespace {

template <typename Field, typename Want>
constexpr bool kIs = std::is_same_v<std::remove_cvref_t<Field>, Want>;

// Widths and signedness the game's arithmetic depends on (wrap-around, float positions).
static_assert(kIs<decltype(PlayerRecord::X), int32_t> && kIs<decltype(PlayerRecord::Y), int32_t>);
static_assert(kIs<decltype(PlayerRecord::Power), uint8_t>);
static_assert(kIs<decltype(PlayerRecord::Bank), int16_t>);
static_assert(kIs<decltype(PlayerRecord::Lives), uint8_t>);
static_assert(kIs<decltype(PlayerRecord::Bombs), uint8_t>);
static_assert(kIs<decltype(PlayerRecord::Score), int32_t>);
static_assert(kIs<decltype(PlayerRecord::OnScreen), int16_t>);
static_assert(kIs<Flag, int16_t> && kTrue == -1 && kFalse == 0);
static_assert(kIs<decltype(ShotSlot::DX), int16_t> && kIs<decltype(ShotSlot::Alive), Flag>);
static_assert(kIs<decltype(EnemyRecord::Kind), uint8_t>);
static_assert(kIs<decltype(EnemyRecord::X), float> && kIs<decltype(EnemyRecord::DY), float>);
static_assert(kIs<decltype(EnemyRecord::SpawnX), int16_t>);
static_assert(kIs<decltype(EnemyRecord::HP), int16_t>);
static_assert(kIs<decltype(EnemyRecord::Timer), int32_t>);
static_assert(kIs<decltype(EnemyShotRecord::X), float>);
static_assert(kIs<decltype(EnemyShotRecord::Step), uint8_t>);
static_assert(kIs<decltype(EnemyShotRecord::SizeA), int32_t>);
static_assert(kIs<decltype(BlastRecord::X), int32_t>);
static_assert(kIs<decltype(BlastRecord::Countdown), int16_t>);
static_assert(kIs<decltype(ItemRecord::DY), int16_t>);
static_assert(kIs<decltype(FrameCount), int32_t>);
static_assert(kIs<decltype(FramesPerSecond), uint8_t>);
static_assert(kIs<decltype(HighScoreText), std::array<char, 5>>);
static_assert(kIs<decltype(BombTimer), int16_t> && kIs<decltype(MissCountdown), int16_t>);
static_assert(kIs<decltype(StartButtonLatch), Flag> && kIs<decltype(BackSwitched), Flag>);
static_assert(kIs<decltype(JOYINFOEX::dwButtons), uint32_t> && sizeof(JOYINFOEX) == 13 * 4);
static_assert(kIs<decltype(LoopIndex), int16_t>);
static_assert(kIs<decltype(BossHP), int16_t> && kIs<decltype(BossX), float>);
static_assert(OneBasedArray<ShotSlot, 8>::Size() == 8);

TEST(GrowableList, AppendingToAnUnallocatedListGivesIndicesOneToK) {
  GrowableList<BlastRecord> list;
  EXPECT_FALSE(list.Allocated());
  for (int16_t k = 1; k <= 3; ++k) {
    list.Append(BlastRecord{1, k, 0, k});
    EXPECT_TRUE(list.Allocated());
    EXPECT_EQ(list.UBound(), k);
  }
  for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(list[i].X, i);
  list.Append().Countdown = 9;  // the appended entry is the one returned
  EXPECT_EQ(list[4].Countdown, 9);
  list.Erase();
  EXPECT_FALSE(list.Allocated());
  list.Append(BlastRecord{2, 5, 6, 7});
  EXPECT_EQ(list.UBound(), 1);
  EXPECT_EQ(list[1].X, 5);
}

TEST(GrowableList, IsNeverShrunkToZeroEntries) {
  GrowableList<ShotSlot> list;
  for (int i = 0; i < 3; ++i) list.Append(ShotSlot{i, 0, 0, 0, kFalse});
  list.ShrinkTo(0);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(-1);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(5);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(2);
  EXPECT_EQ(list.UBound(), 2);
  EXPECT_EQ(list[2].X, 1);
  GrowableList<ShotSlot> unallocated;
  unallocated.ShrinkTo(1);
  EXPECT_FALSE(unallocated.Allocated());
}

class SavedGame : public ::testing::Test {
 protected:
  void TearDown() override { Game = {}; }
};

TEST_F(SavedGame, RestoringBringsBackEveryPartOfTheState) {
  Game.Random.Seed(77);
  Player.X = 185;
  Player.Power = 2;
  CenterShots[8].Alive = kTrue;
  Enemies.Append().HP = 25;
  Blasts.Append().Countdown = 24;
  HighScoreText = {'0', '1', '2', '3', '4'};
  JoyInfo.dwButtons = JOY_BUTTON3;
  ShotSound = {1, 2, 3};
  BossHP = 3000;
  const GameState saved = Game;

  const float draw = RandomSingle(0, 1);
  Player.X = 0;
  Player.Power = 1;
  CenterShots[8].Alive = kFalse;
  Enemies.Erase();
  Blasts[1].Countdown = 0;
  EnemyShots.Append();
  HighScoreText = {};
  JoyInfo = {};
  ShotSound.clear();
  BossHP = 0;
  FrameCount = 8401;
  ASSERT_NE(Game, saved);

  Game = saved;
  EXPECT_EQ(Game, saved);
  // The globals are names for parts of Game, so they read the restored values.
  EXPECT_EQ(&Player, &Game.Player);
  EXPECT_EQ(&Enemies, &Game.Enemies);
  EXPECT_EQ(&BossHP, &Game.Boss.BossHP);
  EXPECT_EQ(Player.X, 185);
  EXPECT_EQ(Player.Power, 2);
  EXPECT_TRUE(IsTrue(CenterShots[8].Alive));
  ASSERT_TRUE(Enemies.Allocated());
  EXPECT_EQ(Enemies[1].HP, 25);
  EXPECT_EQ(Blasts[1].Countdown, 24);
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_EQ(HighScoreText[4], '4');
  EXPECT_EQ(JoyInfo.dwButtons, JOY_BUTTON3);
  EXPECT_EQ(ShotSound.size(), 3u);
  EXPECT_EQ(BossHP, 3000);
  EXPECT_EQ(FrameCount, 0);
  EXPECT_EQ(RandomSingle(0, 1), draw);  // the generator is restored too
}

}  // namespace
}  // namespace vormelda
