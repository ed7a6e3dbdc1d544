#include "platform/surface.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vormelda {
namespace {

// Every pixel different, so a pixel copied from the wrong place shows.
Surface Numbered(int w, int h, uint32_t base) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) s.Set(x, y, base + static_cast<uint32_t>(y * 16 + x));
  }
  return s;
}

uint32_t Apply(RasterOp op, uint32_t d, uint32_t s) {
  switch (op) {
    case SRCCOPY:
      return s;
    case SRCAND:
      return d & s;
    case SRCPAINT:
      return d | s;
    case BLACKNESS:
      return kOpaqueBlack;
  }
  return d;
}

// Pixel by pixel: a pixel of the block is drawn when it lies on both pictures.
void ReferenceBlit(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                   RasterOp op) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      int dx = x + i, dy = y + j, px = sx + i, py = sy + j;
      if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height()) continue;
      if (op != BLACKNESS && (px < 0 || py < 0 || px >= src.Width() || py >= src.Height())) {
        continue;
      }
      dst.Set(dx, dy, Apply(op, dst.At(dx, dy), op == BLACKNESS ? 0 : src.At(px, py)));
    }
  }
}

TEST(BitBlt, EachRasterOperationCombinesSourceAndDestination) {
  const uint32_t d = 0xFF0F0F55u, s = 0xFF3355F0u;
  for (RasterOp op : {SRCCOPY, SRCAND, SRCPAINT, BLACKNESS}) {
    Surface dst(2, 1, d);
    BitBlt(dst, {0, 0, 1, 1}, Surface(1, 1, s), {0, 0}, op);
    EXPECT_EQ(dst.At(0, 0), Apply(op, d, s)) << static_cast<uint32_t>(op);
    EXPECT_EQ(dst.At(1, 0), d) << "outside the block";
  }
  EXPECT_EQ(Apply(SRCAND, d, s), 0xFF030550u);
  EXPECT_EQ(Apply(SRCPAINT, d, s), 0xFF3F5FF5u);
}

TEST(BitBlt, BlacknessNeedsNoSourceAndIsClipped) {
  Surface dst(4, 3, kOpaqueWhite);
  BitBlt(dst, {2, -1, 5, 2}, nullptr, {0, 0}, BLACKNESS);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(dst.At(x, y), x >= 2 && y == 0 ? kOpaqueBlack : kOpaqueWhite) << x << "," << y;
    }
  }
}

TEST(BitBlt, MaskThenImageShowsBackgroundWhereMaskIsWhite) {
  // A 2 x 2 sprite: opaque on the diagonal. The sheet holds the image at x 0 and the mask at x 2.
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu;
  Surface sheet(4, 2);
  sheet.Set(0, 0, red);
  sheet.Set(1, 1, blue);
  sheet.Set(3, 0, kOpaqueWhite);
  sheet.Set(2, 1, kOpaqueWhite);
  Surface field = Numbered(3, 3, 0xFF101000u);
  const Surface background = field;
  for (int round = 1; round <= 2; ++round) {  // a second draw at the same place changes nothing
    BitBlt(field, {1, 1, 2, 2}, sheet, {2, 0}, SRCAND);
    BitBlt(field, {1, 1, 2, 2}, sheet, {0, 0}, SRCPAINT);
    EXPECT_EQ(field.At(1, 1), red) << round;
    EXPECT_EQ(field.At(2, 2), blue) << round;
    EXPECT_EQ(field.At(2, 1), background.At(2, 1)) << round;
    EXPECT_EQ(field.At(1, 2), background.At(1, 2)) << round;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(field.At(i, 0), background.At(i, 0));
      EXPECT_EQ(field.At(0, i), background.At(0, i));
    }
  }
}

TEST(BitBlt, AnyRectangleTouchesOnlyTheInsidePart) {
  // Every placement of block and source around both edges of both pictures, for every operation.
  const Surface src = Numbered(4, 3, 0xFF200000u);
  const Surface start = Numbered(6, 5, 0xFF000100u);
  int cases = 0;
  for (RasterOp op : {SRCCOPY, SRCAND, SRCPAINT, BLACKNESS}) {
    for (int w : {0, 1, 3, 9, -2}) {
      for (int h : {0, 2, 7}) {
        for (int x = -10; x <= 7; ++x) {
          for (int y = -8; y <= 6; ++y) {
            for (int sx = -5; sx <= 5; sx += 2) {
              for (int sy = -4; sy <= 4; sy += 2) {
                Surface got = start, want = start;
                BitBlt(got, {x, y, w, h}, src, {sx, sy}, op);
                ReferenceBlit(want, x, y, w, h, src, sx, sy, op);
                ASSERT_EQ(got.Pixels(), want.Pixels())
                    << "op " << static_cast<uint32_t>(op) << " at " << x << "," << y << " size "
                    << w << "x" << h << " from " << sx << "," << sy;
                ++cases;
              }
            }
          }
        }
      }
    }
  }
  EXPECT_GT(cases, 10000);
}

