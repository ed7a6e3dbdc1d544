// Every picture on the sprite sheet Picture/Character.pic: where its image and its mask lie; and
// how the bomb's and the boss explosion's sheets are laid out. The generator paints the sheets
// from these and the game draws by these names, so a picture moved here moves in both. Several
// pictures share one mask: the two shots, the bullet animation pictures, and each enemy with its
// hit flash. A picture without a mask is drawn opaquely: black, then the picture ORed on.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "platform/geometry.hpp"

namespace vormelda {

struct Sprite {
  std::string_view name;  // as the generator and the contact sheet call it
  Point image;
  Point mask{-1, -1};  // none
  int w = 0;
  int h = 0;
  constexpr bool HasMask() const { return mask.x >= 0; }
  constexpr Rect ImageRect() const { return At(image, w, h); }
  constexpr Rect MaskRect() const { return At(mask, w, h); }
};

namespace sprite {

// A masked picture whose mask lies dy rows below its image.
constexpr Sprite Masked(std::string_view name, Point image, int maskDy, int w, int h) {
  return {name, image, {image.x, image.y + maskDy}, w, h};
}

// The player's ship, level and three tilts each way, and its exhaust flame.
inline constexpr Sprite kShip = Masked("ship", {26, 170}, 50, 50, 50);
inline constexpr std::array kShipLeft = {Masked("ship_left_1", {386, 0}, 50, 50, 50),
                                         Masked("ship_left_2", {436, 0}, 50, 50, 50),
                                         Masked("ship_left_3", {486, 0}, 50, 50, 50)};
inline constexpr std::array kShipRight = {Masked("ship_right_1", {386, 100}, 50, 50, 50),
                                          Masked("ship_right_2", {436, 100}, 50, 50, 50),
                                          Masked("ship_right_3", {486, 100}, 50, 50, 50)};
inline constexpr std::array kFlame = {Masked("flame_1", {400, 712}, 20, 20, 20),
                                      Masked("flame_2", {420, 712}, 20, 20, 20),
                                      Masked("flame_3", {440, 712}, 20, 20, 20)};

// The player's shots, on one mask.
inline constexpr Sprite kShotCentre{"shot_centre", {0, 202}, {0, 237}, 16, 35};
inline constexpr Sprite kShotDiagonal{"shot_diagonal", {0, 272}, {0, 237}, 16, 35};

// The falling items.
inline constexpr Sprite kItemPower{"item_power", {16, 270}, {51, 270}, 35, 35};
inline constexpr Sprite kItemBomb{"item_bomb", {16, 305}, {51, 305}, 35, 35};

// The three kinds of enemy, and their hit flashes on the same masks.
inline constexpr std::array kEnemy = {Sprite{"enemy_1", {51, 0}, {51, 35}, 35, 35},
                                      Sprite{"enemy_2", {0, 70}, {0, 120}, 30, 50},
                                      Sprite{"enemy_3", {30, 70}, {30, 120}, 50, 50}};
inline constexpr std::array kEnemyFlash = {Sprite{"enemy_1_flash", {185, 642}, {51, 35}, 35, 35},
                                           Sprite{"enemy_2_flash", {185, 592}, {0, 120}, 30, 50},
                                           Sprite{"enemy_3_flash", {215, 592}, {30, 120}, 50, 50}};

// The small bullet's five pictures and the medium bullet's six, each kind on one mask.
inline constexpr std::array kSmallBullet = {Sprite{"bullet_small_1", {0, 170}, {0, 180}, 10, 10},
                                            Sprite{"bullet_small_2", {0, 190}, {0, 180}, 10, 10},
                                            Sprite{"bullet_small_3", {16, 202}, {0, 180}, 10, 10},
                                            Sprite{"bullet_small_4", {16, 212}, {0, 180}, 10, 10},
                                            Sprite{"bullet_small_5", {16, 222}, {0, 180}, 10, 10}};
inline constexpr std::array kMediumBullet = {
    Sprite{"bullet_medium_1", {10, 170}, {10, 186}, 16, 16},
    Sprite{"bullet_medium_2", {0, 340}, {10, 186}, 16, 16},
    Sprite{"bullet_medium_3", {16, 340}, {10, 186}, 16, 16},
    Sprite{"bullet_medium_4", {32, 340}, {10, 186}, 16, 16},
    Sprite{"bullet_medium_5", {48, 340}, {10, 186}, 16, 16},
    Sprite{"bullet_medium_6", {64, 340}, {10, 186}, 16, 16}};

// The enemies' explosion, eight pictures left to right.
inline constexpr std::array kExplosion = {
    Masked("explosion_1", {0, 356}, 50, 50, 50),   Masked("explosion_2", {50, 356}, 50, 50, 50),
    Masked("explosion_3", {100, 356}, 50, 50, 50), Masked("explosion_4", {150, 356}, 50, 50, 50),
    Masked("explosion_5", {200, 356}, 50, 50, 50), Masked("explosion_6", {250, 356}, 50, 50, 50),
    Masked("explosion_7", {300, 356}, 50, 50, 50), Masked("explosion_8", {350, 356}, 50, 50, 50)};

// The boss, its flash, its large bullet's three pictures and its hit-point gauge.
inline constexpr Sprite kBoss = Masked("boss", {86, 0}, 120, 300, 120);
inline constexpr Sprite kBossFlash{"boss_flash", {265, 592}, {86, 120}, 300, 120};
inline constexpr std::array kBall = {Masked("ball_a", {562, 0}, 140, 140, 140),
                                     Masked("ball_b", {601, 280}, 140, 140, 140),
                                     Masked("ball_c", {574, 560}, 140, 140, 140)};
inline constexpr Sprite kGaugeLabel = Masked("gauge_label", {402, 578}, 7, 19, 7);
inline constexpr Sprite kGaugeFrame{"gauge_frame", {0, 584}, {-1, -1}, 402, 5};
inline constexpr Sprite kGaugeBar{"gauge_bar", {0, 589}, {-1, -1}, 400, 3};

// The status line: its labels, the four count glyphs and the ten digits, masks 29 rows below.
inline constexpr Sprite kShipsLabel = Masked("label_ships", {266, 240}, 29, 112, 29);
inline constexpr Sprite kBombsLabel = Masked("label_bombs", {378, 240}, 29, 95, 29);
inline constexpr std::array kCount = {
    Masked("count_0", {473, 240}, 29, 18, 29), Masked("count_1", {491, 240}, 29, 18, 29),
    Masked("count_2", {509, 240}, 29, 18, 29), Masked("count_3", {527, 240}, 29, 18, 29)};
inline constexpr std::array kDigit = {
    Masked("digit_0", {86, 240}, 29, 18, 29),  Masked("digit_1", {104, 240}, 29, 18, 29),
    Masked("digit_2", {122, 240}, 29, 18, 29), Masked("digit_3", {140, 240}, 29, 18, 29),
    Masked("digit_4", {158, 240}, 29, 18, 29), Masked("digit_5", {176, 240}, 29, 18, 29),
    Masked("digit_6", {194, 240}, 29, 18, 29), Masked("digit_7", {212, 240}, 29, 18, 29),
    Masked("digit_8", {230, 240}, 29, 18, 29), Masked("digit_9", {248, 240}, 29, 18, 29)};

// The title screen.
inline constexpr Sprite kHighScoreCaption = Masked("high_score_caption", {86, 298}, 29, 182, 29);
inline constexpr Sprite kTitleLogo = Masked("title_logo", {400, 338}, 52, 180, 52);
inline constexpr Sprite kTitleLine1 = Masked("title_line_1", {268, 298}, 20, 184, 20);
inline constexpr Sprite kTitleLine2{"title_line_2", {386, 223}, {474, 223}, 88, 17};

// The game over and the ending.
inline constexpr Sprite kGameOver = Masked("game_over", {0, 456}, 64, 267, 64);
inline constexpr Sprite kScoreLabel = Masked("score_label", {452, 298}, 17, 149, 17);
inline constexpr std::array kCredits = {Masked("credits_1", {267, 456}, 61, 307, 61),
                                        Masked("credits_2", {0, 592}, 65, 185, 65),
                                        Sprite{"credits_3", {400, 752}, {-1, -1}, 97, 67}};
inline constexpr Sprite kSuperSpeedBanner = Masked("super_speed_banner", {0, 722}, 60, 400, 60);

template <size_t... N>
constexpr auto Join(const std::array<Sprite, N>&... parts) {
  std::array<Sprite, (N + ...)> all{};
  size_t i = 0;
  ((std::copy(std::begin(parts), std::end(parts), all.begin() + i), i += std::size(parts)), ...);
  return all;
}
template <typename... S>
constexpr std::array<Sprite, sizeof...(S)> One(const S&... s) {
  return {s...};
}

}  // namespace sprite

// Every picture of the sheet once, in the order the generator paints them.
inline constexpr auto kSpriteSheet = sprite::Join(
    sprite::One(sprite::kShip), sprite::kShipLeft, sprite::kShipRight, sprite::kFlame,
    sprite::One(sprite::kShotCentre, sprite::kShotDiagonal, sprite::kItemPower, sprite::kItemBomb),
    sprite::One(sprite::kEnemy[0], sprite::kEnemyFlash[0], sprite::kEnemy[1],
                sprite::kEnemyFlash[1], sprite::kEnemy[2], sprite::kEnemyFlash[2]),
    sprite::kSmallBullet, sprite::kMediumBullet, sprite::kExplosion,
    sprite::One(sprite::kBoss, sprite::kBossFlash), sprite::kBall,
    sprite::One(sprite::kGaugeLabel, sprite::kGaugeFrame, sprite::kGaugeBar, sprite::kShipsLabel,
                sprite::kBombsLabel),
    sprite::kDigit, sprite::kCount,
    sprite::One(sprite::kHighScoreCaption, sprite::kTitleLogo, sprite::kTitleLine1,
                sprite::kTitleLine2, sprite::kGameOver, sprite::kScoreLabel),
    sprite::kCredits, sprite::One(sprite::kSuperSpeedBanner));

// The bomb's sheets Picture/bom.pic (images) and Picture/bomm.pic (masks): twenty field-sized
// pictures, five to a row, the first row one pixel down.
struct BombSheet {
  static constexpr int kPictures = 20;
  static constexpr int kPerRow = 5;
  static constexpr int kWidth = kPerRow * kFieldWidth;
  static constexpr int kHeight = kPictures / kPerRow * kFieldHeight + 1;
  static constexpr Point Picture(int i) {
    return {i % kPerRow * kFieldWidth, i / kPerRow * kFieldHeight + 1};
  }
};

// The boss's explosion sheet Picture/BossBlast.pic: twelve 400 x 400 pictures, six to a row, each
// mask 800 rows below its image.
struct BossBlastSheet {
  static constexpr int kPictures = 12;
  static constexpr int kPerRow = 6;
  static constexpr int kSize = 400;
  static constexpr int kMaskDy = 800;
  static constexpr int kWidth = kPerRow * kSize;
  static constexpr int kHeight = kMaskDy + kPictures / kPerRow * kSize;
  static constexpr Point Picture(int i) { return {i % kPerRow * kSize, i / kPerRow * kSize}; }
};

// The sprite sheet is just large enough for every picture: its far corner.
constexpr Point SheetExtent() {
  Point far;
  for (const Sprite& s : kSpriteSheet) {
    for (const Point& p : {s.image, s.mask}) {
      if (p.x < 0) continue;  // no mask
      far = {std::max(far.x, p.x + s.w), std::max(far.y, p.y + s.h)};
    }
  }
  return far;
}
constexpr int SheetWidth() {
  return SheetExtent().x;
}
constexpr int SheetHeight() {
  return SheetExtent().y;
}

}  // namespace vormelda
