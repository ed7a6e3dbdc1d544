#include "platform/window_layout.hpp"

#include <gtest/gtest.h>

namespace vormelda {
namespace {

TEST(WindowLayout, PlacesTheFieldCentredSharpOrFilling) {
  const struct {
    int width, height;
    Scaling scaling;
    Rect field;
  } kCases[] = {
      {420, 560, Scaling::Sharp, {0, 0, 420, 560}},
      {840, 1120, Scaling::Sharp, {0, 0, 840, 1120}},
      {1000, 900, Scaling::Sharp, {290, 170, 420, 560}},    // 1.6 fits: one pixel each, on black
      {1000, 900, Scaling::SharpFill, {162, 0, 675, 900}},  // the height filled, the shape kept
      {1920, 1080, Scaling::Sharp, {750, 260, 420, 560}},   // 1080 / 560 is 1.93
      {1920, 1080, Scaling::SmoothFill, {555, 0, 810, 1080}},
      {2000, 600, Scaling::SharpFill, {775, 0, 450, 600}},
      {300, 400, Scaling::Sharp, {0, 0, 300, 400}},  // too small for one pixel each: it fits
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
    EXPECT_EQ(FieldPlacement(c.width, c.height, kFieldWidth, kFieldHeight, c.scaling), c.field);
  }
}

TEST(WindowLayout, OpensAtTheLargestWholeScaleThatFitsWithItsFrame) {
  EXPECT_EQ(OpeningScale(1920, 1040), 1);  // 1000 pixels of height for the field: one each
  EXPECT_EQ(OpeningScale(2560, 1400), 2);
  EXPECT_EQ(OpeningScale(3840, 2160), 3);
  EXPECT_EQ(OpeningScale(428, 600), 1);  // exactly the field and the frame
  EXPECT_EQ(OpeningScale(400, 300), 1);  // smaller than the field: still 1
}

}  // namespace
}  // namespace vormelda
