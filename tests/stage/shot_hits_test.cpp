#include "stage/shot_hits.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

class ShotHitsTest : public GameTest {
 protected:
  void SetUp() override { NewShip(); }
  static std::vector<BlastRecord> BlastList() {
    return Blasts.Allocated() ? Blasts.Entries() : std::vector<BlastRecord>{};
  }
};

// A centre shot at (109, 100) reaches into a fighter at (100, 100) with its point (8, 23).
TEST_F(ShotHitsTest, FighterWithThreeHitPointsFallsToTheThirdHit) {
  Enemies.Append(Enemy(1, 100, 100));
  CenterShots[1] = LiveShot(109, 100);
  CenterShots[2] = LiveShot(109, 100);
  ShotHits();
  EXPECT_EQ(Enemies[1].HP, 1);
  EXPECT_EQ(Enemies[1].Flash, 1);
  EXPECT_EQ(Enemies[1].Alive, kTrue);
  EXPECT_FALSE(IsTrue(CenterShots[1].Alive));
  EXPECT_FALSE(IsTrue(CenterShots[2].Alive));
  EXPECT_FALSE(Blasts.Allocated());
  EXPECT_EQ(Player.Score, 0);
  EXPECT_TRUE(SoundCommands().empty());

  CenterShots[8] = LiveShot(109, 100);
  ShotHits();
  EXPECT_EQ(Enemies[1].Alive, kFalse);
  EXPECT_EQ(Player.Score, 100);
  EXPECT_EQ(BlastList().size(), 1u);

  // More shots than hit points: every one that touches is used up, the enemy scores once.
  Enemies.Erase();
  Blasts.Erase();
  Enemies.Append(Enemy(1, 100, 100, 0, 0, 0, 1));
  for (int i = 1; i <= 3; ++i) CenterShots[i] = LiveShot(109, 100);
  ShotHits();
  EXPECT_EQ(Enemies[1].HP, -2);
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(IsTrue(CenterShots[i].Alive));
  EXPECT_EQ(Player.Score, 200);
  EXPECT_EQ(BlastList().size(), 1u);
}

TEST_F(ShotHitsTest, ThreeKillsInOneFrameScoreThriceWithOneExplosionSound) {
  Enemies.Append(Enemy(1, 100, 100, 0, 0, 0, 1));
  Enemies.Append(Enemy(2, 200, 100, 0, 0, 0, 1));
  Enemies.Append(Enemy(3, 300, 100, 0, 0, 0, 1));
  CenterShots[1] = LiveShot(109, 100);
  CenterShots[2] = LiveShot(207, 110);
  CenterShots[3] = LiveShot(317, 110);
  ShotHits();
  EXPECT_EQ(Player.Score, 450);
  EXPECT_EQ(BlastList().size(), 3u);
  EXPECT_EQ(SoundCommands(),
            (std::vector<std::string>{"mciEnemyBlast Prev", "mciEnemyBlast Play"}));
}

TEST_F(ShotHitsTest, OnlyTheLowerPartOfAShotCounts) {
  // Rows 0..11 of the shot at Y 121 lie inside the fighter's ellipse, its test points do not.
  Enemies.Append(Enemy(1, 100, 100));
  CenterShots[1] = LiveShot(109, 121);
  ShotHits();
  EXPECT_TRUE(IsTrue(CenterShots[1].Alive));
  EXPECT_EQ(Enemies[1].HP, 3);
  CenterShots[1] = LiveShot(109, 120);
  ShotHits();
  EXPECT_FALSE(IsTrue(CenterShots[1].Alive));
  EXPECT_EQ(Enemies[1].HP, 2);
}

TEST_F(ShotHitsTest, EachKindIsHitWithinItsOwnEllipseAboutItsRoundedPosition) {
  // The shot's point (16, 12) on the left end of the ellipse hits; a pixel further left misses.
  struct Case {
    uint8_t kind;
    float x;
    int32_t shotX, shotY;
    bool hit;
  };
  const Case cases[] = {
      {1, 100, 84, 105, true},     {1, 100, 83, 105, false}, {2, 100, 84, 113, true},
      {2, 100, 83, 113, false},    {3, 100, 84, 113, true},  {3, 100, 83, 113, false},
      {1, 100.5f, 84, 105, true},  // 100.5 rounds to 100
      {1, 100.6f, 84, 105, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "kind " << int(c.kind) << " at " << c.x << ", shot at " << c.shotX);
    Enemies.Erase();
    Enemies.Append(Enemy(c.kind, c.x, 100));
    CenterShots[1] = LiveShot(c.shotX, c.shotY);
    ShotHits();
    EXPECT_EQ(!IsTrue(CenterShots[1].Alive), c.hit);
  }
}

TEST_F(ShotHitsTest, DiagonalShotsHitOnlyAtPowerTwo) {
  Enemies.Append(Enemy(1, 100, 100));
  LeftShots[1] = LiveShot(109, 100, -4, -14);
  RightShots[2] = LiveShot(109, 100, 4, -14);
  ShotHits();
  EXPECT_TRUE(IsTrue(LeftShots[1].Alive));
  EXPECT_TRUE(IsTrue(RightShots[2].Alive));
  EXPECT_EQ(Enemies[1].HP, 3);

  Player.Power = 2;
  ShotHits();
  EXPECT_FALSE(IsTrue(LeftShots[1].Alive));
  EXPECT_FALSE(IsTrue(RightShots[2].Alive));
  EXPECT_EQ(Enemies[1].HP, 1);
}

TEST_F(ShotHitsTest, DeadEnemiesAreNotHit) {
  Enemies.Append(Enemy(1, 100, 100)).Alive = kFalse;
  CenterShots[1] = LiveShot(109, 100);
  ShotHits();
  EXPECT_TRUE(IsTrue(CenterShots[1].Alive));
  EXPECT_FALSE(Blasts.Allocated());
}

TEST_F(ShotHitsTest, RunningBombDestroysEveryLiveEnemyWithoutUsingShots) {
  BombTimer = 1;
  Enemies.Append(Enemy(1, 100, -30));  // still above the field
  Enemies.Append(Enemy(3, 300, 300, 0, 0, 0, 25));
  Enemies.Append(Enemy(2, 200, 200)).Alive = kFalse;
  CenterShots[1] = LiveShot(109, -30);
  ShotHits();
  EXPECT_EQ(Enemies[1].Alive, kFalse);
  EXPECT_EQ(Enemies[2].Alive, kFalse);
  EXPECT_EQ(Enemies[3].HP, 3);
  EXPECT_TRUE(IsTrue(CenterShots[1].Alive));
  EXPECT_EQ(Player.Score, 300);
  EXPECT_EQ(BlastList().size(), 2u);
  EXPECT_EQ(SoundCommands("mciEnemyBlast"), (std::vector<std::string>{"Prev", "Play"}));
}

TEST_F(ShotHitsTest, BlastTakesTheEnemyKindAndAPlaceByKindRoundedHalfToEven) {
  BombTimer = 30;
  Enemies.Append(Enemy(1, 101.5f, 100.5f));
  Enemies.Append(Enemy(2, 200.5f, 70.5f));
  Enemies.Append(Enemy(3, 300.5f, 71.5f));
  ShotHits();
  EXPECT_EQ(BlastList(),
            (std::vector<BlastRecord>{{1, 94, 94, 24}, {2, 190, 70, 24}, {3, 300, 72, 24}}));
  EXPECT_EQ(Player.Score, 100 + 150 + 200);
}

}  // namespace
}  // namespace vormelda::testing
