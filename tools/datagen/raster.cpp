#include "raster.hpp"

#include <algorithm>

namespace vormelda::datagen {

double Lighting(const Vec3& n) {
  const double diffuse = std::max(0.0, Dot(n, kLight));
  // Highlight around the mirror direction of the light towards a viewer straight in front.
  const Vec3 h = Normalize({kLight.x, kLight.y, kLight.z + 1.0});
  const double shine = std::pow(std::max(0.0, Dot(n, h)), 24.0);
  return std::clamp(0.12 + 0.72 * diffuse + 0.3 * shine, 0.0, 1.0);
}

bool InPolygon(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  const std::size_t n = poly.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > y) != (b.y > y)) {
      const double cross = (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x;
      if (x < cross) in = !in;
    }
  }
  return in;
}

std::vector<Point> MirrorOutline(const std::vector<Point>& rightHalf, double axis) {
  std::vector<Point> poly(rightHalf);
  for (auto it = rightHalf.rbegin(); it != rightHalf.rend(); ++it) {
    poly.push_back({2 * axis - it->x, it->y});
  }
  return poly;
}

Mask Rasterize(int w, int h, const Inside& inside) {
  Mask m(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) m.Set(x, y, inside(x + 0.5, y + 0.5));
  }
  return m;
}

void RenderParts(Canvas& canvas, const std::vector<Part>& parts, const View& view) {
  const double c = std::cos(view.roll);
  const double s = std::sin(view.roll);
  const double nc = std::cos(view.roll * view.turn);
  const double ns = std::sin(view.roll * view.turn);
  const int w = canvas.Width();
  const int h = canvas.Height();
  for (const Part& part : parts) {
    // Screen to model: undo the sideways shift of the part's height, then the narrowing.
    auto localX = [&](double sx) { return (sx - view.axis - part.z * s) / c + view.axis; };
    const Mask mask =
        Rasterize(w, h, [&](double x, double y) { return part.inside(localX(x), y); });
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (!mask.At(x, y)) continue;
        if (part.ramp == nullptr) {
          canvas.Set(x, y, part.flat);
          continue;
        }
        const double lx = localX(x + 0.5);
        const Vec3 n0 = part.normal(lx, y + 0.5);
        const Vec3 n = {n0.x * nc + n0.z * ns, n0.y, -n0.x * ns + n0.z * nc};
        double t = Lighting(n) + part.bias;
        const bool litEdge = !mask.At(x - 1, y) || !mask.At(x, y - 1);
        const bool darkEdge = !mask.At(x + 1, y) || !mask.At(x, y + 1);
        if (litEdge && !darkEdge) t += part.bevel;
        if (darkEdge && !litEdge) t -= part.bevel;
        canvas.Set(x, y, part.ramp->At(t));
      }
    }
  }
}

void PaintMask(Canvas& canvas, const Mask& mask, const std::function<Color(int x, int y)>& color) {
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      if (mask.At(x, y)) canvas.Set(x, y, color(x, y));
    }
  }
}

void AddOutline(Canvas& canvas, Color color) {
  std::vector<std::pair<int, int>> add;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.Solid(x, y)) continue;
      if (canvas.Solid(x - 1, y) || canvas.Solid(x + 1, y) || canvas.Solid(x, y - 1) ||
          canvas.Solid(x, y + 1)) {
        add.emplace_back(x, y);
      }
    }
  }
  for (auto [x, y] : add) canvas.Set(x, y, color);
}

Canvas Flashed(const Canvas& src, double amount) {
  Canvas out(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y) {
    for (int x = 0; x < src.Width(); ++x) {
      if (src.Solid(x, y)) out.Set(x, y, Mix(src.At(x, y), 0xFFF8E8, amount));
    }
  }
  return out;
}

}  // namespace vormelda::datagen
