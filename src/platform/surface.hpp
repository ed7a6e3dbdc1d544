// A 32-bit picture (0xAARRGGBB, alpha always 0xFF) and the raster operations the game draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/geometry.hpp"

namespace vormelda {

inline constexpr uint32_t kOpaqueBlack = 0xFF000000u;
inline constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, uint32_t fill = kOpaqueBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, uint32_t argb) { Row(y)[x] = argb; }

  std::vector<uint32_t>& Pixels() { return pixels_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// The raster operation codes keep their system values so that traces and tests read familiar.
enum class RasterOp : uint32_t {
  SRCCOPY = 0x00CC0020u,
  SRCAND = 0x008800C6u,
  SRCPAINT = 0x00EE0086u,
  BLACKNESS = 0x00000042u,
};
inline constexpr RasterOp SRCCOPY = RasterOp::SRCCOPY;
inline constexpr RasterOp SRCAND = RasterOp::SRCAND;
inline constexpr RasterOp SRCPAINT = RasterOp::SRCPAINT;
inline constexpr RasterOp BLACKNESS = RasterOp::BLACKNESS;

// Copies the block `to` of dst from the block of the same size at `from` of src. Any block is
// safe: only the part that lies inside both pictures is touched. BLACKNESS reads no source (src
// may be null). An empty dst (the canvas of a back end that shows nothing) is dealt with inline:
// nothing is drawn, at no cost.
void BlitClipped(Surface& dst, Rect to, const Surface* src, Point from, RasterOp op);
inline void BitBlt(Surface& dst, Rect to, const Surface* src, Point from, RasterOp op) {
  if (!dst.Empty()) BlitClipped(dst, to, src, from, op);
}
inline void BitBlt(Surface& dst, Rect to, const Surface& src, Point from, RasterOp op) {
  BitBlt(dst, to, &src, from, op);
}

// Stretches the block `from` of src onto the block `to` of dst by nearest neighbour, clipped like
// BitBlt. Empty blocks draw nothing.
void StretchBlt(Surface& dst, Rect to, const Surface& src, Rect from, RasterOp op);

}  // namespace vormelda
