#include "render/stage_pieces.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "render/ship_sprites.hpp"
#include "render/sprites.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

// The bomb's picture on its sheets, by BombTimer: the first row whose start it has reached.
int BombPicture(int16_t t) {
  static constexpr struct {
    int16_t from;
    int picture;
  } kTable[] = {{116, 0}, {111, 1}, {106, 2}, {101, 3}, {96, 4},  {91, 5},  {86, 6},  {81, 7},
                {76, 8},  {71, 7},  {66, 8},  {60, 9},  {54, 10}, {48, 11}, {42, 12}, {36, 13},
                {30, 14}, {24, 15}, {18, 16}, {12, 17}, {6, 18},  {1, 19}};
  for (const auto& row : kTable) {
    if (t >= row.from) return row.picture;
  }
  return kTable[0].picture;
}

// The explosion's picture: 24..22 show the first, 21..19 the second, ... 3..1 the eighth.
const Sprite& BlastPicture(int countdown) {
  return sprite::kExplosion[static_cast<size_t>((24 - countdown) / 3)];
}

const Sprite& ShipByBank(int16_t bank) {
  if (bank <= -13) return sprite::kShipLeft[2];
  if (bank <= -8) return sprite::kShipLeft[1];
  if (bank <= -3) return sprite::kShipLeft[0];
  if (bank <= 2) return sprite::kShip;
  if (bank <= 7) return sprite::kShipRight[0];
  if (bank <= 12) return sprite::kShipRight[1];
  return sprite::kShipRight[2];
}

void DrawItem(const ItemRecord& item, const Sprite& picture) {
  if (IsTrue(item.Alive)) DrawSprite(picture, {item.X, item.Y});
}

template <int N>
void DrawShots(const OneBasedArray<ShotSlot, N>& slots, const Sprite& picture) {
  for (const ShotSlot& s : slots) {
    if (IsTrue(s.Alive)) DrawSprite(picture, {s.X, s.Y});
  }
}

// A bullet's picture by its animation step, which it advances: steps 1 and 2 show the first
// picture of the cycle, 3 and 4 the second, and so on; a step past the cycle starts it again at 1,
// showing the restart picture this once.
template <size_t N>
const Sprite& BulletPicture(uint8_t& step, const std::array<const Sprite*, N>& cycle,
                            const Sprite& restart) {
  if (step < 1 || step > 2 * N - 1) {
    step = 1;
    return restart;
  }
  const Sprite& picture = *cycle[static_cast<size_t>((step - 1) / 2)];
  ++step;
  return picture;
}

// The small bullet swells and shrinks, then flickers; the medium one turns through six pictures.
constexpr std::array<const Sprite*, 8> kSmallBulletCycle = {
    &sprite::kSmallBullet[0], &sprite::kSmallBullet[1], &sprite::kSmallBullet[2],
    &sprite::kSmallBullet[1], &sprite::kSmallBullet[0], &sprite::kSmallBullet[3],
    &sprite::kSmallBullet[4], &sprite::kSmallBullet[3]};
constexpr std::array<const Sprite*, 6> kMediumBulletCycle = {
    &sprite::kMediumBullet[0], &sprite::kMediumBullet[1], &sprite::kMediumBullet[2],
    &sprite::kMediumBullet[3], &sprite::kMediumBullet[4], &sprite::kMediumBullet[5]};

}  // namespace

void DrawBomb() {
  if (BombTimer <= 0) return;
  EnemyShots.Erase();
  if (BombTimer == 65) PlayEffect(frmMain.mciBom);
  if (BombTimer <= 120) {
    const Point at = BombSheet::Picture(BombPicture(BombTimer));
    DrawMaskedPicture(kFieldRect, frmMain.PicBom[2].Image, at, frmMain.PicBom[1].Image, at);
  }
  --BombTimer;
}

void DrawBlasts() {
  if (!Blasts.Allocated()) return;
  const int32_t n = Blasts.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    BlastRecord& b = Blasts[i];
    if (b.Countdown < 1) continue;
    if (b.Countdown <= 24) DrawSprite(BlastPicture(b.Countdown), {b.X, b.Y});
    --b.Countdown;
  }
  CompactBlasts();
}

bool DrawPlayerExplosion() {
  if (MissCountdown < 1) return false;
  // Two frames later than a blast's pictures: 26..24 show the first, ... 5..3 the eighth, 2 and 1
  // nothing.
  if (MissCountdown >= 3 && MissCountdown <= 26) {
    DrawSprite(BlastPicture(MissCountdown - 2), {MissBlastX, MissBlastY});
  }
  --MissCountdown;
  return MissCountdown <= 0;
}

void DrawPlayerShip() {
  if (!IsTrue(Player.OnScreen)) return;
  DrawExhaustFlame(Player.X, Player.Y);
  DrawSprite(ShipByBank(Player.Bank), {Player.X, Player.Y});
}

void DrawItems() {
  DrawItem(PowerItem, sprite::kItemPower);
  DrawItem(BombItem, sprite::kItemBomb);
}

void DrawEnemies() {
  if (!Enemies.Allocated()) return;
  const int32_t n = Enemies.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyRecord& e = Enemies[i];
    if (!IsTrue(e.Alive) || e.Kind < 1 || e.Kind > 3) continue;
    const auto kind = static_cast<size_t>(e.Kind - 1);
    const Sprite& picture = e.Flash != 0 ? sprite::kEnemyFlash[kind] : sprite::kEnemy[kind];
    DrawSprite(picture, {RoundHalfEven(e.X), RoundHalfEven(e.Y)});
    e.Flash = 0;
  }
}

void DrawPlayerShots() {
  DrawShots(CenterShots, sprite::kShotCentre);
  if (Player.Power < 2) return;
  DrawShots(LeftShots, sprite::kShotDiagonal);
  DrawShots(RightShots, sprite::kShotDiagonal);
}

void DrawSmallBullets() {
  if (!EnemyShots.Allocated()) return;
  const int32_t n = EnemyShots.UBound();
  for (int32_t i = 1; i <= n; ++i) {
    EnemyShotRecord& s = EnemyShots[i];
    if (!IsTrue(s.Alive)) continue;
    const Point at{RoundHalfEven(s.X), RoundHalfEven(s.Y)};
    if (s.Kind == 1) {
      DrawSprite(BulletPicture(s.Step, kSmallBulletCycle, sprite::kSmallBullet[3]), at);
    } else if (s.Kind == 2) {
      DrawSprite(BulletPicture(s.Step, kMediumBulletCycle, sprite::kMediumBullet[5]), at);
    }
  }
}

}  // namespace vormelda
