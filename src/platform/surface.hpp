// A 32-bit picture (0xAARRGGBB, alpha always 0xFF) and the raster operations the game draws with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/geometry.hpp"

namespace vormelda {

// Memory for pictures: a large block is asked of the system in huge pages where it has them, so
// that a sheet of megapixels is touched in hundreds of page faults rather than thousands.
void* AllocatePictureMemory(size_t bytes);
void FreePictureMemory(void* block, size_t bytes) noexcept;

// Leaves the elements a vector grows by uninitialised (a picture about to be written whole need
// not be cleared first), in picture memory.
template <typename T>
struct NoInitAllocator : std::allocator<T> {
  using value_type = T;
  template <typename U>
  struct rebind {
    using other = NoInitAllocator<U>;
  };
  NoInitAllocator() = default;
  template <typename U>
  NoInitAllocator(const NoInitAllocator<U>&) noexcept {}
  T* allocate(size_t n) { return static_cast<T*>(AllocatePictureMemory(n * sizeof(T))); }
  void deallocate(T* p, size_t n) noexcept { FreePictureMemory(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const NoInitAllocator<U>&) const noexcept {
    return true;
  }
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

inline constexpr uint32_t kOpaqueBlack = 0xFF000000u;
inline constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

// An opaque pixel of the field's format from its red, green and blue.
constexpr uint32_t OpaquePixel(uint8_t r, uint8_t g, uint8_t b) {
  return kOpaqueBlack | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}
// A row of bytes of red, green and blue, `step` bytes a pixel, made opaque field pixels.
inline void RgbRowToPixels(const uint8_t* src, int width, int step, uint32_t* dst) {
  for (int x = 0; x < width; ++x, src += step) dst[x] = OpaquePixel(src[0], src[1], src[2]);
}
// A row of 8-bit palette indices made field pixels through the palette's 256 colours.
inline void IndexRowToPixels(const uint8_t* src, int width, const uint32_t* colors, uint32_t* dst) {
  for (int x = 0; x < width; ++x) dst[x] = colors[src[x]];
}

class Surface {
 public:
  using PixelVector = std::vector<uint32_t, NoInitAllocator<uint32_t>>;

  Surface() = default;
  Surface(int width, int height, uint32_t fill = kOpaqueBlack);
  // A picture whose pixels are yet to be written, every one of them.
  static Surface Unwritten(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, uint32_t argb) { Row(y)[x] = argb; }

  PixelVector& Pixels() { return pixels_; }
  const PixelVector& Pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  PixelVector pixels_;
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
