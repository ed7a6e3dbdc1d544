#include "platform/surface.hpp"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/system.hpp"

namespace vormelda {

namespace {
constexpr size_t kHugePage = 2 * 1024 * 1024;
}  // namespace

void* AllocatePictureMemory(size_t bytes) {
  if (bytes >= kHugePage) return AllocateLargeBlock(bytes, kHugePage);
  if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
  throw std::bad_alloc();
}

void FreePictureMemory(void* block, size_t bytes) noexcept {
  if (bytes >= kHugePage) {
    FreeLargeBlock(block);
  } else {
    std::free(block);
  }
}

Surface::Surface(int width, int height, uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

Surface Surface::Unwritten(int width, int height) {
  Surface s;
  s.width_ = std::max(width, 0);
  s.height_ = std::max(height, 0);
  s.pixels_.resize(static_cast<size_t>(s.width_) * s.height_);
  return s;
}

namespace {

// The part of a block that lies inside both pictures: its place on each and its size.
struct Clip {
  Point to, from;
  int w, h;
};

// Trims the block's left and top so that both origins are inside, then its right and bottom to
// both pictures' extents; false when nothing is left.
bool ClipBlock(const Surface& dst, int srcWidth, int srcHeight, Rect to, Point from, Clip& out) {
  const int skipX = std::max({0, -to.x, -from.x});
  const int skipY = std::max({0, -to.y, -from.y});
  to = {to.x + skipX, to.y + skipY, to.w - skipX, to.h - skipY};
  from = {from.x + skipX, from.y + skipY};
  const int w = std::min({to.w, dst.Width() - to.x, srcWidth - from.x});
  const int h = std::min({to.h, dst.Height() - to.y, srcHeight - from.y});
  if (w <= 0 || h <= 0) return false;
  out = {to.Origin(), from, w, h};
  return true;
}

template <typename Op>
void Blend(Surface& dst, const Surface& src, const Clip& c, Op op) {
  for (int row = 0; row < c.h; ++row) {
    uint32_t* d = dst.Row(c.to.y + row) + c.to.x;
    const uint32_t* s = src.Row(c.from.y + row) + c.from.x;
    for (int i = 0; i < c.w; ++i) d[i] = op(d[i], s[i]);
  }
}

uint32_t Apply(RasterOp op, uint32_t d, uint32_t s) {
  switch (op) {
    case RasterOp::SRCCOPY:
      return s;
    case RasterOp::SRCAND:
      return d & s;
    case RasterOp::SRCPAINT:
      return d | s;
    case RasterOp::BLACKNESS:
      break;
  }
  return kOpaqueBlack;
}

}  // namespace

void BlitClipped(Surface& dst, Rect to, const Surface* src, Point from, RasterOp op) {
  Clip c{};
  if (op == RasterOp::BLACKNESS) {
    // No source is read: one exactly the block's size leaves only the destination's clip.
    if (!ClipBlock(dst, to.w, to.h, to, {0, 0}, c)) return;
    for (int row = 0; row < c.h; ++row)
      std::fill_n(dst.Row(c.to.y + row) + c.to.x, c.w, kOpaqueBlack);
    return;
  }
  if (src == nullptr || !ClipBlock(dst, src->Width(), src->Height(), to, from, c)) return;
  switch (op) {
    case RasterOp::SRCCOPY:
      for (int row = 0; row < c.h; ++row) {
        std::copy_n(src->Row(c.from.y + row) + c.from.x, c.w, dst.Row(c.to.y + row) + c.to.x);
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

void StretchBlt(Surface& dst, Rect to, const Surface& src, Rect from, RasterOp op) {
  if (to.w <= 0 || to.h <= 0 || from.w <= 0 || from.h <= 0 || dst.Empty()) return;
  // Destination rows and columns that are on the picture; each maps to its nearest source pixel.
  const int x0 = std::max(to.x, 0), x1 = std::min(to.x + to.w, dst.Width());
  const int y0 = std::max(to.y, 0), y1 = std::min(to.y + to.h, dst.Height());
  for (int dy = y0; dy < y1; ++dy) {
    const int srcY = from.y + static_cast<int>(static_cast<int64_t>(dy - to.y) * from.h / to.h);
    if (srcY < 0 || srcY >= src.Height()) continue;
    uint32_t* d = dst.Row(dy);
    const uint32_t* s = src.Row(srcY);
    for (int dx = x0; dx < x1; ++dx) {
      const int srcX = from.x + static_cast<int>(static_cast<int64_t>(dx - to.x) * from.w / to.w);
      if (srcX >= 0 && srcX < src.Width()) d[dx] = Apply(op, d[dx], s[srcX]);
    }
  }
}

}  // namespace vormelda
