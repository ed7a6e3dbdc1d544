#include "app/autoplay_judge.hpp"

#include <gtest/gtest.h>

#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

class AutoplayJudgeTest : public GameTest {
 protected:
  void SetUp() override {
    NewShip(200, 440);
    scene_ = CurrentScene;
    CurrentScene = "stage";
  }
  void TearDown() override { CurrentScene = scene_; }
  static int OutOfReachWith(const EnemyRecord& e) {
    Enemies.Erase();
    Enemies.Append(e);
    return EnemiesOutOfReach();
  }
  static ItemRecord Item(int32_t x, int32_t y, int16_t alive = kTrue) {
    return {x, y, 0, 2, alive};
  }

 private:
  std::string_view scene_;
};

TEST_F(AutoplayJudgeTest, AnEnemyIsOutOfReachOnceTheShipCannotGetUnderItInTime) {
  // Straight above and slow: plenty of time.
  EXPECT_EQ(OutOfReachWith(Enemy(1, 207, 100, 0, 2)), 0);
  // Below the ship: its shots fly up.
  EXPECT_EQ(OutOfReachWith(Enemy(1, 207, 460, 0, 2)), 1);
  // Fast and across the field: it passes the ship's lowest line before the ship gets there...
  Player.X = 350;
  EXPECT_EQ(OutOfReachWith(Enemy(1, 0, 250, 2, 4.5f)), 1);
  // ...but from right under it the ship still has room for its three hits.
  Player.X = 0;
  EXPECT_EQ(OutOfReachWith(Enemy(1, 0, 250, 2, 4.5f)), 0);
  // A gunship needs room for 25 hits: at mid-field it is already too low.
  Player.X = 200;
  EXPECT_EQ(OutOfReachWith(Enemy(3, 175, 100, 0, 1, 0, 25)), 0);
  EXPECT_EQ(OutOfReachWith(Enemy(3, 175, 300, 0, 1, 0, 25)), 1);
  // Dead entries do not count.
  EnemyRecord dead = Enemy(1, 207, 460, 0, 2);
  dead.Alive = kFalse;
  EXPECT_EQ(OutOfReachWith(dead), 0);
}

TEST_F(AutoplayJudgeTest, AFighterFarOffASideIsLostButOneFlyingInIsNot) {
  Player.X = 0;
  // Off the left, 50 more frames out at 4 a frame: the 32-frame swing back cannot reach the field.
  EXPECT_EQ(OutOfReachWith(Enemy(1, -100, 60, -4, 1.5f, 50)), 1);
  // Just off the left, about to turn: it swings back in.
  EXPECT_EQ(OutOfReachWith(Enemy(1, -40, 60, -4, 1.5f, 1)), 0);
  // Entering from the right, as the side entries do.
  EXPECT_EQ(OutOfReachWith(Enemy(1, 420, 35, -4, 1.5f, 200)), 0);
  EXPECT_EQ(OutOfReachWith(Enemy(1, 500, 60, 4, 1.5f, 60)), 1);
}

TEST_F(AutoplayJudgeTest, AnItemIsOutOfReachWhenItFallsOutBeforeTheShipGetsThere) {
  PowerItem = Item(0, 470);
  BombItem = Item(0, 0, kFalse);
  Player.X = 375;
  Player.Y = 100;
  EXPECT_EQ(ItemsOutOfReach(), 1);
  Player.X = 0;
  Player.Y = 450;
  EXPECT_EQ(ItemsOutOfReach(), 0);
  BombItem = Item(300, 100);
  EXPECT_EQ(ItemsOutOfReach(), 0);
}

TEST_F(AutoplayJudgeTest, AnItemFreedInTheFieldWasTakenAndOnePastTheBottomWasDropped) {
  const ItemRecord live = Item(100, 300);
  EXPECT_TRUE(ItemTakenBetween(live, Item(100, 302, kFalse)));
  EXPECT_FALSE(ItemDroppedBetween(live, Item(100, 302, kFalse)));
  EXPECT_TRUE(ItemDroppedBetween(Item(100, 560), Item(100, 562, kFalse)));
  EXPECT_FALSE(ItemTakenBetween(Item(100, 560), Item(100, 562, kFalse)));
  EXPECT_FALSE(ItemTakenBetween(live, live));
  EXPECT_FALSE(ItemTakenBetween(Item(0, 0, kFalse), Item(0, 0, kFalse)));
}

TEST_F(AutoplayJudgeTest, AShotFreedInTheFieldStruckAndOneThatLeftDidNot) {
  OneBasedArray<ShotSlot, 2> before;
  before[1] = LiveShot(100, 200);
  before[2] = LiveShot(150, 200);
  OneBasedArray<ShotSlot, 2> after = before;
  after[1].Alive = kFalse;                    // freed where it was: it hit something
  after[2] = ShotSlot{0, 0, 0, -10, kFalse};  // a centre shot that left is put back at (0, 0)
  EXPECT_EQ(Strikes(before, after, true), 1);
  // A diagonal shot stays where it left.
  after[2] = ShotSlot{-20, 150, -4, -14, kFalse};
  EXPECT_EQ(Strikes(before, after, false), 1);
  after[2] = ShotSlot{150, 150, 4, -14, kFalse};
  EXPECT_EQ(Strikes(before, after, false), 2);
}

TEST_F(AutoplayJudgeTest, ThePositionIsBetterUnderTheUrgentEnemyNearTheItemAndClearOfBullets) {
  Enemies.Append(Enemy(1, 300, 300, 0, 2));
  Enemies.Append(Enemy(1, 50, 50, 0, 2));
  Player.X = 300;
  const double underTheLowOne = JudgePosition(1e9);
  Player.X = 50;
  EXPECT_LT(JudgePosition(1e9), underTheLowOne);

  Player.X = 300;
  PowerItem = Item(290, 380);
  const double nearTheItem = JudgePosition(1e9);
  PowerItem = Item(20, 380);
  EXPECT_LT(JudgePosition(1e9), nearTheItem);

  EXPECT_LT(JudgePosition(10), JudgePosition(40));
  EXPECT_EQ(JudgePosition(40), JudgePosition(1e9));
  // Low on the field is better than high up.
  const double low = JudgePosition(1e9);
  Player.Y = 200;
  EXPECT_LT(JudgePosition(1e9), low);
}

TEST_F(AutoplayJudgeTest, AtTheBossThePositionIsBetterUnderIt) {
  CurrentScene = "boss";
  BossAlive = kTrue;
  BossX = 60;  // its centre is at 210
  Player.Y = 300;
  Player.X = 185;
  const double under = JudgePosition(1e9);
  Player.X = 0;
  EXPECT_LT(JudgePosition(1e9), under);
}

}  // namespace
}  // namespace vormelda::testing
