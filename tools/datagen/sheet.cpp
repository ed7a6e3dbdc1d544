#include "sheet.hpp"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "raster.hpp"
#include "render/sprite_sheet.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

using Maker = std::function<Canvas()>;

std::map<std::string, Maker, std::less<>> Makers() {
  std::map<std::string, Maker, std::less<>> m;
  m["ship"] = [] { return MakeShip(0); };
  for (int i = 1; i <= 3; ++i) {
    m["ship_left_" + std::to_string(i)] = [i] { return MakeShip(-i); };
    m["ship_right_" + std::to_string(i)] = [i] { return MakeShip(i); };
    m["flame_" + std::to_string(i)] = [i] { return MakeFlame(i - 1); };
    m["enemy_" + std::to_string(i)] = [i] { return MakeEnemy(i); };
    m["enemy_" + std::to_string(i) + "_flash"] = [i] { return Flashed(MakeEnemy(i), 0.75); };
    m["credits_" + std::to_string(i)] = [i] { return MakeCredits(i); };
  }
  m["shot_centre"] = [] { return MakeShot(false); };
  m["shot_diagonal"] = [] { return MakeShot(true); };
  m["item_power"] = [] { return MakeItem(false); };
  m["item_bomb"] = [] { return MakeItem(true); };
  for (int i = 1; i <= 5; ++i) {
    m["bullet_small_" + std::to_string(i)] = [i] { return MakeSmallBullet(i - 1); };
  }
  for (int i = 1; i <= 6; ++i) {
    m["bullet_medium_" + std::to_string(i)] = [i] { return MakeMediumBullet(i - 1); };
  }
  for (int i = 1; i <= 8; ++i) {
    m["explosion_" + std::to_string(i)] = [i] { return MakeExplosion(i - 1); };
  }
  m["boss"] = [] { return MakeBoss(); };
  m["boss_flash"] = [] { return Flashed(MakeBoss(), 0.7); };
  m["ball_a"] = [] { return MakeBall(0); };
  m["ball_b"] = [] { return MakeBall(1); };
  m["ball_c"] = [] { return MakeBall(2); };
  m["gauge_label"] = [] { return MakeGaugeLabel(); };
  m["gauge_frame"] = [] { return MakeGaugeFrame(); };
  m["gauge_bar"] = [] { return MakeGaugeBar(); };
  m["label_ships"] = [] { return MakeShipsLabel(); };
  m["label_bombs"] = [] { return MakeBombsLabel(); };
  for (int d = 0; d <= 9; ++d) m["digit_" + std::to_string(d)] = [d] { return MakeDigit(d); };
  for (int n = 0; n <= 3; ++n) m["count_" + std::to_string(n)] = [n] { return MakeCount(n); };
  m["high_score_caption"] = [] { return MakeHighScoreCaption(); };
  m["title_logo"] = [] { return MakeTitleLogo(); };
  m["title_line_1"] = [] { return MakeTitleLine1(); };
  m["title_line_2"] = [] { return MakeTitleLine2(); };
  m["game_over"] = [] { return MakeGameOver(); };
  m["score_label"] = [] { return MakeScoreLabel(); };
  m["super_speed_banner"] = [] { return MakeSuperSpeedBanner(); };
  return m;
}

}  // namespace

Image BuildSpriteSheet() {
  Image sheet(SheetWidth(), SheetHeight(), kBlack);
  const auto makers = Makers();
  for (const Sprite& r : kSpriteSheet) {
    const auto it = makers.find(r.name);
    if (it == makers.end()) throw std::logic_error("no picture for " + std::string(r.name));
    const Canvas sprite = it->second();
    if (sprite.Width() != r.w || sprite.Height() != r.h) {
      throw std::logic_error("picture " + std::string(r.name) + " has the wrong size");
    }
    PlaceSprite(sheet, sprite, r.image, r.mask);
  }
  return sheet;
}

}  // namespace vormelda::datagen
