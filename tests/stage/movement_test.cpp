#include "stage/movement.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "records/game_state.hpp"
#include "script/stage_script.hpp"
#include "stage/enemy_fire.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

using Movement = GameTest;

TEST_F(Movement, CentreShotsFlyUpAndAreClearedPastTheTopEdge) {
  NewShip();
  CenterShots[1] = LiveShot(100, -30);
  CenterShots[2] = LiveShot(120, -25);
  CenterShots[3] = LiveShot(140, 200, 5, -15);
  CenterShots[4] = ShotSlot{160, 200, 0, -10, kFalse};
  MovePlayerShots();
  EXPECT_EQ(CenterShots[1], (ShotSlot{0, 0, 0, -10, kFalse}));
  EXPECT_EQ(CenterShots[2], (ShotSlot{120, -35, 0, -10, kTrue}));
  EXPECT_EQ(CenterShots[3], (ShotSlot{140, 185, 5, -15, kTrue}));  // never sideways
  EXPECT_EQ(CenterShots[4].Y, 200);
}

TEST_F(Movement, DiagonalShotsMoveAndExpireOnlyAtPowerTwo) {
  NewShip();
  LeftShots[1] = LiveShot(-100, 100, -4, -14);
  RightShots[1] = LiveShot(500, 100, 4, -14);
  MovePlayerShots();
  EXPECT_EQ(LeftShots[1], (ShotSlot{-100, 100, -4, -14, kTrue}));
  EXPECT_EQ(RightShots[1], (ShotSlot{500, 100, 4, -14, kTrue}));

  Player.Power = 2;
  LeftShots[1] = LiveShot(-13, 100, -4, -14);
  LeftShots[2] = LiveShot(-12, 100, -4, -14);
  RightShots[1] = LiveShot(417, 100, 4, -14);
  RightShots[2] = LiveShot(416, 100, 4, -14);
  MovePlayerShots();
  // Only the flag is cleared; the position stays where the shot left the field.
  EXPECT_EQ(LeftShots[1], (ShotSlot{-17, 86, -4, -14, kFalse}));
  EXPECT_EQ(LeftShots[2], (ShotSlot{-16, 86, -4, -14, kTrue}));
  EXPECT_EQ(RightShots[1], (ShotSlot{421, 86, 4, -14, kFalse}));
  EXPECT_EQ(RightShots[2], (ShotSlot{420, 86, 4, -14, kTrue}));

  LeftShots[1] = LiveShot(100, -22, -4, -14);
  RightShots[1] = LiveShot(100, -21, 4, -14);
  MovePlayerShots();
  EXPECT_FALSE(IsTrue(LeftShots[1].Alive));
  EXPECT_TRUE(IsTrue(RightShots[1].Alive));
  EXPECT_EQ(RightShots[1].Y, -35);
}

TEST_F(Movement, FighterWeavesReversingEvery32Frames) {
  Enemies.Append(Enemy(1, 100, 0, 2, 2, 32));
  std::vector<float> steps;
  for (int frame = 0; frame < 97; ++frame) {
    const float x = Enemies[1].X;
    MoveEnemies();
    steps.push_back(Enemies[1].X - x);
  }
  for (int frame = 0; frame < 97; ++frame) {
    SCOPED_TRACE(frame);
    EXPECT_EQ(steps[static_cast<size_t>(frame)], (frame / 32) % 2 == 0 ? 2.0f : -2.0f);
  }
  EXPECT_EQ(Enemies[1].Y, 194);
}

TEST_F(Movement, DropperZigZagsBetweenTheEdgesAndTurnsAwayFromTheSideItIsOn) {
  // At the right edge with the leg run out: a 20-frame drop.
  Enemies.Append(Enemy(2, 390, 100, 2.5f, 0, 0));
  Enemies.Append(Enemy(2, 389.9f, 100, 2.5f, 0, 0));
  MoveEnemies();
  EXPECT_EQ(Enemies[1].DX, 0);
  EXPECT_EQ(Enemies[1].DY, 2.5f);
  EXPECT_EQ(Enemies[1].Timer, 20);
  EXPECT_EQ(Enemies[1].X, 390);
  EXPECT_EQ(Enemies[1].Y, 102.5f);
  EXPECT_EQ(Enemies[2].DX, 2.5f);
  EXPECT_EQ(Enemies[2].Timer, 0);
  EXPECT_FLOAT_EQ(Enemies[2].X, 392.4f);

  // The last frame of a drop decides the direction of the run.
  Enemies.Erase();
  Enemies.Append(Enemy(2, 210, 100, 0, 2.5f, 1));
  Enemies.Append(Enemy(2, 209.9f, 100, 0, 2.5f, 1));
  Enemies.Append(Enemy(2, 0, 100, -2.5f, 0, 0));
  MoveEnemies();
  EXPECT_EQ(Enemies[1].DX, -2.5f);
  EXPECT_EQ(Enemies[1].DY, 0);
  EXPECT_EQ(Enemies[1].X, 207.5f);
  EXPECT_EQ(Enemies[1].Y, 100);
  EXPECT_EQ(Enemies[2].DX, 2.5f);
  EXPECT_EQ(Enemies[3].Timer, 20);  // X 0 is the left edge
  EXPECT_EQ(Enemies[3].DY, 2.5f);

  // A whole leg: 20 frames down, then the run to the other side.
  Enemies.Erase();
  Enemies.Append(Enemy(2, 390, 0, 2.5f, 0, 0));
  for (int i = 0; i < 20; ++i) MoveEnemies();
  EXPECT_EQ(Enemies[1].Y, 50);
  EXPECT_EQ(Enemies[1].X, 390);
  MoveEnemies();
  EXPECT_EQ(Enemies[1].Y, 50);
  EXPECT_EQ(Enemies[1].X, 387.5f);
  EXPECT_EQ(Enemies[1].DX, -2.5f);
}

