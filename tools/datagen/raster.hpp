// Drawing primitives for sprites: shape masks, light and shading, outlines.
// Light falls from the upper left, in front of the picture.
#pragma once

#include <cmath>
#include <functional>
#include <vector>

#include "color.hpp"
#include "image.hpp"

namespace vormelda::datagen {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 Normalize(Vec3 v) {
  const double len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (len <= 0) return {0, 0, 1};
  return {v.x / len, v.y / len, v.z / len};
}
inline double Dot(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Direction towards the light: left (-x), up (-y) and towards the viewer (+z).
inline const Vec3 kLight = Normalize({-0.55, -0.65, 0.75});

// Brightness of a surface with normal n, in [0, 1]: ambient, diffuse and a small highlight.
double Lighting(const Vec3& n);

struct Point {
  double x = 0, y = 0;
};

// Even-odd test of a point against a polygon.
bool InPolygon(const std::vector<Point>& poly, double x, double y);
inline bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx;
  const double dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}
inline bool InRect(double x, double y, double x0, double y0, double x1, double y1) {
  return x >= x0 && x < x1 && y >= y0 && y < y1;
}
// Mirrors the points of a right-hand outline about x = axis and joins both halves into one
// closed polygon (points given from top to bottom).
std::vector<Point> MirrorOutline(const std::vector<Point>& rightHalf, double axis);

using Inside = std::function<bool(double x, double y)>;
using NormalAt = std::function<Vec3(double x, double y)>;

// Which pixels of a w x h picture a shape covers (sampled at pixel centres).
class Mask {
 public:
  Mask(int w, int h) : w_(w), h_(h), bits_(static_cast<std::size_t>(w) * h, 0) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < w_ && y < h_ && bits_[static_cast<std::size_t>(y) * w_ + x];
  }
  void Set(int x, int y, bool on) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) bits_[static_cast<std::size_t>(y) * w_ + x] = on;
  }

 private:
  int w_, h_;
  std::vector<unsigned char> bits_;
};

Mask Rasterize(int w, int h, const Inside& inside);

// Surface normals.
inline Vec3 FlatNormal(double, double) {
  return {0, 0, 1};
}
inline Vec3 SphereNormal(double x, double y, double cx, double cy, double r) {
  const double dx = (x - cx) / r;
  const double dy = (y - cy) / r;
  const double d2 = std::min(dx * dx + dy * dy, 1.0);
  return Normalize({dx, dy, std::sqrt(1.0 - d2) + 0.05});
}
// A tube lying along y, its axis at x = cx and half width hw.
inline Vec3 TubeNormal(double x, double cx, double hw) {
  const double u = std::clamp((x - cx) / hw, -1.0, 1.0);
  return Normalize({u, 0, std::sqrt(1.0 - u * u) + 0.05});
}
// A tube lying along x, its axis at y = cy.
inline Vec3 TubeNormalH(double y, double cy, double hh) {
  const double u = std::clamp((y - cy) / hh, -1.0, 1.0);
  return Normalize({0, u, std::sqrt(1.0 - u * u) + 0.05});
}

// One shaded piece of a model (ship, enemy, boss): its shape and surface in the model's own
// coordinates, its material, its height above the base plane (for the ship's roll) and the
// strength of the lit and shaded rims along its edges.
struct Part {
  Inside inside;
  NormalAt normal = FlatNormal;
  const Ramp* ramp = nullptr;
  double z = 0;
  double bevel = 0.17;
  double bias = 0;
  Color flat = kBlack;  // used instead of the ramp when ramp is null
};

// How a model is seen: its axis lies at x = axis in the picture; roll (radians, negative to
// the left) turns it about that axis, which narrows it, shifts raised parts sideways and turns
// their surfaces towards or away from the light.
struct View {
  double axis = 0;
  double roll = 0;
  double turn = 0.6;  // how much of the roll turns the surfaces (less keeps both tilts readable)
};

// Paints the parts in order, later ones over earlier ones.
void RenderParts(Canvas& canvas, const std::vector<Part>& parts, const View& view);

// Paints a mask with a colour function.
void PaintMask(Canvas& canvas, const Mask& mask, const std::function<Color(int x, int y)>& color);

// Adds a one-pixel outline outside the solid area (4-neighbourhood).
void AddOutline(Canvas& canvas, Color color);

// Every solid pixel blended towards white: the one-frame hit flash.
Canvas Flashed(const Canvas& src, double amount);

}  // namespace vormelda::datagen
