// The boss stage: entry and sway, the attack schedule of both phases, damage, the second phase,
// death, the player being hit, and what the boss renderer draws and counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "boss/boss_attack.hpp"
#include "boss/boss_damage.hpp"
#include "boss/boss_driver.hpp"
#include "boss/boss_hit.hpp"
#include "records/game_state.hpp"
#include "render/draw_boss_stage.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda::testing {
namespace {

class BossTest : public GameTest {
 protected:
  BossTest() {
    NewShip();
    ResetBoss();
    FrameCount = 8401;
  }
  // Runs the attack step at one frame and returns the bullets it made there.
  int BulletsMadeAt(int32_t frame) {
    EnemyShots.Erase();
    FrameCount = frame;
    BossAttack();
    return EnemyShots.Allocated() ? EnemyShots.UBound() : 0;
  }
};

TEST_F(BossTest, EntersIn390FramesThenSwaysBetween0And120) {
  int frames = 0;
  while (BossY < 25) MoveBoss(), ++frames;
  EXPECT_EQ(frames, 390);
  EXPECT_FLOAT_EQ(BossX, 60);
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < 1000; ++i) {
    MoveBoss();
    lo = std::min(lo, BossX);
    hi = std::max(hi, BossX);
  }
  EXPECT_FLOAT_EQ(lo, 0);
  EXPECT_FLOAT_EQ(hi, 120);
  BossX = 119.8f;
  BossDX = 0.5f;
  MoveBoss();
  EXPECT_FLOAT_EQ(BossX, 120);
  EXPECT_FLOAT_EQ(BossDX, -0.5f);
}

TEST_F(BossTest, FirstPhaseScheduleFromTheStartOfTheStage) {
  BossY = 25;  // in the field, so the bullets survive their first move
  EXPECT_EQ(BulletsMadeAt(8410), 12);
  EXPECT_EQ(BulletsMadeAt(8420), 12);
  EXPECT_EQ(BulletsMadeAt(8430), 0);
  EXPECT_EQ(BulletsMadeAt(8455), 2);  // the aimed pair, medium bullets
  EXPECT_EQ(EnemyShots[1].Kind, 2);
  EXPECT_EQ(BulletsMadeAt(8460), 1);  // a large ball
  EXPECT_EQ(EnemyShots[1].Kind, 3);
  EXPECT_FLOAT_EQ(EnemyShots[1].DX, -1.44975f);
  EXPECT_EQ(BulletsMadeAt(8461), 0);
}

TEST_F(BossTest, TheFirstLargeBallStartsAt150AboveTheFieldAndComesIn) {
  BossY = -170 + 0.5f * 59;  // where it stands in frame 8460
  FrameCount = 8460;
  BossAttack();
  ASSERT_TRUE(EnemyShots.Allocated());
  const EnemyShotRecord& ball = EnemyShots[EnemyShots.UBound()];
  EXPECT_EQ(ball.Kind, 3);
  EXPECT_TRUE(IsTrue(ball.Alive));
  EXPECT_NEAR(ball.Y, BossY + 60 - 70 + ball.DY, 1e-4);
  EXPECT_NEAR(BossY + 60 - 70, -150.5, 1e-4);
}

TEST_F(BossTest, SecondPhaseFansComeInBurstsTurnedByFourDegrees) {
  BossY = 25;
  BossRage = kTrue;
  int fans = 0;
  for (int32_t f = 9240; f < 9240 + 140; ++f) fans += BulletsMadeAt(f) >= 12 ? 1 : 0;
  EXPECT_EQ(fans, 6);
  BulletsMadeAt(9240 + 8);  // offset 24 degrees, speed 6
  const double theta = 24 * 3.141592 / 180;
  EXPECT_NEAR(EnemyShots[1].DX, 6 * std::cos(theta), 1e-5);
  EXPECT_NEAR(EnemyShots[1].DY, 6 * std::sin(theta), 1e-5);
}

TEST_F(BossTest, ALargeBallDueDuringABombIsSkipped) {
  BossY = 25;
  BombTimer = 1;
  EXPECT_EQ(BulletsMadeAt(9900), 0);  // 9900 mod 1800 = 900
  BombTimer = 0;
  EXPECT_EQ(BulletsMadeAt(9900), 1);
}

TEST_F(BossTest, ADeadBossNeitherFiresNorMovesBullets) {
  EnemyShots.Append(Bullet(1, 100, 100, 1, 1));
  BossAlive = kFalse;
  FrameCount = 8410;
  BossAttack();
  EXPECT_EQ(EnemyShots.UBound(), 1);
  EXPECT_FLOAT_EQ(EnemyShots[1].X, 100);
}

