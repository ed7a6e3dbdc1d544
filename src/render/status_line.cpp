#include "render/status_line.hpp"

#include <string>

#include "shell/frame.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

namespace {

// Pieces sit at y 530, 29 high; images in the sheet rows from 240, masks 29 below.
constexpr int kRowY = 530;
constexpr int kImageY = 240;
constexpr int kMaskY = 269;
constexpr int kHeight = 29;

void Piece(int x, int width, int sheetX) {
  DrawMasked(x, kRowY, width, kHeight, sheetX, kMaskY, sheetX, kImageY);
}

// The four count glyphs stand at 473, 491, 509 and 527; the digits 0..9 from 86, 18 apart.
int ShipsGlyph(uint8_t lives) {
  return lives == 3 ? 509 : lives == 2 ? 491 : 473;
}
int BombsGlyph(uint8_t bombs) {
  return bombs == 3 ? 527 : bombs == 2 ? 509 : bombs == 1 ? 491 : 473;
}
int DigitX(char c) {
  return 86 + 18 * (c >= '1' && c <= '9' ? c - '0' : 0);
}

void Labels(int shipsGlyph, int bombsGlyph) {
  Piece(5, 112, 266);
  Piece(117, 18, shipsGlyph);
  Piece(150, 95, 378);
  Piece(245, 18, bombsGlyph);
}

}  // namespace

void DrawStatusLine() {
  Labels(ShipsGlyph(Player.Lives), BombsGlyph(Player.Bombs));
  std::string text = std::to_string(Player.Score);
  if (Player.Score >= 0 && text.size() < 5) text.insert(0, 5 - text.size(), '0');
  for (LoopIndex = 1; LoopIndex <= static_cast<int16_t>(text.size()); ++LoopIndex) {
    Piece(302 + 18 * LoopIndex, 18, DigitX(text[static_cast<size_t>(LoopIndex - 1)]));
  }
}

void DrawStartingStatusLine() {
  Labels(509, 509);
  for (int x : {392, 374, 356, 338, 320}) Piece(x, 18, 86);
}

}  // namespace vormelda
