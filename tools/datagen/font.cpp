#include "font.hpp"

#include "raster.hpp"

#include <array>
#include <vector>

namespace vormelda::datagen {

namespace {

struct Glyph {
  char c;
  std::array<std::string_view, 7> rows;
};

// clang-format off
constexpr Glyph kFont5x7[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'.', {".....", ".....", ".....", ".....", ".....", "..#..", "..#.."}},
    {',', {".....", ".....", ".....", ".....", "..#..", "..#..", ".#..."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
    {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
};

struct SmallGlyph {
  char c;
  std::array<std::string_view, 5> rows;
};

constexpr SmallGlyph kFont3x5[] = {
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}},
};
// clang-format on

// Rows of one glyph as strings (empty for a space or an unknown character).
std::vector<std::string_view> GlyphRows(char c, bool small) {
  if (small) {
    for (const SmallGlyph& g : kFont3x5) {
      if (g.c == c) return {g.rows.begin(), g.rows.end()};
    }
  } else {
    for (const Glyph& g : kFont5x7) {
      if (g.c == c) return {g.rows.begin(), g.rows.end()};
    }
  }
  return {};
}

int GlyphCols(const TextStyle& s) {
  return s.smallFont ? 3 : 5;
}
int GlyphRowsCount(const TextStyle& s) {
  return s.smallFont ? 5 : 7;
}
// A space is narrower than a letter.
int Advance(char c, const TextStyle& s) {
  const int cols = c == ' ' ? (s.smallFont ? 2 : 3) : GlyphCols(s);
  return cols * s.scaleX;
}

}  // namespace

int TextWidth(std::string_view text, const TextStyle& style) {
  int w = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    w += Advance(text[i], style);
    if (i + 1 < text.size()) w += style.spacing;
  }
  return w + (style.outline ? 2 : 0) + style.shadow;
}

int TextHeight(const TextStyle& style) {
  return GlyphRowsCount(style) * style.scaleY + (style.outline ? 2 : 0) + style.shadow;
}

void DrawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& style) {
  const int border = style.outline ? 1 : 0;
  const int rows = GlyphRowsCount(style);
  const int height = rows * style.scaleY;
  Canvas layer(canvas.Width(), canvas.Height());
  int pen = x + border;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto glyph = GlyphRows(c, style.smallFont);
    for (int gy = 0; gy < static_cast<int>(glyph.size()); ++gy) {
      for (int gx = 0; gx < static_cast<int>(glyph[gy].size()); ++gx) {
        if (glyph[gy][gx] != '#') continue;
        for (int py = 0; py < style.scaleY; ++py) {
          const int yy = gy * style.scaleY + py;
          const double t = style.top + (style.bottom - style.top) * yy / std::max(1, height - 1);
          // The lit upper-left pixel of each font pixel block.
          const bool rim = py == 0 && style.scaleY > 1 && (gy == 0 || glyph[gy - 1][gx] != '#');
          const Color fill =
              style.ramp != nullptr ? style.ramp->At(t + (rim ? 0.17 : 0.0)) : kWhite;
          for (int px = 0; px < style.scaleX; ++px) {
            layer.Set(pen + gx * style.scaleX + px, y + border + yy, fill);
          }
        }
      }
    }
    pen += Advance(c, style) + style.spacing;
  }
  if (style.outline) AddOutline(layer, palette::kOutline);
  if (style.shadow > 0) {
    Canvas shade(canvas.Width(), canvas.Height());
    for (int yy = 0; yy < layer.Height(); ++yy) {
      for (int xx = 0; xx < layer.Width(); ++xx) {
        if (layer.Solid(xx, yy)) shade.Set(xx + style.shadow, yy + style.shadow, style.shadowColor);
      }
    }
    Stamp(canvas, shade, 0, 0);
  }
  Stamp(canvas, layer, 0, 0);
}

void DrawTextCentred(Canvas& canvas, int y, std::string_view text, const TextStyle& style) {
  DrawText(canvas, (canvas.Width() - TextWidth(text, style)) / 2, y, text, style);
}

}  // namespace vormelda::datagen
