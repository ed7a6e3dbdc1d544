// The three enemy kinds (all flying downwards) and the two items.
// Kind 1: a small red fighter (35 x 35). Kind 2: a tall green pod that drops bullets from its
// glowing core (30 x 50). Kind 3: a heavy purple gunship with two cannons (50 x 50).
#include <cmath>

#include "font.hpp"
#include "raster.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

// A mirrored polygon given by its right half, x as offsets from the axis.
Inside Poly(double axis, std::vector<Point> rightHalf) {
  for (Point& p : rightHalf) p.x += axis;
  auto poly = MirrorOutline(rightHalf, axis);
  return [poly](double x, double y) { return InPolygon(poly, x, y); };
}

Inside RectPair(double axis, double dx0, double dx1, double y0, double y1) {
  return [=](double x, double y) {
    const double d = std::abs(x - axis);
    return d >= dx0 && d < dx1 && y >= y0 && y < y1;
  };
}

NormalAt TubePair(double axis, double dxCentre, double hw) {
  return [=](double x, double) {
    Vec3 n = TubeNormal(std::abs(x - axis), dxCentre, hw);
    if (x < axis) n.x = -n.x;
    return n;
  };
}

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return InEllipse(x, y, cx, cy, r, r); };
}
NormalAt Ball(double cx, double cy, double r) {
  return [=](double x, double y) { return SphereNormal(x, y, cx, cy, r); };
}

Canvas SmallFighter() {
  using namespace palette;
  constexpr double a = 17.5;
  auto hull = [](double y) {  // half width of the fuselage, tail at the top
    if (y < 2 || y > 32.5) return 0.0;
    if (y < 14) return 3.2 + (y - 2) / 12 * 2.3;
    return 5.5 * std::pow((32.5 - y) / 18.5, 0.7);
  };
  std::vector<Part> parts;
  // Swept wings, tips towards the tail.
  parts.push_back(
      Part{Poly(a, {{0, 11}, {3, 11}, {13.5, 3}, {16, 3.5}, {16, 10}, {4, 23}, {0, 23}}),
           FlatNormal, &kRed, 0});
  parts.push_back(Part{RectPair(a, 13, 16, 6, 17), TubePair(a, 14.5, 1.5), &kSteel, 1, 0.1, -0.1});
  // Engines at the tail.
  parts.push_back(Part{RectPair(a, 1.5, 5, 1, 6), TubePair(a, 3.2, 1.8), &kFire, 1, 0.1, 0.1});
  parts.push_back(Part{[hull](double x, double y) { return std::abs(x - a) < hull(y); },
                       [hull](double x, double y) {
                         Vec3 n = TubeNormal(x, a, std::max(hull(y), 0.5));
                         if (y > 24) n.y += 0.4;
                         return Normalize(n);
                       },
                       &kSteel, 2, 0.14, -0.02});
  // Red stripes over the fuselage.
  parts.push_back(Part{RectPair(a, 0, 5.6, 9, 11),
                       [](double x, double) { return TubeNormal(x, a, 5.5); }, &kRed, 2.1, 0.05,
                       0.05});
  // The yellow eye.
  parts.push_back(Part{[](double x, double y) { return InEllipse(x, y, a, 21, 2.6, 3.6); },
                       Ball(a, 20, 3.2), &kGold, 3, 0.1, 0.08});
  Canvas c(35, 35);
  RenderParts(c, parts, View{a, 0});
  AddOutline(c, kOutline);
  return c;
}

Canvas DropperPod() {
  using namespace palette;
  constexpr double a = 15.0;
  auto body = [](double y) {  // superellipse capsule
    const double v = (y - 25.0) / 22.5;
    if (std::abs(v) >= 1) return 0.0;
    return 8.2 * std::pow(1.0 - std::pow(std::abs(v), 3.0), 1.0 / 3.0);
  };
  std::vector<Part> parts;
  // Side fins, upper and lower.
  parts.push_back(Part{Poly(a, {{0, 9}, {6, 9}, {13.5, 15}, {13.5, 29}, {6, 33}, {0, 33}}),
                       FlatNormal, &kGreen, 0, 0.17, -0.06});
  parts.push_back(Part{Poly(a, {{0, 36}, {5, 36}, {12, 42}, {12, 47.5}, {5, 44}, {0, 44}}),
                       FlatNormal, &kGreen, 0, 0.17, -0.12});
  parts.push_back(Part{RectPair(a, 11.5, 13.5, 15, 29), TubePair(a, 12.5, 1), &kGold, 0.5, 0.1});
  parts.push_back(Part{[body](double x, double y) { return std::abs(x - a) < body(y); },
                       [body](double x, double y) {
                         Vec3 n = TubeNormal(x, a, std::max(body(y), 0.5));
                         n.y += (y - 25.0) / 22.5 * 0.6;
                         return Normalize(n);
                       },
                       &kGreen, 2, 0.12, 0.02});
  // Dark armour seams.
  for (double y0 : {12.0, 37.0}) {
    parts.push_back(Part{[body, y0](double x, double y) {
                           return y >= y0 && y < y0 + 1.5 && std::abs(x - a) < body(y) - 0.5;
                         },
                         FlatNormal, &kGreen, 2.1, 0.0, -0.45});
  }
  // The core window and the glowing core that drops the bullets.
  parts.push_back(Part{Circle(a, 25, 6.2), FlatNormal, &kSteel, 2.2, 0.12, -0.45});
  parts.push_back(Part{Circle(a, 25, 4.4), Ball(a, 24, 4.6), &kFire, 2.4, 0.08, 0.12});
  // Sensor at the top.
  parts.push_back(Part{Circle(a, 6.5, 2.3), Ball(a, 6, 2.3), &kSteel, 2.3, 0.08, 0.1});
  Canvas c(30, 50);
  RenderParts(c, parts, View{a, 0});
  AddOutline(c, kOutline);
  return c;
}

