#include "stage/player_hit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

// The ship at (200, 300): its point is (225, 327).
class PlayerHitTest : public GameTest {
 protected:
  void SetUp() override { NewShip(200, 300); }
  static bool Missed() { return MissCountdown == 26; }
};

TEST_F(PlayerHitTest, EnemyBodiesHitWithinTheirKindsEllipseAboutTheShipPoint) {
  struct Case {
    uint8_t kind;
    float x, y;
    bool hit;
  };
  const Case cases[] = {
      // Beside the ship point on its row: half-axes 24, 22 and 32.
      {1, 232, 310, true},
      {1, 233, 310, false},
      {1, 184, 310, true},
      {1, 183, 310, false},
      {2, 232, 302, true},
      {2, 233, 302, false},
      {3, 232, 302, true},
      {3, 233, 302, false},
      // Below it in its column: half-axes 25, 33 and 33.
      {1, 208, 335, true},
      {1, 208, 336, false},
      {2, 210, 335, true},
      {2, 210, 336, false},
      {3, 200, 335, true},
      {3, 200, 336, false},
      // Positions are rounded first, a half to the even pixel.
      {1, 232.5f, 310, true},
      {1, 233.5f, 310, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << int(c.kind) << " at " << c.x << "," << c.y);
    MissCountdown = 0;
    Enemies.Erase();
    Enemies.Append(Enemy(c.kind, c.x, c.y));
    CheckPlayerHit();
    EXPECT_EQ(Missed(), c.hit);
    EXPECT_EQ(Enemies[1].Alive, kTrue);  // the rammer is not harmed
    EXPECT_EQ(Enemies[1].HP, 3);
  }
}

TEST_F(PlayerHitTest, BulletsHitWhenAMidpointOfASideReachesTheShipCore) {
  struct Case {
    uint8_t kind;
    float x, y;
    bool hit;
  };
  const Case cases[] = {
      // Small bullet centre 12 right of the ship point: its left point is 7 away.
      {1, 232, 322, true},
      {1, 233, 322, false},
      // 13 below: its top point is 8 away.
      {1, 220, 335, true},
      {1, 220, 336, false},
      // Medium bullet centre 15 right.
      {2, 232, 319, true},
      {2, 233, 319, false},
      {1, 232.5f, 322, true},
      {1, 233.5f, 322, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << int(c.kind) << " at " << c.x << "," << c.y);
    MissCountdown = 0;
    EnemyShots.Erase();
    EnemyShots.Append(Bullet(c.kind, c.x, c.y));
    CheckPlayerHit();
    EXPECT_EQ(Missed(), c.hit);
    EXPECT_EQ(EnemyShots[1].Alive, c.hit ? kFalse : kTrue);
  }
}

TEST_F(PlayerHitTest, MissTakesTheShipOffAndStartsTheExplosionWithItsSounds) {
  EnemyShots.Append(Bullet(1, 500, 500));
  EnemyShots.Append(Bullet(1, 220, 322));
  CheckPlayerHit();
  EXPECT_EQ(Player.OnScreen, kFalse);
  EXPECT_EQ(MissBlastX, 200);
  EXPECT_EQ(MissBlastY, 300);
  EXPECT_EQ(MissCountdown, 26);
  EXPECT_EQ(Player.X, 200);
  EXPECT_EQ(EnemyShots[1].Alive, kTrue);
  EXPECT_EQ(EnemyShots[2].Alive, kFalse);
  EXPECT_EQ(SoundCommands(), (std::vector<std::string>{"mciEnemyBlast Stop", "mciItem Stop",
                                                       "mciMyBlast Prev", "mciMyBlast Play"}));
}

TEST_F(PlayerHitTest, EnemyAndBulletTogetherMakeOneMissAndTheBulletFliesOn) {
  Enemies.Append(Enemy(1, 208, 310));
  EnemyShots.Append(Bullet(1, 220, 322));
  CheckPlayerHit();
  EXPECT_EQ(MissCountdown, 26);
  EXPECT_EQ(EnemyShots[1].Alive, kTrue);
  EXPECT_EQ(SoundCommands("mciMyBlast"), (std::vector<std::string>{"Prev", "Play"}));
}

TEST_F(PlayerHitTest, NothingHitsWhileTheExplosionRuns) {
  Player.OnScreen = kFalse;
  MissCountdown = 1;
  Enemies.Append(Enemy(1, 208, 310));
  EnemyShots.Append(Bullet(1, 220, 322));
  CheckPlayerHit();
  EXPECT_EQ(MissCountdown, 1);
  EXPECT_EQ(Player.OnScreen, kFalse);
  EXPECT_EQ(EnemyShots[1].Alive, kTrue);
  EXPECT_TRUE(SoundCommands().empty());
}

}  // namespace
}  // namespace vormelda::testing
