// Pictures in memory: an opaque Image (what a .pic file holds) and a Canvas, a sprite under
// construction whose pixels are either solid or transparent.
#pragma once

#include <cstddef>
#include <vector>

#include "color.hpp"
#include "platform/geometry.hpp"

namespace vormelda::datagen {

class Image {
 public:
  Image() = default;
  Image(int width, int height, Color fill = kBlack)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Color At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Color c) {
    if (Inside(x, y)) pixels_[Index(x, y)] = c;
  }
  void Fill(int x, int y, int w, int h, Color c);
  const std::vector<Color>& Pixels() const { return pixels_; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height)
      : width_(width),
        height_(height),
        color_(static_cast<std::size_t>(width) * height, kBlack),
        solid_(static_cast<std::size_t>(width) * height, 0) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  bool Solid(int x, int y) const { return Inside(x, y) && solid_[Index(x, y)] != 0; }
  Color At(int x, int y) const { return Inside(x, y) ? color_[Index(x, y)] : kBlack; }
  void Set(int x, int y, Color c) {
    if (!Inside(x, y)) return;
    color_[Index(x, y)] = c;
    solid_[Index(x, y)] = 1;
  }
  void Erase(int x, int y) {
    if (!Inside(x, y)) return;
    color_[Index(x, y)] = kBlack;
    solid_[Index(x, y)] = 0;
  }
  // Recolours a pixel only where it is already solid.
  void Tint(int x, int y, Color c) {
    if (Solid(x, y)) color_[Index(x, y)] = c;
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<Color> color_;
  std::vector<unsigned char> solid_;
};

// Copies the solid pixels of src onto dst with src's top-left corner at (dx, dy).
void Stamp(Canvas& dst, const Canvas& src, int dx, int dy);

// Writes a sprite into a sheet: the image (black where transparent) at `image` and, when
// mask.x >= 0, the mask (white where transparent, black where solid) at `mask`.
void PlaceSprite(Image& sheet, const Canvas& sprite, Point image, Point mask);

}  // namespace vormelda::datagen
