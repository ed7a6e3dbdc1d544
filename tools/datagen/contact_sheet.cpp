#include "contact_sheet.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "font.hpp"
#include "png_writer.hpp"
#include "sheet.hpp"

namespace vormelda::datagen {

namespace {

constexpr Color kPage = 0x15141C;
constexpr Color kCheckLight = 0x6A6A78;
constexpr Color kCheckDark = 0x4A4A56;
constexpr int kCheck = 8;     // size of a checker square
constexpr int kMargin = 12;   // around the page and between cells
constexpr int kLabelGap = 3;  // between a label and its picture

TextStyle LabelStyle() {
  TextStyle s;
  s.spacing = 1;
  s.outline = true;
  return s;
}

std::string LabelText(std::string_view name) {
  std::string text(name);
  for (char& c : text) c = c == '_' ? ' ' : static_cast<char>(std::toupper(c));
  return text;
}

int LabelHeight() {
  return TextHeight(LabelStyle());
}

}  // namespace

Color ContactGround(int x, int y) {
  return ((x / kCheck) + (y / kCheck)) % 2 == 0 ? kCheckLight : kCheckDark;
}

std::vector<ContactCell> ContactSheetCells() {
  std::vector<ContactCell> cells;
  const int labelH = LabelHeight() + kLabelGap;
  int x = kMargin;
  int y = kMargin;
  int rowH = 0;
  for (const Sprite& r : kSpriteSheet) {
    const int w = std::max(r.w * kContactScale, TextWidth(LabelText(r.name), LabelStyle()));
    const int h = labelH + r.h * kContactScale;
    if (x > kMargin && x + w + kMargin > kContactSheetWidth) {
      x = kMargin;
      y += rowH + kMargin;
      rowH = 0;
    }
    cells.push_back({r, x, y + labelH});
    x += w + kMargin;
    rowH = std::max(rowH, h);
  }
  return cells;
}

Image BuildContactSheet(const Image& spriteSheet) {
  const auto cells = ContactSheetCells();
  int height = 0;
  for (const ContactCell& c : cells) height = std::max(height, c.y + c.sprite.h * kContactScale);
  Image page(kContactSheetWidth, height + kMargin, kPage);
  const int labelH = LabelHeight();
  for (const ContactCell& c : cells) {
    const Sprite& r = c.sprite;
    for (int y = 0; y < r.h * kContactScale; ++y) {
      for (int x = 0; x < r.w * kContactScale; ++x) {
        const int sx = x / kContactScale;
        const int sy = y / kContactScale;
        const Color image = spriteSheet.At(r.image.x + sx, r.image.y + sy);
        Color out = image;
        if (r.HasMask()) {
          out = (ContactGround(x, y) & spriteSheet.At(r.mask.x + sx, r.mask.y + sy)) | image;
        }
        page.Set(c.x + x, c.y + y, out);
      }
    }
    const std::string text = LabelText(r.name);
    Canvas label(TextWidth(text, LabelStyle()), labelH);
    DrawText(label, 0, 0, text, LabelStyle());
    const int ly = c.y - kLabelGap - labelH;
    for (int y = 0; y < label.Height(); ++y) {
      for (int x = 0; x < label.Width(); ++x) {
        if (label.Solid(x, y)) page.Set(c.x + x, ly + y, label.At(x, y));
      }
    }
  }
  return page;
}

void WriteContactSheet(const std::string& path) {
  WritePng(path, BuildContactSheet(BuildSpriteSheet()));
}

}  // namespace vormelda::datagen
