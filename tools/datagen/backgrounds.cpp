#include "backgrounds.hpp"

#include <cmath>
#include <vector>

#include "color.hpp"
#include "raster.hpp"
#include "rng.hpp"

namespace vormelda::datagen {

namespace {

constexpr int kW = 420;
constexpr int kH = 560;

// Row distance from a to b on a strip that repeats every kH rows, in -kH/2..kH/2.
double WrapDy(double a, double b) {
  return std::remainder(a - b, static_cast<double>(kH));
}

Color Add(Color a, Color b, double f) {
  return Rgb(Red(a) + static_cast<int>(Red(b) * f), Green(a) + static_cast<int>(Green(b) * f),
             Blue(a) + static_cast<int>(Blue(b) * f));
}

// Layer A: dark space with a faint nebula and stars.
Image SpaceLayer() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double u = x / 560.0, v = y / 560.0;
      const double n1 = Fbm(0xA001, u, v, 3, 5, 1);
      const double n2 = Fbm(0xA002, u + 7.3, v, 4, 4, 1);
      const double purple = std::pow(std::clamp(n1 * 1.5 - 0.45, 0.0, 1.0), 1.8);
      const double blue = std::pow(std::clamp(n2 * 1.6 - 0.6, 0.0, 1.0), 1.5);
      Color c = 0x04050C;
      c = Add(c, 0x2A1446, purple * 0.8);
      c = Add(c, 0x102A50, blue * 0.7);
      img.Set(x, y, c);
    }
  }
  Rng rng(0xA0A0);
  for (int i = 0; i < 320; ++i) {
    const int x = rng.Int(0, kW - 1);
    const int y = rng.Int(0, kH - 1);
    const double kind = rng.Unit();
    const double b = rng.Range(0.5, 1.0);
    auto plot = [&](int dx, int dy, Color c) {
      img.Set(((x + dx) % kW + kW) % kW, ((y + dy) % kH + kH) % kH, c);
    };
    if (kind < 0.72) {
      plot(0, 0, Scale(0x6A7494, b));
    } else if (kind < 0.95) {
      plot(0, 0, Scale(0xC8D4FF, b));
    } else {
      const Color core = rng.Unit() < 0.5 ? 0xFFF0D0 : 0xD0E0FF;
      plot(0, 0, core);
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        plot(dx, dy, Scale(core, 0.45));
    }
  }
  return img;
}

// Height of the enemy world's surface.
double SurfaceHeight(double x, double y) {
  const double u = x / 560.0, v = y / 560.0;
  const double base = Fbm(0xB001, u, v, 3, 5, 1);
  const double r = 1.0 - std::abs(2.0 * Fbm(0xB002, u, v, 4, 4, 1) - 1.0);
  double h = 0.62 * base + 0.38 * r * r;
  static const std::vector<Vec3> craters = [] {
    std::vector<Vec3> list;
    Rng rng(0xB0B0);
    for (int i = 0; i < 9; ++i)
      list.push_back({rng.Range(20, 400), rng.Range(0, 560), rng.Range(10, 34)});
    return list;
  }();
  for (const Vec3& c : craters) {
    const double d = std::hypot(x - c.x, WrapDy(y, c.y)) / c.z;
    if (d < 1.0) h -= 0.1 * (1.0 - d * d);
    if (d > 0.75 && d < 1.3) h += 0.05 * (1.0 - std::abs(d - 1.0) / 0.3);
  }
  return h;
}

// Layer B: the enemy world's surface, hill-shaded from the upper left.
Image SurfaceLayer() {
  std::vector<double> h(static_cast<std::size_t>(kW + 2) * (kH + 2));
  auto H = [&](int x, int y) -> double& {
    return h[static_cast<std::size_t>(y + 1) * (kW + 2) + x + 1];
  };
  for (int y = -1; y <= kH; ++y) {
    for (int x = -1; x <= kW; ++x) H(x, y) = SurfaceHeight(x + 0.5, y + 0.5);
  }
  Image img(kW, kH);
  constexpr double kSea = 0.42;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double e = H(x, y);
      const double gx = (H(x + 1, y) - H(x - 1, y)) * 40.0;
      const double gy = (H(x, y + 1) - H(x, y - 1)) * 40.0;
      const bool sea = e < kSea;
      const Vec3 n = sea ? Vec3{0, 0, 1} : Normalize({-gx, -gy, 1.0});
      const double light = std::clamp(0.35 + 0.9 * Dot(n, kLight) - 0.55, 0.0, 1.2);
      Color base;
      if (sea) {
        base = Mix(0x060A1C, 0x142650, (e - 0.25) / (kSea - 0.25));
      } else if (e < kSea + 0.025) {
        base = 0x3A3226;
      } else if (e < 0.66) {
        base = Mix(0x1E2614, 0x4A2E1C, (e - kSea) / (0.66 - kSea));
      } else {
        base = Mix(0x3A2E34, 0x564A54, (e - 0.66) / 0.2);
      }
      img.Set(x, y, Scale(base, 0.45 + 0.65 * light));
    }
  }
  return img;
}

