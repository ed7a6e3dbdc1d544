#include "render/draw_boss_stage.hpp"

#include <algorithm>

#include "common/helpers.hpp"
#include "render/stage_pieces.hpp"
#include "render/status_line.hpp"
#include "shell/form_main.hpp"
#include "shell/frame.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

namespace {

// At each multiple of 560 the scenery moves on by one picture: 3 under 4, then 4 under 5, then 5.
void SwitchBackground() {
  if (IsTrue(BossBackSwitched1) && IsTrue(BossBackSwitched2)) return;
  if (FrameCount % 560 != 0) return;
  if (IsTrue(BossBackSwitched1) && BossBackSwitched2 == kFalse) BossBackSwitched2 = kTrue;
  if (BossBackSwitched1 == kFalse) BossBackSwitched1 = kTrue;
}

void DrawBackground() {
  const int s = FrameCount % 560;
  int lower = 3, upper = 4;
  if (IsTrue(BossBackSwitched1)) {
    lower = IsTrue(BossBackSwitched2) ? 5 : 4;
    upper = 5;
  }
  DrawOpaque(frmMain.PicBack[lower], 0, s);
  DrawOpaque(frmMain.PicBack[upper], 0, s - 560);
}

// Blinks for 3 frames every 120 below 2200 hit points, every 60 below 1500, every 30 below 400.
bool BossFlashes() {
  return (BossHP < 400 && FrameCount % 30 <= 2) || (BossHP < 1500 && FrameCount % 60 <= 2) ||
         (BossHP < 2200 && FrameCount % 120 <= 2);
}

void DrawBoss() {
  if (!IsTrue(BossAlive)) return;
  const bool flash = BossFlashes();
  DrawMasked(RoundHalfEven(BossX), RoundHalfEven(BossY), 300, 120, 86, 120, flash ? 265 : 86,
             flash ? 592 : 0);
}

// Twelve pictures of 400 x 400, five frames each (three for the last), then two empty frames.
void DrawFinalExplosion() {
  if (!Blasts.Allocated()) return;
  const int32_t n = Blasts.UBound();
  Surface& field = Field();
  const Surface& sheet = frmMain.picBossBlast.Image;
  for (int32_t i = 1; i <= n; ++i) {
    BlastRecord& b = Blasts[i];
    if (b.Countdown < 1) continue;
    if (b.Countdown >= 3 && b.Countdown <= 60) {
      const int picture = (60 - b.Countdown) / 5;
      const int sx = 400 * (picture % 6);
      const int sy = 400 * (picture / 6);
      BitBlt(field, b.X - 50, b.Y - 140, 400, 400, sheet, sx, sy + 800, SRCAND);
      BitBlt(field, b.X - 50, b.Y - 140, 400, 400, sheet, sx, sy, SRCPAINT);
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
    const int32_t x = RoundHalfEven(s.X);
    const int32_t y = RoundHalfEven(s.Y);
    if (s.Step <= 5) {
      DrawMasked(x, y, 140, 140, 562, 140, 562, 0);
    } else if (s.Step <= 12) {
      DrawMasked(x, y, 140, 140, 601, 420, 601, 280);
    } else {
      DrawMasked(x, y, 140, 140, 574, 700, 574, 560);
    }
    ++s.Step;
    if (s.Step >= 18) s.Step = 0;
  }
}

// Black, then the sheet's picture OR-ed on: an opaque copy.
void DrawOpaquePiece(int x, int y, int w, int h, int sheetX, int sheetY) {
  Surface& field = Field();
  BitBlt(field, x, y, w, h, nullptr, 0, 0, BLACKNESS);
  BitBlt(field, x, y, w, h, frmMain.picCharacter.Image, sheetX, sheetY, SRCPAINT);
}

}  // namespace

void BossGauge() {
  DrawMasked(9, 518, 19, 7, 402, 585, 402, 578);
  const double h = BossHP / 7.5;
  if (FrameCount < 8401 || FrameCount > 8520) {
    DrawOpaquePiece(9, 525, 402, 5, 0, 584);
    DrawOpaquePiece(10, 526, RoundHalfEven(h), 3, 0, 589);
    return;
  }
  const double g = (FrameCount - 8400) * 3.35;
  DrawOpaquePiece(9, 525, RoundHalfEven(g), 5, 0, 584);
  DrawOpaquePiece(10, 526, RoundHalfEven(std::min(g, h)), 3, 0, 589);
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
