#include "platform/surface.hpp"

#include <algorithm>

namespace vormelda {

Surface::Surface(int width, int height, uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

void Surface::Fill(uint32_t argb) {
  std::fill(pixels_.begin(), pixels_.end(), argb);
}

namespace {

// The part of a w x h block that lies inside both pictures, found once per blit.
struct Clip {
  int dx, dy, sx, sy, w, h;
};

bool ClipBlock(int dstW, int dstH, int srcW, int srcH, int x, int y, int w, int h, int sx, int sy,
               Clip& out) {
  // Trim the left/top so both origins are inside, then the right/bottom to both extents.
  int skipX = std::max({0, -x, -sx});
  int skipY = std::max({0, -y, -sy});
  x += skipX;
  sx += skipX;
  w -= skipX;
  y += skipY;
  sy += skipY;
  h -= skipY;
  w = std::min({w, dstW - x, srcW - sx});
  h = std::min({h, dstH - y, srcH - sy});
  if (w <= 0 || h <= 0) return false;
  out = {x, y, sx, sy, w, h};
  return true;
}

template <typename Op>
void Blend(Surface& dst, const Surface& src, const Clip& c, Op op) {
  for (int row = 0; row < c.h; ++row) {
    uint32_t* d = dst.Row(c.dy + row) + c.dx;
    const uint32_t* s = src.Row(c.sy + row) + c.sx;
    for (int i = 0; i < c.w; ++i) d[i] = op(d[i], s[i]);
  }
}

}  // namespace

void BlitClipped(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy,
                 RasterOp op) {
  if (op == RasterOp::BLACKNESS) {
    Clip c{};
    // No source is read: a source exactly the block's size leaves only the destination's clip.
    if (!ClipBlock(dst.Width(), dst.Height(), w, h, x, y, w, h, 0, 0, c)) return;
    for (int row = 0; row < c.h; ++row) std::fill_n(dst.Row(c.dy + row) + c.dx, c.w, kOpaqueBlack);
    return;
  }
  if (src == nullptr) return;
  Clip c{};
  if (!ClipBlock(dst.Width(), dst.Height(), src->Width(), src->Height(), x, y, w, h, sx, sy, c)) {
    return;
  }
  switch (op) {
    case RasterOp::SRCCOPY:
      for (int row = 0; row < c.h; ++row) {
        std::copy_n(src->Row(c.sy + row) + c.sx, c.w, dst.Row(c.dy + row) + c.dx);
      }
      break;
    case RasterOp::SRCAND:
      Blend(dst, *src, c, [](uint32_t d, uint32_t s) { return d & s; });
      break;
    case RasterOp::SRCPAINT:
      Blend(dst, *src, c, [](uint32_t d, uint32_t s) { return d | s; });
      break;
    case RasterOp::BLACKNESS:
      break;
  }
}

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || dst.Empty()) return;
  // Destination rows and columns that are on the picture; each maps to its nearest source pixel.
  int x0 = std::max(x, 0), x1 = std::min(x + w, dst.Width());
  int y0 = std::max(y, 0), y1 = std::min(y + h, dst.Height());
  for (int dy = y0; dy < y1; ++dy) {
    int srcY = sy + static_cast<int>(static_cast<int64_t>(dy - y) * sh / h);
    if (srcY < 0 || srcY >= src.Height()) continue;
    uint32_t* d = dst.Row(dy);
    const uint32_t* s = src.Row(srcY);
    for (int dx = x0; dx < x1; ++dx) {
      int srcX = sx + static_cast<int>(static_cast<int64_t>(dx - x) * sw / w);
      if (srcX < 0 || srcX >= src.Width()) continue;
      switch (op) {
        case RasterOp::SRCCOPY:
          d[dx] = s[srcX];
          break;
        case RasterOp::SRCAND:
          d[dx] &= s[srcX];
          break;
        case RasterOp::SRCPAINT:
          d[dx] |= s[srcX];
          break;
        case RasterOp::BLACKNESS:
          d[dx] = kOpaqueBlack;
          break;
      }
    }
  }
}

}  // namespace vormelda
