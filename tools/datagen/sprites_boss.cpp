// The boss (300 x 120, facing down): a wide flying fortress with a magenta reactor in its middle
// (where its fans of bullets come from) and two gun turrets hanging under its wings, centred at
// (65, 100) and (244, 100) with their muzzles at (42, 110) and (257, 110). Also its large
// bullet, a plasma ball of radius 60 in a 140 x 140 picture.
#include <cmath>

#include "raster.hpp"
#include "rng.hpp"
#include "sprites.hpp"

namespace vormelda::datagen {

namespace {

constexpr double kAxis = 150.0;

Inside Poly(std::vector<Point> rightHalf) {
  for (Point& p : rightHalf) p.x += kAxis;
  auto poly = MirrorOutline(rightHalf, kAxis);
  return [poly](double x, double y) { return InPolygon(poly, x, y); };
}

// A closed polygon on the right wing and its mirror image on the left.
Inside PolyPair(const std::vector<Point>& right) {
  std::vector<Point> r, l;
  for (const Point& p : right) {
    r.push_back({kAxis + p.x, p.y});
    l.push_back({kAxis - p.x, p.y});
  }
  return [r, l](double x, double y) { return InPolygon(r, x, y) || InPolygon(l, x, y); };
}

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

// A round-ended bar from (x0, y0) to (x1, y1) of radius r, shaded as a tube.
struct Segment {
  double x0, y0, x1, y1, r;
  // Signed offset across the bar (in units of r) and whether the point is on the bar.
  double Across(double x, double y, bool* on) const {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = vx * vx + vy * vy;
    const double t = std::clamp(((x - x0) * vx + (y - y0) * vy) / len2, 0.0, 1.0);
    const double px = x0 + t * vx, py = y0 + t * vy;
    const double dx = x - px, dy = y - py;
    *on = dx * dx + dy * dy <= r * r;
    const double len = std::sqrt(len2);
    return (dx * (-vy) + dy * vx) / len / r;
  }
};

Part Barrel(const Segment& s, const Ramp* ramp, double z, double bias) {
  Part p;
  p.inside = [s](double x, double y) {
    bool on = false;
    s.Across(x, y, &on);
    return on;
  };
  p.normal = [s](double x, double y) {
    bool on = false;
    const double u = std::clamp(s.Across(x, y, &on), -1.0, 1.0);
    const double vx = s.x1 - s.x0, vy = s.y1 - s.y0;
    const double len = std::sqrt(vx * vx + vy * vy);
    // Across direction in the picture plane.
    const double ax = -vy / len, ay = vx / len;
    return Normalize({ax * u, ay * u, std::sqrt(1 - u * u) + 0.05});
  };
  p.ramp = ramp;
  p.z = z;
  p.bevel = 0.08;
  p.bias = bias;
  return p;
}

void AddTurret(std::vector<Part>& parts, double cx, double cy, double mx, double my) {
  using namespace palette;
  // Pylon up into the wing.
  parts.push_back(Part{[=](double x, double y) { return InRect(x, y, cx - 7, 76, cx + 7, cy); },
                       [=](double x, double) { return TubeNormal(x, cx, 7); }, &kSteel, 0.8, 0.12,
                       -0.25});
  parts.push_back(Part{[=](double x, double y) { return InEllipse(x, y, cx, cy - 2, 21, 14); },
                       [=](double x, double y) { return SphereNormal(x, y, cx, cy - 6, 24); },
                       &kSteel, 1, 0.15, -0.12});
  const double dx = mx - cx, dy = my - cy;
  const double len = std::sqrt(dx * dx + dy * dy);
  const double ux = dx / len, uy = dy / len;
  parts.push_back(Barrel({cx, cy, mx - ux * 1.5, my - uy * 1.5, 4.2}, &kSteel, 2, -0.05));
  parts.push_back(
      Barrel({mx - ux * 4, my - uy * 4, mx - ux * 1.5, my - uy * 1.5, 4.4}, &kSteel, 2.1, -0.3));
  parts.push_back(Part{[=](double x, double y) { return InEllipse(x, y, mx, my, 2.8, 2.8); },
                       FlatNormal, &kFire, 2.2, 0.05, 0.25});
  parts.push_back(Part{[=](double x, double y) { return InEllipse(x, y, cx, cy - 3, 11, 9.5); },
                       [=](double x, double y) { return SphereNormal(x, y, cx, cy - 5, 11.5); },
                       &kPurple, 3, 0.1, 0.02});
  parts.push_back(Part{[=](double x, double y) { return InEllipse(x, y, cx - 2, cy - 6, 2.5, 2); },
                       FlatNormal, &kRed, 3.1, 0, 0.3});
}

std::vector<Part> BossParts() {
  using namespace palette;
  std::vector<Part> parts;
  // Engines at the rear (top), glowing.
  for (double dx : {29.0, 56.0}) {
    parts.push_back(Part{RectPair(dx - 7, dx + 7, 3, 20), TubePair(dx, 7), &kSteel, 0, 0.1, -0.1});
    parts.push_back(Part{RectPair(dx - 5, dx + 5, 1, 5), TubePair(dx, 5), &kFire, 0.1, 0.05, 0.05});
  }
  // Wings.
  const Inside wing = Poly({{0, 14},
                            {30, 14},
                            {70, 23},
                            {112, 33},
                            {140, 43},
                            {148.5, 55},
                            {147, 66},
                            {128, 74},
                            {100, 80},
                            {62, 84},
                            {34, 97},
                            {0, 100}});
  parts.push_back(Part{wing, FlatNormal, &kPurple, 0, 0.2, -0.12});
  // Leading edge of the wings, a darker band, and seams across them.
  parts.push_back(Part{PolyPair({{30, 91},
                                 {62, 78},
                                 {100, 74},
                                 {128, 68},
                                 {146, 61},
                                 {147, 66},
                                 {128, 74},
                                 {100, 80},
                                 {62, 84},
                                 {34, 97}}),
                       FlatNormal, &kPurple, 0.1, 0.1, -0.4});
  for (double dx : {41.0, 83.0, 119.0}) {
    const Inside seam = PolyPair({{dx, 20}, {dx + 1.5, 20}, {dx + 1.5, 90}, {dx, 90}});
    parts.push_back(Part{[wing, seam](double x, double y) { return wing(x, y) && seam(x, y); },
                         FlatNormal, &kPurple, 0.15, 0.0, -0.35});
  }
  // Armour plates on the wings.
  const std::vector<std::vector<Point>> plates = {
      {{44, 27}, {78, 33}, {80, 58}, {46, 62}},
      {{86, 36}, {116, 42}, {117, 62}, {88, 66}},
      {{122, 47}, {140, 51}, {142, 62}, {124, 66}},
  };
  for (const auto& plate : plates) {
    parts.push_back(Part{PolyPair(plate), FlatNormal, &kSteel, 0.5, 0.22, -0.12});
  }
  // Vents on the plates.
  for (double y0 : {38.0, 44.0, 50.0}) {
    parts.push_back(Part{RectPair(52, 72, y0, y0 + 2), FlatNormal, &kSteel, 0.6, 0.0, -0.5});
  }
  // Wing-tip lights.
  parts.push_back(
      Part{[](double x, double y) { return InEllipse(std::abs(x - kAxis), y, 143, 57, 2.5, 2.5); },
           FlatNormal, &kRed, 0.7, 0.0, 0.3});
  // Central hull.
  parts.push_back(
      Part{Poly({{0, 2}, {13, 3}, {25, 12}, {32, 30}, {34, 70}, {28, 94}, {17, 110}, {0, 118}}),
           [](double x, double) { return TubeNormal(x, kAxis, 40); }, &kSteel, 2, 0.2, -0.04});
  // Bridge with lit windows.
  parts.push_back(Part{Poly({{0, 8}, {10, 9}, {16, 18}, {16, 28}, {0, 30}}),
                       [](double x, double) { return TubeNormal(x, kAxis, 22); }, &kPurple, 2.5,
                       0.2, 0.05});
  for (double dx : {3.0, 9.0}) {
    parts.push_back(Part{RectPair(dx, dx + 3, 20, 23), FlatNormal, &kCyan, 2.6, 0.0, 0.25});
  }
  // Reactor housing and the reactor itself.
  parts.push_back(Part{[](double x, double y) { return InEllipse(x, y, kAxis, 60, 20, 20); },
                       [](double x, double y) { return SphereNormal(x, y, kAxis, 56, 24); },
                       &kSteel, 2.8, 0.1, -0.3});
  parts.push_back(Part{[](double x, double y) { return InEllipse(x, y, kAxis, 60, 14.5, 14.5); },
                       [](double x, double y) { return SphereNormal(x, y, kAxis, 58, 15); },
                       &kMagenta, 3, 0.05, 0.12});
  // Prow with its ridges.
  parts.push_back(Part{Poly({{0, 82}, {12, 84}, {14, 98}, {0, 112}}),
                       [](double x, double) { return TubeNormal(x, kAxis, 16); }, &kPurple, 2.5,
                       0.15, 0});
  parts.push_back(Part{RectPair(0, 1, 84, 110), FlatNormal, &kPurple, 2.6, 0.0, -0.35});
  AddTurret(parts, 65, 100, 42, 110);
  AddTurret(parts, 244, 100, 257, 110);
  return parts;
}

}  // namespace

Canvas MakeBoss() {
  Canvas c(300, 120);
  RenderParts(c, BossParts(), View{kAxis, 0});
  AddOutline(c, palette::kOutline);
  return c;
}

Canvas MakeBall(int picture) {
  // Three pictures of one turning, pulsing plasma ball; the pattern has threefold symmetry so
  // the cycle A B C A runs on without a jump.
  const double phase = picture * (2.0 * 3.14159265358979 / 3.0) / 3.0;
  const double pulse = 1.0 + 0.04 * std::sin(picture * 2.0 * 3.14159265358979 / 3.0);
  constexpr double kCentre = 70.0;
  Canvas c(140, 140);
  for (int y = 0; y < 140; ++y) {
    for (int x = 0; x < 140; ++x) {
      const double dx = x + 0.5 - kCentre;
      const double dy = y + 0.5 - kCentre;
      const double d = std::sqrt(dx * dx + dy * dy);
      const double a = std::atan2(dy, dx);
      const double rCore = 50.0 * pulse;
      if (d < rCore) {
        // Shaded plasma sphere with swirling arms.
        const Vec3 n = SphereNormal(x + 0.5, y + 0.5, kCentre, kCentre, rCore);
        const double arms = 0.5 + 0.5 * std::cos(3.0 * (a + phase) + d * 0.11);
        double t = 0.18 + 0.55 * Lighting(n) + 0.3 * arms * (1.0 - d / rCore);
        if (d < 14) t += 0.35 * (1 - d / 14);
        c.Set(x, y, palette::kMagenta.Dither(t, x, y));
        continue;
      }
      // Corona: spikes that turn against the arms, thinning out with distance.
      const double spikes = std::pow(0.5 + 0.5 * std::cos(9.0 * (a - phase * 1.5)), 3.0);
      const double reach = rCore + 4.0 + 10.0 * spikes;
      if (d > reach) continue;
      const double fade = (reach - d) / (reach - rCore);
      if (fade < Bayer4(x, y) * 0.8) continue;
      c.Set(x, y,
            d < rCore + 1.5 ? palette::kPurple.At(0.35) : palette::kMagenta.At(0.45 + 0.5 * fade));
    }
  }
  return c;
}

}  // namespace vormelda::datagen
