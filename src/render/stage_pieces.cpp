#include "render/stage_pieces.hpp"

#include "common/helpers.hpp"
#include "render/ship_sprites.hpp"
#include "shell/form_main.hpp"
#include "shell/frame.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

namespace {

struct SheetPoint {
  int x, y;
};

// The bomb's full-field pictures on the bomb sheets, by BombTimer.
SheetPoint BombFrame(int16_t t) {
  static constexpr struct {
    int16_t from;
    SheetPoint at;
  } kTable[] = {{116, {0, 1}},      {111, {420, 1}},   {106, {840, 1}},   {101, {1260, 1}},
                {96, {1680, 1}},    {91, {0, 561}},    {86, {420, 561}},  {81, {840, 561}},
                {76, {1260, 561}},  {71, {840, 561}},  {66, {1260, 561}}, {60, {1680, 561}},
                {54, {0, 1121}},    {48, {420, 1121}}, {42, {840, 1121}}, {36, {1260, 1121}},
                {30, {1680, 1121}}, {24, {0, 1681}},   {18, {420, 1681}}, {12, {840, 1681}},
                {6, {1260, 1681}},  {1, {1680, 1681}}};
  for (const auto& row : kTable) {
    if (t >= row.from) return row.at;
  }
  return kTable[0].at;
}

// The explosion column: 24..22 show 0, 21..19 show 50, ... 3..1 show 350.
int BlastColumn(int countdown) {
  return 50 * ((24 - countdown) / 3);
}

struct BankPicture {
  int maskX, maskY, imageX, imageY;
};

BankPicture ShipByBank(int16_t bank) {
  if (bank <= -13) return {486, 50, 486, 0};
  if (bank <= -8) return {436, 50, 436, 0};
  if (bank <= -3) return {386, 50, 386, 0};
  if (bank <= 2) return {26, 220, 26, 170};
  if (bank <= 7) return {386, 150, 386, 100};
  if (bank <= 12) return {436, 150, 436, 100};
  return {486, 150, 486, 100};
}

void DrawItem(const ItemRecord& item, int imageY) {
  if (IsTrue(item.Alive)) DrawMasked(item.X, item.Y, 35, 35, 51, imageY, 16, imageY);
}

template <int N>
void DrawShots(const OneBasedArray<ShotSlot, N>& slots, int imageY) {
  for (const ShotSlot& s : slots) {
    if (IsTrue(s.Alive)) DrawMasked(s.X, s.Y, 16, 35, 0, 237, 0, imageY);
  }
}

SheetPoint SmallBulletPicture(uint8_t& step) {
  static constexpr SheetPoint kPictures[8] = {{0, 170}, {0, 190},  {16, 202}, {0, 190},
                                              {0, 170}, {16, 212}, {16, 222}, {16, 212}};
  if (step < 1 || step > 15) {
    step = 1;
    return {16, 212};
  }
  SheetPoint p = kPictures[(step - 1) / 2];
  ++step;
  return p;
}

SheetPoint MediumBulletPicture(uint8_t& step) {
  static constexpr SheetPoint kPictures[6] = {{10, 170}, {0, 340},  {16, 340},
                                              {32, 340}, {48, 340}, {64, 340}};
  if (step < 1 || step > 11) {
    step = 1;
    return {64, 340};
  }
  SheetPoint p = kPictures[(step - 1) / 2];
  ++step;
  return p;
}

}  // namespace

void DrawBomb() {
  if (BombTimer <= 0) return;
  EnemyShots.Erase();
  if (BombTimer == 65) PlayEffect(frmMain.mciBom);
  if (BombTimer <= 120) {
    const SheetPoint at = BombFrame(BombTimer);
    Surface& field = Field();
    BitBlt(field, 0, 0, 420, 560, frmMain.PicBom[2].Image, at.x, at.y, SRCAND);
    BitBlt(field, 0, 0, 420, 560, frmMain.PicBom[1].Image, at.x, at.y, SRCPAINT);
  }
  --BombTimer;
}

void DrawBlasts() {
  if (!Blasts.Allocated()) return;
  const int32_t n = Blasts.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    BlastRecord& b = Blasts[i];
    if (b.Countdown < 1) continue;
    if (b.Countdown <= 24) {
      const int c = BlastColumn(b.Countdown);
      DrawMasked(b.X, b.Y, 50, 50, c, 406, c, 356);
    }
    --b.Countdown;
  }
  CompactBlasts();
}

bool DrawPlayerExplosion() {
  if (MissCountdown < 1) return false;
  // Two frames later than a blast's columns: 26..24 show 0, ... 5..3 show 350, 2 and 1 nothing.
  if (MissCountdown >= 3 && MissCountdown <= 26) {
    const int c = BlastColumn(MissCountdown - 2);
    DrawMasked(MissBlastX, MissBlastY, 50, 50, c, 406, c, 356);
  }
  --MissCountdown;
  return MissCountdown <= 0;
}

void DrawPlayerShip() {
  if (!IsTrue(Player.OnScreen)) return;
  DrawExhaustFlame(Player.X, Player.Y);
  const BankPicture p = ShipByBank(Player.Bank);
  DrawMasked(Player.X, Player.Y, 50, 50, p.maskX, p.maskY, p.imageX, p.imageY);
}

void DrawItems() {
  DrawItem(PowerItem, 270);
  DrawItem(BombItem, 305);
}

void DrawEnemies() {
  if (!Enemies.Allocated()) return;
  const int32_t n = Enemies.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyRecord& e = Enemies[i];
    if (!IsTrue(e.Alive)) continue;
    const int32_t x = RoundHalfEven(e.X);
    const int32_t y = RoundHalfEven(e.Y);
    const bool flash = e.Flash != 0;
    switch (e.Kind) {
      case 1:
        DrawMasked(x, y, 35, 35, 51, 35, flash ? 185 : 51, flash ? 642 : 0);
        break;
      case 2:
        DrawMasked(x, y, 30, 50, 0, 120, flash ? 185 : 0, flash ? 592 : 70);
        break;
      case 3:
        DrawMasked(x, y, 50, 50, 30, 120, flash ? 215 : 30, flash ? 592 : 70);
        break;
      default:
        continue;
    }
    e.Flash = 0;
  }
}

void DrawPlayerShots() {
  DrawShots(CenterShots, 202);
  if (Player.Power < 2) return;
  DrawShots(LeftShots, 272);
  DrawShots(RightShots, 272);
}

void DrawSmallBullets() {
  if (!EnemyShots.Allocated()) return;
  const int32_t n = EnemyShots.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    if (!IsTrue(s.Alive)) continue;
    const int32_t x = RoundHalfEven(s.X);
    const int32_t y = RoundHalfEven(s.Y);
    if (s.Kind == 1) {
      const SheetPoint p = SmallBulletPicture(s.Step);
      DrawMasked(x, y, 10, 10, 0, 180, p.x, p.y);
    } else if (s.Kind == 2) {
      const SheetPoint p = MediumBulletPicture(s.Step);
      DrawMasked(x, y, 16, 16, 10, 186, p.x, p.y);
    }
  }
}

}  // namespace vormelda