Canvas Gunship() {
  using namespace palette;
  constexpr double a = 25.0;
  std::vector<Part> parts;
  // Cannon pods with their barrels and hot muzzles.
  parts.push_back(
      Part{RectPair(a, 15, 23.5, 7, 40), TubePair(a, 19.2, 4.3), &kSteel, 0, 0.15, -0.05});
  parts.push_back(
      Part{RectPair(a, 17.5, 21, 39, 47.5), TubePair(a, 19.2, 1.8), &kSteel, 0.5, 0.1, -0.15});
  parts.push_back(Part{RectPair(a, 17.5, 21, 45.5, 47.5), FlatNormal, &kFire, 0.6, 0.05, 0.1});
  parts.push_back(Part{RectPair(a, 15, 23.5, 17, 19), FlatNormal, &kSteel, 0.2, 0.0, -0.4});
  parts.push_back(Part{RectPair(a, 15, 23.5, 29, 31), FlatNormal, &kSteel, 0.2, 0.0, -0.4});
  // Armoured hull.
  parts.push_back(
      Part{Poly(a, {{0, 2}, {9, 3}, {15.5, 9}, {16.5, 30}, {11, 40}, {6, 45}, {0, 45.5}}),
           FlatNormal, &kPurple, 1, 0.2, -0.02});
  parts.push_back(Part{Poly(a, {{0, 8}, {7, 9}, {11.5, 14}, {12, 28}, {7.5, 35}, {0, 36}}),
                       FlatNormal, &kPurple, 1.2, 0.2, 0.1});
  // Engines at the tail.
  parts.push_back(Part{RectPair(a, 4, 8, 1, 4), TubePair(a, 6, 2), &kFire, 1.3, 0.05, 0.05});
  // Red dome.
  parts.push_back(Part{Circle(a, 22, 6.6), Ball(a, 21, 6.6), &kRed, 1.5, 0.1, 0.08});
  parts.push_back(Part{RectPair(a, 0, 3.5, 38, 42), FlatNormal, &kGold, 1.3, 0.15, 0});
  Canvas c(50, 50);
  RenderParts(c, parts, View{a, 0});
  AddOutline(c, kOutline);
  return c;
}

}  // namespace

Canvas MakeEnemy(int kind) {
  if (kind == 1) return SmallFighter();
  if (kind == 2) return DropperPod();
  return Gunship();
}

Canvas MakeItem(bool bomb) {
  using namespace palette;
  constexpr double c0 = 17.5;
  std::vector<Part> parts;
  if (bomb) {
    // A blue-green diamond with a B.
    auto diamond = [](double x, double y) { return std::abs(x - c0) + std::abs(y - c0) < 16.2; };
    parts.push_back(Part{diamond,
                         [](double x, double y) {
                           return Normalize({(x - c0) / 16, (y - c0) / 16, 1.4});
                         },
                         &kCyan, 0, 0.22, -0.05});
    parts.push_back(
        Part{[](double x, double y) { return std::abs(x - c0) + std::abs(y - c0) < 11.5; },
             FlatNormal, &kBlue, 0.5, 0.15, -0.1});
  } else {
    // An orange orb with a P.
    parts.push_back(Part{Circle(c0, c0, 15.4), Ball(c0, c0, 15.4), &kFire, 0, 0.1, -0.05});
    parts.push_back(Part{Circle(c0, c0, 10.8), FlatNormal, &kRed, 0.5, 0.15, -0.12});
  }
  Canvas c(35, 35);
  RenderParts(c, parts, View{c0, 0});
  TextStyle letter;
  letter.scaleX = 2;
  letter.scaleY = 2;
  letter.ramp = &kSteel;
  letter.top = 1.0;
  letter.bottom = 0.75;
  DrawTextCentred(c, 10, bomb ? "B" : "P", letter);
  AddOutline(c, kOutline);
  return c;
}

}  // namespace vormelda::datagen
