#include "render/sprites.hpp"

#include <gtest/gtest.h>

#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda::testing {
namespace {

class Drawing : public GameTest {
 protected:
  void SetUp() override { StartHost(); }
};

TEST_F(Drawing, ASpriteShowsOnlyItsInsidePartOverTheField) {
  // A 3 x 3 sprite, transparent in its middle: image at (0, 0) of the sheet, mask at (3, 0).
  const uint32_t back = 0xFF102030u, ink = 0xFFC00000u;
  Surface sheet(6, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) sheet.Set(x, y, x == 1 && y == 1 ? kOpaqueBlack : ink);
  }
  sheet.Set(4, 1, kOpaqueWhite);
  frmMain.picCharacter.Image = sheet;
  frmMain.picMain.Image = Surface(420, 560, back);
  const Sprite piece{"piece", {0, 0}, {3, 0}, 3, 3};
  DrawSprite(piece, {418, 558});  // hangs off the right and bottom edges
  DrawSprite(piece, {-1, -1});    // and off the left and top ones
  DrawSprite(piece, {-1, -1});
  const Surface& field = frmMain.picMain.Image;
  int inked = 0;
  for (int y = 0; y < 560; ++y) {
    for (int x = 0; x < 420; ++x) inked += field.At(x, y) == ink;
  }
  EXPECT_EQ(inked, 3 + 3);
  EXPECT_EQ(field.At(418, 558), ink);
  EXPECT_EQ(field.At(419, 559), back);  // the sprite's transparent middle
  EXPECT_EQ(field.At(0, 0), back);
  EXPECT_EQ(field.At(1, 1), ink);
}

}  // namespace
}  // namespace vormelda::testing