TEST_F(BossTest, ShotsHitTheBodyAndTheGunsForOnePointEach) {
  BossX = 60;
  BossY = 25;
  CenterShots[1] = LiveShot(60 + 150 - 8, 25 + 60);  // the body
  CenterShots[2] = LiveShot(60 + 65 - 8, 25 + 100);  // a gun below the body
  CenterShots[3] = LiveShot(5, 300);                 // nothing
  BossDamage();
  EXPECT_EQ(BossHP, 2998);
  EXPECT_FALSE(IsTrue(CenterShots[1].Alive));
  EXPECT_FALSE(IsTrue(CenterShots[2].Alive));
  EXPECT_TRUE(IsTrue(CenterShots[3].Alive));
  // At Power 1 the diagonal shots pass through.
  LeftShots[1] = LiveShot(60 + 150, 25 + 60);
  BossDamage();
  EXPECT_EQ(BossHP, 2998);
  Player.Power = 2;
  BossDamage();
  EXPECT_EQ(BossHP, 2997);
}

TEST_F(BossTest, BelowFifteenHundredTheSecondPhaseDropsThePowerItemOnce) {
  BossX = 60;
  BossY = 25;
  BossHP = 1500;
  BombTimer = 5;
  ClearLog();
  BossDamage();
  EXPECT_EQ(BossHP, 1499);
  EXPECT_TRUE(IsTrue(BossRage));
  EXPECT_TRUE(IsTrue(PowerItem.Alive));
  EXPECT_EQ(PowerItem.X, 192);  // 60 + 150 - 17.5 = 192.5, to even
  EXPECT_EQ(PowerItem.Y, 68);   // 25 + 60 - 17.5 = 67.5, to even
  EXPECT_EQ(PowerItem.DY, 1);
  EXPECT_EQ(SoundCommands("mciEnemyBlast").size(), 2u);
  PowerItem.Alive = kFalse;
  BossDamage();
  EXPECT_FALSE(IsTrue(PowerItem.Alive));
}

TEST_F(BossTest, DeathEmptiesTheBulletsAndStartsTheFinalExplosion) {
  BossX = 33.5f;
  BossY = 25;
  BossHP = 1;
  BossRage = kTrue;
  BombTimer = 10;
  EnemyShots.Append(Bullet(1, 100, 100));
  BossDamage();
  EXPECT_FALSE(IsTrue(BossAlive));
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_EQ(Player.Score, 10000);
  ASSERT_TRUE(Blasts.Allocated());
  EXPECT_EQ(Blasts[1].Kind, 4);
  EXPECT_EQ(Blasts[1].X, 34);
  EXPECT_EQ(Blasts[1].Countdown, 60);
  BossDamage();  // nothing more after the death
  EXPECT_EQ(BossHP, 0);
  for (int i = 0; i < 59; ++i) {
    --Blasts[1].Countdown;
    CheckBossDefeat();
    EXPECT_FALSE(IsTrue(BossStageOver));
  }
  --Blasts[1].Countdown;
  CheckBossDefeat();
  EXPECT_TRUE(IsTrue(BossStageOver));
}

TEST_F(BossTest, TheBodyAndTheBulletsHitTheShip) {
  BossX = 60;
  BossY = 25;
  // The ship's centre exactly on the body ellipse's lower boundary.
  Player.X = 60 + 150 - 25;
  Player.Y = 25 + 60 + 60 - 25;
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 26);
  // While the explosion runs nothing hits again.
  MissCountdown = 3;
  Player.OnScreen = kTrue;
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 3);
  // One pixel further down is clear; a dead boss never hurts.
  MissCountdown = 0;
  Player.Y += 1;
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 0);
  Player.Y -= 1;
  BossAlive = kFalse;
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 0);
}

TEST_F(BossTest, ALargeBallThatHitsFliesOnASmallOneIsRemoved) {
  BossAlive = kFalse;
  Player.X = 185;
  Player.Y = 410;
  // The ship's core 60 from the ball's centre: on its circle.
  EnemyShots.Append(Bullet(3, 185 + 25 - 70 - 60, 410 + 27 - 70, 0, 0, 140, 0));
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 26);
  EXPECT_TRUE(IsTrue(EnemyShots[1].Alive));
  MissCountdown = 0;
  EnemyShots.Erase();
  EnemyShots.Append(Bullet(3, 185 + 25 - 70 - 61, 410 + 27 - 70, 0, 0, 140, 0));
  EnemyShots.Append(Bullet(1, 185 + 25 - 5, 410 + 27 - 5));
  CheckPlayerHitBoss();
  EXPECT_EQ(MissCountdown, 26);
  EXPECT_TRUE(IsTrue(EnemyShots[1].Alive));
  EXPECT_FALSE(IsTrue(EnemyShots[2].Alive));
}