TEST_F(Movement, EnemiesPastTheBottomEdgeAreRemovedInTheSameStep) {
  Enemies.Append(Enemy(1, 10, 100, 0, 2, 50));
  Enemies.Append(Enemy(3, 20, 559, 0, 2));
  Enemies.Append(Enemy(3, 30, 558, 0, 2));
  MoveEnemies();
  ASSERT_EQ(Enemies.UBound(), 2);
  EXPECT_EQ(Enemies[1].X, 10);
  EXPECT_EQ(Enemies[2].X, 30);
  EXPECT_EQ(Enemies[2].Y, 560);
  EXPECT_TRUE(IsTrue(Enemies[2].Alive));

  // The last enemies leaving keep the list as it is: a compaction never empties it, and the
  // dead entries go on moving.
  Enemies.Erase();
  Enemies.Append(Enemy(2, 20, 559, 0, 2));
  Enemies.Append(Enemy(3, 20, 560, 0, 2));
  MoveEnemies();
  ASSERT_EQ(Enemies.UBound(), 2);
  EXPECT_FALSE(IsTrue(Enemies[1].Alive));
  EXPECT_FALSE(IsTrue(Enemies[2].Alive));
  MoveEnemies();
  EXPECT_EQ(Enemies[1].Y, 563);
}

TEST_F(Movement, BulletsLeaveByTheirOwnMarginsAtTheTopAndLeftAndAtTheFieldAtTheOthers) {
  EnemyShots.Append(Bullet(1, -10.5f, 100, 0, 0, 10));
  EnemyShots.Append(Bullet(1, -10.5f, 100, 0, 0, 35));
  EnemyShots.Append(Bullet(1, -35, 100, 0, 0, 35));
  EnemyShots.Append(Bullet(1, 100, 560, 0, 0, 10));
  EnemyShots.Append(Bullet(1, 100, 560.5f, 0, 0, 10));
  EnemyShots.Append(Bullet(1, 420, 100, 0, 0, 10));
  EnemyShots.Append(Bullet(1, 420.5f, 100, 0, 0, 10));
  EnemyShots.Append(Bullet(1, 100, -10.5f, 0, 0, 10));
  EnemyShots.Append(Bullet(2, 100, -14, 0, -2, 16));
  EnemyFire();
  std::vector<float> left;
  for (const EnemyShotRecord& s : EnemyShots.Entries()) left.push_back(s.X + s.Y);
  // Kept, in order: the 35-margin bullets, Y 560, X 420 and the medium one at Y -16.
  EXPECT_EQ(left, (std::vector<float>{89.5f, 65, 660, 520, 84}));

  EnemyShots.Erase();
  EnemyShots.Append(Bullet(1, -35, 100, -0.5f, 0, 35));
  EnemyFire();
  ASSERT_EQ(EnemyShots.UBound(), 1);
  EXPECT_FALSE(IsTrue(EnemyShots[1].Alive));
}

TEST_F(Movement, ItemsFallTwoAFrameAndExpireBelowTheField) {
  FrameCount = 1001;  // no event
  PowerItem = {100, 559, 0, 2, kTrue};
  BombItem = {100, 558, 0, 2, kTrue};
  StageScript();
  EXPECT_EQ(PowerItem, (ItemRecord{100, 561, 0, 2, kFalse}));
  EXPECT_EQ(BombItem, (ItemRecord{100, 560, 0, 2, kTrue}));
  StageScript();
  EXPECT_EQ(BombItem, (ItemRecord{100, 562, 0, 2, kFalse}));
  StageScript();
  EXPECT_EQ(PowerItem.Y, 561);
  EXPECT_EQ(BombItem.Y, 562);

  PowerItem = {100, 200, 1, 2, kFalse};
  StageScript();
  EXPECT_EQ(PowerItem, (ItemRecord{100, 200, 1, 2, kFalse}));
}

}  // namespace
}  // namespace vormelda::testing
