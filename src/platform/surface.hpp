// A 32-bit picture (0xAARRGGBB, alpha always 0xFF) and the raster operations the game draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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
  void Fill(uint32_t argb);

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

// Copies a w x h block from (sx, sy) of src to (x, y) of dst. Any rectangle is safe: only the part
// that lies inside both pictures is touched. BLACKNESS ignores src (which may be null). An empty
// dst (a look-ahead's canvas) is dealt with inline: nothing is drawn, at no cost.
void BlitClipped(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy,
                 RasterOp op);
inline void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface* src, int sx, int sy,
                   RasterOp op) {
  if (!dst.Empty()) BlitClipped(dst, x, y, w, h, src, sx, sy, op);
}
inline void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                   RasterOp op) {
  BitBlt(dst, x, y, w, h, &src, sx, sy, op);
}

// Stretches the sw x sh block at (sx, sy) of src onto the w x h block at (x, y) of dst by nearest
// neighbour, clipped like BitBlt. Non-positive sizes draw nothing.
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op);

}  // namespace vormelda
