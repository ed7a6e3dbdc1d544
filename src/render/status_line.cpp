#include "render/status_line.hpp"

#include <string>

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "render/sprites.hpp"

namespace vormelda {

namespace {

// Every piece sits on one row, 29 pixels high.
constexpr int kRowY = 530;

// The glyph for the ships in reserve, and the one for the bombs in stock.
const Sprite& ShipsGlyph(uint8_t lives) {
  return sprite::kCount[lives == 3 ? 2 : lives == 2 ? 1 : 0];
}
const Sprite& BombsGlyph(uint8_t bombs) {
  return sprite::kCount[bombs <= 3 ? bombs : 0];
}

void Labels(const Sprite& shipsGlyph, const Sprite& bombsGlyph) {
  DrawSprite(sprite::kShipsLabel, {5, kRowY});
  DrawSprite(shipsGlyph, {117, kRowY});
  DrawSprite(sprite::kBombsLabel, {150, kRowY});
  DrawSprite(bombsGlyph, {245, kRowY});
}

}  // namespace

void DrawScore(int32_t score) {
  const std::string text = FormatScore(score);
  for (LoopIndex = 1; LoopIndex <= static_cast<int16_t>(text.size()); ++LoopIndex) {
    const char c = text[static_cast<size_t>(LoopIndex - 1)];
    DrawSprite(sprite::kDigit[c >= '1' && c <= '9' ? c - '0' : 0], {302 + 18 * LoopIndex, kRowY});
  }
}

void DrawStatusLine() {
  Labels(ShipsGlyph(Player.Lives), BombsGlyph(Player.Bombs));
  DrawScore(Player.Score);
}

void DrawStartingStatusLine() {
  Labels(ShipsGlyph(3), BombsGlyph(2));
  for (int x : {392, 374, 356, 338, 320}) DrawSprite(sprite::kDigit[0], {x, kRowY});
}

}  // namespace vormelda
