// Text pictures of the status line and the title screen, all in the game's pixel font: silver
// labels, gold score digits, cyan count glyphs.
#include <string>

#include "font.hpp"
#include "raster.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

TextStyle Big(const Ramp& ramp) {
  TextStyle s;
  s.scaleX = 3;
  s.scaleY = 3;
  s.spacing = 3;
  s.ramp = &ramp;
  s.top = 1.0;
  s.bottom = 0.4;
  return s;
}

TextStyle Medium(const Ramp& ramp) {
  TextStyle s;
  s.scaleX = 2;
  s.scaleY = 2;
  s.spacing = 2;
  s.ramp = &ramp;
  s.top = 1.0;
  s.bottom = 0.45;
  return s;
}

// Status band pictures are 29 high; their text sits on rows 3..25.
constexpr int kBandTop = 3;

Canvas Label(int width, const char* text) {
  Canvas c(width, 29);
  const TextStyle s = Big(palette::kSteel);
  // Right-aligned, close to the count glyph that follows it.
  DrawText(c, width - TextWidth(text, s) - 4, kBandTop, text, s);
  return c;
}

Canvas Glyph(char ch, const Ramp& ramp) {
  Canvas c(18, 29);
  DrawText(c, 0, kBandTop, std::string(1, ch), Big(ramp));
  return c;
}

}  // namespace

Canvas MakeShipsLabel() {
  return Label(112, "SHIPS");
}
Canvas MakeBombsLabel() {
  return Label(95, "BOMBS");
}
Canvas MakeDigit(int digit) {
  return Glyph(static_cast<char>('0' + digit), palette::kGold);
}
Canvas MakeCount(int count) {
  return Glyph(static_cast<char>('0' + count), palette::kCyan);
}

Canvas MakeHighScoreCaption() {
  Canvas c(182, 29);
  DrawTextCentred(c, kBandTop, "HIGH SCORE", Big(palette::kCyan));
  return c;
}

Canvas MakeTitleLine1() {
  Canvas c(184, 20);
  DrawTextCentred(c, 2, "PRESS ENTER KEY", Medium(palette::kSteel));
  return c;
}

Canvas MakeTitleLine2() {
  Canvas c(88, 17);
  TextStyle s;
  s.ramp = &palette::kSteel;
  s.top = 0.8;
  s.bottom = 0.55;
  DrawText(c, 0, 0, "X: HIGH SPEED", s);
  DrawText(c, 0, 8, "Z: SUPER SPEED", s);
  return c;
}

Canvas MakeScoreLabel() {
  Canvas c(149, 17);
  DrawText(c, 4, 1, "FINAL SCORE", Medium(palette::kCyan));
  return c;
}

Canvas MakeGaugeLabel() {
  Canvas c(19, 7);
  TextStyle s;
  s.smallFont = true;
  s.ramp = &palette::kRed;
  s.top = 0.95;
  s.bottom = 0.75;
  DrawText(c, 1, 0, "BOSS", s);
  return c;
}

}  // namespace vormelda::datagen