// Layer C: armour panels of the fortress with a trench down its middle.
Image HullLayer() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const int cx = x / 70, cy = y / 70;
      const int lx = x % 70, ly = y % 70;
      const double hash = LatticeValue(0xC001, cx, cy);
      const int type = static_cast<int>(hash * 4);
      double t = 0.5 + (hash - 0.5) * 0.25;
      if (lx < 2 || ly < 2) {
        t = 0.1;
      } else if (lx == 2 || ly == 2) {
        t = 0.75;
      } else if (lx == 69 || ly == 69) {
        t = 0.3;
      } else if (type == 0) {
        const bool rivet = (lx == 8 || lx == 61) && (ly == 8 || ly == 61);
        if (rivet) t = 0.8;
      } else if (type == 1) {
        if (ly >= 18 && ly < 52 && lx >= 12 && lx < 58 && ly % 6 < 2) t = 0.15;
      } else if (type == 2) {
        if (lx >= 12 && lx < 58 && ly >= 12 && ly < 58) {
          t = (lx == 12 || ly == 12) ? 0.78 : (lx == 57 || ly == 57) ? 0.28 : t + 0.08;
        }
      } else {
        if (lx >= 28 && lx < 42)
          t = 0.3 + 0.5 * TubeNormal(lx + 0.5, 35, 7).z * (lx < 35 ? 1.0 : 0.6);
      }
      Color c = Mix(0x0E0C16, 0x4A4658, t);
      // The trench: walls in shade on the left, lit on the right, guide lights on its floor.
      if (x >= 180 && x < 240) {
        if (x < 187) {
          c = 0x14121C;
        } else if (x >= 233) {
          c = 0x3E3A4C;
        } else {
          c = 0x0C0B12;
          if (x >= 207 && x < 213 && y % 35 < 3) c = (y / 35) % 2 == 0 ? 0x7A2030 : 0x205A6A;
        }
      }
      img.Set(x, y, c);
    }
  }
  return img;
}

const Image& Space() {
  static const Image img = SpaceLayer();
  return img;
}
const Image& Surface() {
  static const Image img = SurfaceLayer();
  return img;
}
const Image& Hull() {
  static const Image img = HullLayer();
  return img;
}

// The home planet and its moon, wholly inside the picture so both edges stay open space.
void DrawHomePlanet(Image& img) {
  struct Body {
    double cx, cy, r;
    bool planet;
  };
  for (const Body& b : {Body{330, 310, 165, true}, Body{88, 128, 22, false}}) {
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const double dx = (x + 0.5 - b.cx) / b.r, dy = (y + 0.5 - b.cy) / b.r;
        const double d = std::sqrt(dx * dx + dy * dy);
        const Color under = img.At(x, y);
        if (d < 1.0) {
          const Vec3 n = Normalize({dx, dy, std::sqrt(1.0 - d * d)});
          const double light = std::clamp(Dot(n, kLight) * 1.1 + 0.05, 0.0, 1.0);
          Color surf;
          if (b.planet) {
            const double land = Fbm(0xD001, n.x * 1.5 + 3, n.y * 1.5 + 3, 2, 5);
            const double cloud = Fbm(0xD002, n.x * 2.5 + 9, n.y * 4 + 9, 2, 4);
            surf = land > 0.52 ? Mix(0x2E5A2A, 0x6A5A3A, (land - 0.52) * 4) : 0x163A78;
            if (cloud > 0.55) surf = Mix(surf, 0xA8B8CC, (cloud - 0.55) * 2.5);
          } else {
            const double pits = Fbm(0xD003, dx * 3 + 5, dy * 3 + 5, 2, 3);
            surf = Mix(0x4A4858, 0x8A8898, pits);
          }
          img.Set(x, y, Scale(surf, 0.08 + 0.62 * light));
        } else if (b.planet && d < 1.09) {
          // Thin atmosphere, brightest on the lit side.
          const double side = std::clamp(-(dx * 0.6 + dy * 0.8) / d * 0.5 + 0.5, 0.0, 1.0);
          const double glow = std::pow(1.0 - (d - 1.0) / 0.09, 2.0) * (0.15 + 0.85 * side);
          img.Set(x, y, Add(under, 0x3A70C8, glow * 0.9));
        }
      }
    }
  }
}

// Picture 2: space below, the enemy world's limb above; its top rows are the surface layer.
Image LimbPicture() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const double u = (x + 0.5 - 210.0) / 250.0;
      const double limb = 205.0 + 75.0 * (1.0 - u * u);
      const double dy = y + 0.5 - limb;
      if (dy < 0) {
        // Haze over the surface close to the limb.
        const double haze = std::exp(dy / 30.0);
        img.Set(x, y, Mix(Surface().At(x, y), 0x2A4C8A, haze * 0.7));
      } else {
        img.Set(x, y, Add(Space().At(x, y), 0x2A50A8, std::exp(-dy / 16.0) * 0.9));
      }
    }
  }
  return img;
}

// Picture 4: the surface below, the fortress above behind a battlemented front wall.
Image FrontWallPicture() {
  Image img(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const int edge = 250 + ((x / 35) % 2 == 0 ? 14 : 0);
      if (y < edge) {
        img.Set(x, y, Hull().At(x, y));
      } else if (y < edge + 14) {
        // The wall face, turned away from the light, with a row of windows.
        const int fy = y - edge;
        Color c = fy == 0 ? 0x5A5668 : Mix(0x2A2636, 0x16141E, fy / 13.0);
        if (fy >= 5 && fy < 8 && x % 12 < 3) c = 0x3A7A8A;
        if ((x % 35 == 0 || x % 35 == 34)) c = 0x0E0C14;
        img.Set(x, y, c);
      } else {
        const double shade = std::min(1.0, (y - edge - 14) / 26.0);
        img.Set(x, y, Scale(Surface().At(x, y), 0.45 + 0.55 * shade));
      }
    }
  }
  return img;
}

}  // namespace

Image BuildBackground(int number) {
  switch (number) {
    case 1: {
      Image img = Space();
      DrawHomePlanet(img);
      return img;
    }
    case 2:
      return LimbPicture();
    case 3:
      return Surface();
    case 4:
      return FrontWallPicture();
    default:
      return Hull();
  }
}

}  // namespace vormelda::datagen
