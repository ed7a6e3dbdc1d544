#include "render/draw_boss_stage.hpp"

#include <algorithm>

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "render/sprites.hpp"
#include "render/stage_pieces.hpp"
#include "render/status_line.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

// At each multiple of 560 the scenery moves on by one picture: 3 under 4, then 4 under 5, then 5.
void SwitchBackground() {
  if (IsTrue(BossBackSwitched1) && IsTrue(BossBackSwitched2)) return;
  if (FrameCount % kFieldHeight != 0) return;
  if (IsTrue(BossBackSwitched1) && BossBackSwitched2 == kFalse) BossBackSwitched2 = kTrue;
  if (BossBackSwitched1 == kFalse) BossBackSwitched1 = kTrue;
}

void DrawBackground() {
  const int s = FrameCount % kFieldHeight;
  int lower = 3, upper = 4;
  if (IsTrue(BossBackSwitched1)) {
    lower = IsTrue(BossBackSwitched2) ? 5 : 4;
    upper = 5;
  }
  DrawOpaque(frmMain.PicBack[lower], {0, s});
  DrawOpaque(frmMain.PicBack[upper], {0, s - kFieldHeight});
}

// Blinks for 3 frames every 120 below 2200 hit points, every 60 below 1500, every 30 below 400.
bool BossFlashes() {
  return (BossHP < 400 && FrameCount % 30 <= 2) || (BossHP < 1500 && FrameCount % 60 <= 2) ||
         (BossHP < 2200 && FrameCount % 120 <= 2);
}

void DrawBoss() {
  if (!IsTrue(BossAlive)) return;
  DrawSprite(BossFlashes() ? sprite::kBossFlash : sprite::kBoss,
             {RoundHalfEven(BossX), RoundHalfEven(BossY)});
}

// Twelve pictures of 400 x 400, five frames each (three for the last), then two empty frames.
void DrawFinalExplosion() {
  if (!Blasts.Allocated()) return;
  const int32_t n = Blasts.UBound();
  const Surface& sheet = frmMain.picBossBlast.Image;
  for (int32_t i = 1; i <= n; ++i) {
    BlastRecord& b = Blasts[i];
    if (b.Countdown < 1) continue;
    if (b.Countdown >= 3 && b.Countdown <= 60) {
      const Point at = BossBlastSheet::Picture((60 - b.Countdown) / 5);
      const Point maskAt{at.x, at.y + BossBlastSheet::kMaskDy};
      DrawMaskedPicture(At({b.X - 50, b.Y - 140}, BossBlastSheet::kSize, BossBlastSheet::kSize),
                        sheet, maskAt, sheet, at);
    }
    --b.Countdown;
  }
  CompactBlasts();
}

void DrawLargeBullets() {
  if (!EnemyShots.Allocated()) return;
  const int32_t n = EnemyShots.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    if (!IsTrue(s.Alive) || s.Kind != 3) continue;
    DrawSprite(sprite::kBall[s.Step <= 5    ? 0
                             : s.Step <= 12 ? 1
                                            : 2],
               {RoundHalfEven(s.X), RoundHalfEven(s.Y)});
    ++s.Step;
    if (s.Step >= 18) s.Step = 0;
  }
}

}  // namespace

void BossGauge() {
  DrawSprite(sprite::kGaugeLabel, {9, 518});
  const double h = BossHP / 7.5;
  if (FrameCount < 8401 || FrameCount > 8520) {
    DrawOpaqueSprite(sprite::kGaugeFrame, {9, 525}, sprite::kGaugeFrame.w);
    DrawOpaqueSprite(sprite::kGaugeBar, {10, 526}, RoundHalfEven(h));
    return;
  }
  const double g = (FrameCount - 8400) * 3.35;
  DrawOpaqueSprite(sprite::kGaugeFrame, {9, 525}, RoundHalfEven(g));
  DrawOpaqueSprite(sprite::kGaugeBar, {10, 526}, RoundHalfEven(std::min(g, h)));
}

void DrawBossStage() {
  SwitchBackground();
  DrawBackground();
  DrawBoss();
  DrawBomb();
  DrawFinalExplosion();
  if (DrawPlayerExplosion()) {
    EnemyShots.Erase();
    Player.OnScreen = kTrue;
  }
  DrawPlayerShip();
  DrawItems();
  DrawLargeBullets();
  DrawPlayerShots();
  DrawSmallBullets();
  DrawStatusLine();
  BossGauge();
  frmMain.RefreshField();
}

}  // namespace vormelda
