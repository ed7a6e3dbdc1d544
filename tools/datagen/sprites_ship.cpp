// The player's ship (50 x 50, nose up), its exhaust flame and its shots.
#include <cmath>

#include "raster.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

constexpr double kAxis = 25.0;

// Half width of the fuselage at height y (0 outside it).
double FuselageHalfWidth(double y) {
  if (y < 2 || y > 43) return 0;
  if (y < 8) return 0.6 + (y - 2) / 6 * 2.0;
  if (y < 14) return 2.6 + (y - 8) / 6 * 1.6;
  if (y < 20) return 4.2 + (y - 14) / 6 * 0.9;
  if (y < 38) return 5.1;
  return 5.1 - (y - 38) / 5 * 1.5;
}

std::vector<Point> Mirror(std::vector<Point> right) {
  // right: points with x as offset from the axis.
  for (Point& p : right) p.x += kAxis;
  return MirrorOutline(right, kAxis);
}

Inside Poly(std::vector<Point> rightHalf) {
  auto poly = Mirror(std::move(rightHalf));
  return [poly](double x, double y) { return InPolygon(poly, x, y); };
}

// Both of a mirrored pair of rectangles, dx0..dx1 from the axis.
Inside RectPair(double dx0, double dx1, double y0, double y1) {
  return [=](double x, double y) {
    const double d = std::abs(x - kAxis);
    return d >= dx0 && d < dx1 && y >= y0 && y < y1;
  };
}
NormalAt TubePair(double dxCentre, double hw) {
  return [=](double x, double) {
    Vec3 n = TubeNormal(std::abs(x - kAxis), dxCentre, hw);
    if (x < kAxis) n.x = -n.x;
    return n;
  };
}

std::vector<Part> ShipParts() {
  using namespace palette;
  std::vector<Part> parts;
  // Tail fins.
  parts.push_back(Part{Poly({{0, 35}, {4, 35}, {11, 42}, {11, 46.5}, {4, 44.5}, {0, 44.5}}),
                       FlatNormal, &kBlue, 1, 0.17, -0.1});
  // Main wings, swept back.
  parts.push_back(
      Part{Poly({{0, 19}, {4, 19}, {21, 31.5}, {23.5, 34}, {23.5, 39}, {5, 37.5}, {0, 37.5}}),
           FlatNormal, &kBlue, 0});
  // Dark seam along the wing root.
  parts.push_back(Part{Poly({{0, 33}, {9, 33.5}, {20, 36.5}, {20, 37.5}, {5, 37.5}, {0, 37.5}}),
                       FlatNormal, &kBlue, 0.2, 0.1, -0.17});
  // Wing-tip cannons with red noses.
  parts.push_back(Part{RectPair(20, 24, 27, 40.5), TubePair(22, 2), &kSteel, 2});
  parts.push_back(Part{RectPair(20, 24, 24, 28), TubePair(22, 2), &kRed, 2.2});
  // Engine nacelles beside the fuselage.
  parts.push_back(Part{RectPair(4, 8.5, 26, 44.5), TubePair(6.2, 2.3), &kSteel, 2.5, 0.17, -0.08});
  // Fuselage.
  parts.push_back(
      Part{[](double x, double y) { return std::abs(x - kAxis) < FuselageHalfWidth(y); },
           [](double x, double y) {
             Vec3 n = TubeNormal(x, kAxis, std::max(FuselageHalfWidth(y), 0.5));
             if (y < 14) n.y -= 0.5 * (14 - y) / 12;  // the nose slopes forward
             return Normalize(n);
           },
           &kSteel, 4, 0.12, 0.06});
  // Red spine marking.
  parts.push_back(Part{RectPair(0, 1.2, 27, 36),
                       [](double x, double) { return TubeNormal(x, kAxis, 5.1); }, &kRed, 4.3, 0.1,
                       0.05});
  // Canopy.
  parts.push_back(Part{[](double x, double y) { return InEllipse(x, y, kAxis, 17.5, 2.8, 5.2); },
                       [](double x, double y) { return SphereNormal(x, y, kAxis, 16.5, 4.0); },
                       &kCyan, 6, 0.1, 0.05});
  // Nozzle.
  parts.push_back(Part{RectPair(0, 3, 41.5, 45), FlatNormal, &kSteel, 3, 0.1, -0.4});
  return parts;
}

}  // namespace

Canvas MakeShip(int tilt) {
  static constexpr double kRoll[] = {0.0, 0.36, 0.66, 0.95};
  const int step = tilt < 0 ? -tilt : tilt;
  Canvas c(50, 50);
  RenderParts(c, ShipParts(), View{kAxis, (tilt < 0 ? -1 : 1) * kRoll[step]});
  AddOutline(c, palette::kOutline);
  return c;
}

Canvas MakeShipIcon(int size) {
  const double scale = 50.0 / size;  // icon pixels to the sprite's
  std::vector<Part> parts = ShipParts();
  for (Part& part : parts) {
    part.inside = [inside = part.inside, scale](double x, double y) {
      return inside(x * scale, y * scale);
    };
    part.normal = [normal = part.normal, scale](double x, double y) {
      return normal(x * scale, y * scale);
    };
  }
  Canvas c(size, size);
  RenderParts(c, parts, View{kAxis / scale, 0});
  AddOutline(c, palette::kOutline);
  return c;
}

Canvas MakeFlame(int frame) {
  // The flame hangs from the nozzle: its top lies under the ship, its centre at x 10.
  static constexpr double kLength[] = {11.5, 15.5, 13.5};
  static constexpr double kWidth[] = {3.6, 3.2, 4.0};
  const double len = kLength[frame];
  const double half = kWidth[frame];
  Canvas c(20, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const double py = y + 0.5 - 3.0;
      const double px = x + 0.5 - 10.0;
      if (py < 0 || py > len) continue;
      const double along = py / len;
      // Wobble of the outline from frame to frame.
      const double wobble = 0.5 * std::sin(py * 1.3 + frame * 2.1);
      const double hw = half * std::pow(1.0 - along, 0.8) + (along < 0.9 ? wobble * along : 0);
      if (std::abs(px) > hw) continue;
      const double heat = 1.05 - along * 0.75 - std::abs(px) / std::max(hw, 0.5) * 0.45;
      c.Set(x, y, palette::kFire.At(heat));
    }
  }
  return c;
}

Canvas MakeShot(bool diagonal) {
  // Only rows 12 and below hit, so the bolt lies there; its bright head leads upwards.
  const Ramp& ramp = diagonal ? palette::kGreen : palette::kCyan;
  Canvas c(16, 35);
  for (int y = 0; y < 35; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      if (!InEllipse(px, py, 8.0, 22.8, 5.0, 11.3)) continue;
      const double dx = std::abs(px - 8.0) / 5.0;
      const double along = (py - 11.5) / 22.6;  // 0 at the head, 1 at the tail
      double t = 1.08 - dx * 0.75 - along * 0.5;
      if (dx < 0.25 && along < 0.8) t = 1.0;  // white-hot core
      c.Set(x, y, ramp.At(t));
    }
  }
  return c;
}

}  // namespace vormelda::datagen
