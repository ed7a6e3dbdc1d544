#include "stage/enemy_fire.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "records/game_state.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

class EnemyFireTest : public GameTest {
 protected:
  void SetUp() override { NewShip(200, 400); }
  static EnemyRecord& Shooter(uint8_t kind, float x, float y, int16_t fireTimer = 0) {
    EnemyRecord& e = Enemies.Append(Enemy(kind, x, y));
    e.FireTimer = fireTimer;
    return e;
  }
  // Frames until the first enemy fires again, starting with a frame in which it fires.
  static int FramesBetweenShots() {
    EnemyShots.Erase();
    EnemyFire();
    EXPECT_TRUE(EnemyShots.Allocated());
    for (int frames = 1; frames < 200; ++frames) {
      EnemyShots.Erase();
      EnemyFire();
      if (EnemyShots.Allocated()) return frames;
    }
    return -1;
  }
};

TEST_F(EnemyFireTest, FighterFiresOnlyAboveY350AndItsTimerRunsOnBelowIt) {
  EnemyRecord& high = Shooter(1, 100, 349.9f);
  EnemyFire();
  ASSERT_TRUE(EnemyShots.Allocated());
  EXPECT_EQ(EnemyShots.UBound(), 3);
  EXPECT_EQ(high.FireTimer, 57);

  Enemies.Erase();
  EnemyShots.Erase();
  EnemyRecord& low = Shooter(1, 100, 350);
  EnemyFire();
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_EQ(low.FireTimer, -1);
  EnemyFire();
  EXPECT_EQ(low.FireTimer, -2);
}

TEST_F(EnemyFireTest, OnlyLiveEnemiesOfTheThreeKindsFire) {
  Shooter(1, 100, 100).Alive = kFalse;
  Shooter(4, 100, 100);
  Shooter(3, 100, 100).Alive = 1;  // only -1 is live
  EnemyFire();
  EXPECT_FALSE(EnemyShots.Allocated());
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Enemies[i].FireTimer, 0);
}

TEST_F(EnemyFireTest, FighterFanIsAimedAtTheShipWithOneBulletHalfARadianToEachSide) {
  // Ship point (X + 25, Y + 27) straight below the muzzle (X + 17.5, Y + 17.5).
  NewShip(93, 300);
  Shooter(1, 100.5f, 0);
  EnemyFire();
  ASSERT_EQ(EnemyShots.UBound(), 3);
  const EnemyShotRecord& aimed = EnemyShots[1];
  EXPECT_NEAR(aimed.DX, 0, 1e-5);
  EXPECT_NEAR(aimed.DY, 3, 1e-5);
  // Made at the muzzle less (5, 5), and moved once in the same frame.
  EXPECT_NEAR(aimed.X, 113, 1e-4);
  EXPECT_FLOAT_EQ(aimed.Y, 15.5f);
  EXPECT_NEAR(EnemyShots[2].DX, 3 * std::cos(std::numbers::pi / 2 + 0.5), 1e-5);
  EXPECT_NEAR(EnemyShots[3].DX, 3 * std::cos(std::numbers::pi / 2 - 0.5), 1e-5);
  EXPECT_NEAR(EnemyShots[2].DY, 3 * std::sin(std::numbers::pi / 2 + 0.5), 1e-5);
  EXPECT_NEAR(EnemyShots[3].DY, 3 * std::sin(std::numbers::pi / 2 - 0.5), 1e-5);

  // Every quarter: the aimed bullet flies at 3 towards the ship point.
  struct Case {
    float ex, ey;
    int32_t px, py;
  };
  for (const Case& c : {Case{100, 100, 300, 400}, Case{300, 100, 0, 400}, Case{300, 300, 0, 0},
                        Case{0, 300, 300, 0}}) {
    SCOPED_TRACE(::testing::Message() << c.ex << "," << c.ey << " at " << c.px << "," << c.py);
    Enemies.Erase();
    EnemyShots.Erase();
    NewShip(c.px, c.py);
    Shooter(1, c.ex, c.ey);
    EnemyFire();
    const double vx = c.px + 25 - (c.ex + 17.5), vy = c.py + 27 - (c.ey + 17.5);
    const double len = std::hypot(vx, vy);
    EXPECT_NEAR(EnemyShots[1].DX, 3 * vx / len, 1e-4);
    EXPECT_NEAR(EnemyShots[1].DY, 3 * vy / len, 1e-4);
  }
}