class BossRendererTest : public BossTest {
 protected:
  BossRendererTest() {
    frmMain.picMain.Image = Surface(420, 560);
    frmMain.picCharacter.Image = CodedSheet(741, 842);
    for (int i = 1; i <= 5; ++i) frmMain.PicBack[i].Image = CodedBackground(i);
    frmMain.PicBom[1].Image = Surface(2100, 2241);
    frmMain.PicBom[2].Image = Surface(2100, 2241, kOpaqueWhite);
    frmMain.picBossBlast.Image = CodedSheet(2400, 1600);
    BossY = -170;
  }
  uint32_t At(int x, int y) const { return frmMain.picMain.Image.At(x, y); }
};

TEST_F(BossRendererTest, TheScenerySwitchesAtTheNextMultiplesOf560) {
  FrameCount = 8401;
  DrawBossStage();
  EXPECT_EQ(At(0, 1), BackPixel(3, 0));
  EXPECT_EQ(At(0, 0), BackPixel(4, 559));
  FrameCount = 8960;
  DrawBossStage();
  EXPECT_TRUE(IsTrue(BossBackSwitched1));
  EXPECT_FALSE(IsTrue(BossBackSwitched2));
  EXPECT_EQ(At(0, 10), BackPixel(4, 10));
  FrameCount = 9520;
  DrawBossStage();
  EXPECT_TRUE(IsTrue(BossBackSwitched2));
  EXPECT_EQ(At(0, 10), BackPixel(5, 10));
}

TEST_F(BossRendererTest, TheBossBlinksMoreOftenAsItWeakens) {
  BossX = 60;
  BossY = 25;
  // The flash picture differs from the normal one: compare with a boss that never blinks.
  auto pixel = [&](int16_t hp, int32_t frame) {
    BossHP = hp;
    FrameCount = frame;
    DrawBossStage();
    return At(60 + 150, 25 + 60);
  };
  auto flashShown = [&](int16_t hp, int32_t frame) {
    return pixel(hp, frame) != pixel(3000, frame);
  };
  EXPECT_TRUE(flashShown(2199, 9600));
  EXPECT_FALSE(flashShown(2200, 9600));
  EXPECT_TRUE(flashShown(1499, 9660));   // mod 60 = 0
  EXPECT_FALSE(flashShown(2199, 9660));  // mod 120 = 60
  EXPECT_TRUE(flashShown(399, 9630));
  EXPECT_FALSE(flashShown(1499, 9633));
}

TEST_F(BossRendererTest, TheGaugeGrowsInThenShowsTheHitPoints) {
  auto widthAt = [&](int y, int32_t frame, int16_t hp) {
    BossHP = hp;
    FrameCount = frame;
    BossGauge();
    int w = 0;
    while (w < 420 && At(10 + w, y) == Coded(w, y == 526 ? 589 : 584 + (y - 525))) ++w;
    return w;
  };
  EXPECT_EQ(widthAt(526, 8401, 3000), 3);
  EXPECT_EQ(widthAt(526, 8520, 3000), 400);
  EXPECT_EQ(widthAt(526, 8521, 2996), 399);
  EXPECT_EQ(widthAt(526, 8600, 1875), 250);
}

TEST_F(BossRendererTest, LargeBallsCycleThroughTheirThreePicturesIn18Frames) {
  BossAlive = kFalse;
  FrameCount = 8600;
  DrawBossStage();
  const uint32_t ground = At(110, 210);
  EnemyShots.Append(Bullet(3, 100, 200, 0, 0, 140, 17));
  DrawBossStage();
  EXPECT_EQ(EnemyShots[1].Step, 0);
  EXPECT_EQ(At(110, 210), Masked(ground, 574 + 10, 700 + 10, 574 + 10, 560 + 10));
  DrawBossStage();  // Step 0 shows picture A
  EXPECT_EQ(At(110, 210), Masked(ground, 562 + 10, 140 + 10, 562 + 10, 0 + 10));
  EXPECT_EQ(EnemyShots[1].Step, 1);
}

TEST_F(BossRendererTest, TheFinalExplosionPlaysTwelvePicturesThenTwoEmptyFrames) {
  BossAlive = kFalse;
  Blasts.Append({4, 60, 25, 60});
  FrameCount = 9000;
  DrawBossStage();
  EXPECT_EQ(Blasts[1].Countdown, 59);
  // The picture at (0, 0), drawn at (X - 50, Y - 140): its row 200 shows at field row 85.
  EXPECT_EQ(At(10 + 100, 85) & 0x00FFFFFF,
            (At(10 + 100, 85) & 0x00FFFFFF) | (Coded(100, 200) & 0x00FFFFFF));
  Blasts[1].Countdown = 2;
  DrawBossStage();
  Blasts[1].Countdown = 1;
  DrawBossStage();
  EXPECT_EQ(Blasts[1].Countdown, 0);
  CheckBossDefeat();
  EXPECT_TRUE(IsTrue(BossStageOver));
}

}  // namespace
}  // namespace vormelda::testing