TEST(BitBlt, HugeRectanglesAndEmptyPicturesAreSafe) {
  const Surface src = Numbered(3, 3, 0xFF300000u);
  Surface dst(2, 2);
  BitBlt(dst, {-1000000, -1000000, 2000000, 2000000}, src, {-1000000, -1000000}, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), src.At(0, 0));
  EXPECT_EQ(dst.At(1, 1), src.At(1, 1));
  Surface empty;
  BitBlt(empty, {0, 0, 5, 5}, src, {0, 0}, SRCCOPY);
  BitBlt(dst, {0, 0, 5, 5}, empty, {0, 0}, SRCPAINT);
  BitBlt(dst, {0, 0, 5, 5}, nullptr, {0, 0}, SRCCOPY);
  EXPECT_EQ(dst.At(1, 1), src.At(1, 1));
}

TEST(StretchBlt, DoublesByNearestNeighbour) {
  const Surface src = Numbered(2, 2, 0xFF400000u);
  Surface dst(4, 4);
  StretchBlt(dst, {0, 0, 4, 4}, src, {0, 0, 2, 2}, SRCCOPY);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), src.At(x / 2, y / 2)) << x << "," << y;
  }
}

TEST(StretchBlt, ClippingDoesNotShiftThePicture) {
  // Doubled 3 x 2 from (1, 0) of the source, placed one pixel off the top-left corner.
  const Surface src = Numbered(4, 2, 0xFF500000u);
  const Surface start(5, 3, kOpaqueWhite);
  Surface dst = start;
  StretchBlt(dst, {-1, -1, 6, 4}, src, {1, 0, 3, 2}, SRCCOPY);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(dst.At(x, y), src.At(1 + (x + 1) / 2, (y + 1) / 2)) << x << "," << y;
    }
  }
  // A source block hanging off the source's right edge leaves those columns alone.
  dst = start;
  StretchBlt(dst, {0, 0, 4, 2}, src, {3, 0, 2, 1}, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), src.At(3, 0));
  EXPECT_EQ(dst.At(1, 1), src.At(3, 0));
  EXPECT_EQ(dst.At(2, 0), kOpaqueWhite);
  EXPECT_EQ(dst.At(3, 1), kOpaqueWhite);
  // Wholly outside, or of no size: nothing.
  dst = start;
  StretchBlt(dst, {5, 0, 4, 4}, src, {0, 0, 2, 2}, SRCCOPY);
  StretchBlt(dst, {-4, 0, 4, 4}, src, {0, 0, 2, 2}, SRCCOPY);
  StretchBlt(dst, {0, 0, 0, 4}, src, {0, 0, 2, 2}, SRCCOPY);
  StretchBlt(dst, {0, 0, 4, 4}, src, {0, 0, 2, -2}, SRCCOPY);
  EXPECT_EQ(dst.Pixels(), start.Pixels());
}

TEST(StretchBlt, MaskedPairOverBackground) {
  // Image (black where transparent) at x 0, mask (white where transparent) at x 1: one column.
  Surface sheet(2, 2);
  sheet.Set(0, 0, 0xFF00FF00u);
  sheet.Set(1, 1, kOpaqueWhite);
  const uint32_t back = 0xFF123456u;
  Surface field(2, 4, back);
  StretchBlt(field, {0, 0, 2, 4}, sheet, {1, 0, 1, 2}, SRCAND);
  StretchBlt(field, {0, 0, 2, 4}, sheet, {0, 0, 1, 2}, SRCPAINT);
  for (int x = 0; x < 2; ++x) {
    EXPECT_EQ(field.At(x, 0), 0xFF00FF00u);
    EXPECT_EQ(field.At(x, 1), 0xFF00FF00u);
    EXPECT_EQ(field.At(x, 2), back);
    EXPECT_EQ(field.At(x, 3), back);
  }
}

}  // namespace
}  // namespace vormelda