TEST_F(EnemyFireTest, FighterVolleyIntoNoBulletsMakesExactlyThreeWithTheirMarginsAndOddSteps) {
  std::set<int> steps;
  for (int volley = 0; volley < 100; ++volley) {
    Enemies.Erase();
    EnemyShots.Erase();
    Shooter(1, 200, 100);
    EnemyFire();
    ASSERT_EQ(EnemyShots.UBound(), 3);
    const int32_t margins[3] = {10, 35, 35};
    for (int i = 1; i <= 3; ++i) {
      const EnemyShotRecord& s = EnemyShots[i];
      EXPECT_EQ(s.Kind, 1);
      EXPECT_EQ(s.SizeA, margins[i - 1]);
      EXPECT_EQ(s.SizeB, margins[i - 1]);
      EXPECT_EQ(s.Alive, kTrue);
      steps.insert(s.Step);
    }
  }
  EXPECT_EQ(steps, (std::set<int>{1, 3, 5, 7, 9, 11, 13, 15}));
}

TEST_F(EnemyFireTest, FighterReloadsFor57AndGunshipFor30Frames) {
  Shooter(1, 200, 100);
  EXPECT_EQ(FramesBetweenShots(), 58);
  Enemies.Erase();
  Shooter(3, 200, 100);
  EXPECT_EQ(FramesBetweenShots(), 31);
}

TEST_F(EnemyFireTest, DropperFiresStraightDownAtARandomSpeedAndReloadsRandomly) {
  EnemyRecord& e = Shooter(2, 100, 100);
  EnemyFire();
  ASSERT_EQ(EnemyShots.UBound(), 1);
  const EnemyShotRecord& s = EnemyShots[1];
  EXPECT_EQ(s.Kind, 2);
  EXPECT_EQ(s.Step, 1);
  EXPECT_EQ(s.SizeA, 16);
  EXPECT_EQ(s.SizeB, 16);
  EXPECT_EQ(s.DX, 0);
  EXPECT_EQ(s.X, 107);
  EXPECT_FLOAT_EQ(s.Y, 117 + s.DY);
  EXPECT_GE(e.FireTimer, 10);
  EXPECT_LE(e.FireTimer, 40);

  std::set<int> gaps;
  float slowest = 10, fastest = 0;
  for (int trial = 0; trial < 400; ++trial) {
    Enemies[1].FireTimer = 0;
    EnemyShots.Erase();
    EnemyFire();
    slowest = std::min(slowest, EnemyShots[1].DY);
    fastest = std::max(fastest, EnemyShots[1].DY);
    Enemies[1].FireTimer = 0;
    gaps.insert(FramesBetweenShots());
  }
  EXPECT_EQ(*gaps.begin(), 11);
  EXPECT_EQ(*gaps.rbegin(), 41);
  EXPECT_GE(slowest, 1.2f);
  EXPECT_LT(slowest, 1.5f);
  EXPECT_LT(fastest, 7.0f);
  EXPECT_GT(fastest, 6.7f);
}

TEST_F(EnemyFireTest, GunshipSpraysSingleBulletsWithStepsSummingToFive) {
  bool up = false, down = false;
  float least = 5, most = -5;
  for (int trial = 0; trial < 300; ++trial) {
    Enemies.Erase();
    EnemyShots.Erase();
    Shooter(3, 100, 100);
    EnemyFire();
    ASSERT_EQ(EnemyShots.UBound(), 1);
    const EnemyShotRecord& s = EnemyShots[1];
    EXPECT_EQ(s.Kind, 1);
    EXPECT_EQ(s.SizeA, 10);
    EXPECT_EQ(s.Step % 2, 1);
    EXPECT_NEAR(std::fabs(s.DX) + std::fabs(s.DY), 5, 1e-5);
    EXPECT_FLOAT_EQ(s.X, 120 + s.DX);
    EXPECT_FLOAT_EQ(s.Y, 120 + s.DY);
    up = up || s.DY < 0;
    down = down || s.DY > 0;
    least = std::min(least, s.DX);
    most = std::max(most, s.DX);
  }
  EXPECT_TRUE(up && down);
  EXPECT_LT(least, -4.5f);
  EXPECT_GT(most, 4.5f);
}

}  // namespace
}  // namespace vormelda::testing
