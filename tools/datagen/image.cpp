#include "image.hpp"

namespace vormelda::datagen {

void Image::Fill(int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) Set(i, j, c);
  }
}

void Stamp(Canvas& dst, const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.Height(); ++y) {
    for (int x = 0; x < src.Width(); ++x) {
      if (src.Solid(x, y)) dst.Set(dx + x, dy + y, src.At(x, y));
    }
  }
}

void PlaceSprite(Image& sheet, const Canvas& sprite, Point image, Point mask) {
  for (int y = 0; y < sprite.Height(); ++y) {
    for (int x = 0; x < sprite.Width(); ++x) {
      const bool solid = sprite.Solid(x, y);
      sheet.Set(image.x + x, image.y + y, solid ? sprite.At(x, y) : kBlack);
      if (mask.x >= 0) sheet.Set(mask.x + x, mask.y + y, solid ? kBlack : kWhite);
    }
  }
}

}  // namespace vormelda::datagen
