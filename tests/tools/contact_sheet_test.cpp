// The contact sheet: its size, where the pictures go, and that each is drawn through its mask.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "contact_sheet.hpp"
#include "sheet.hpp"

namespace vormelda::datagen {
namespace {

TEST(ContactSheet, HasACellForEveryPictureInsideThePage) {
  const Image sheet = BuildSpriteSheet();
  const Image page = BuildContactSheet(sheet);
  const auto cells = ContactSheetCells();
  ASSERT_EQ(cells.size(), kSpriteSheet.size());
  EXPECT_EQ(page.Width(), kContactSheetWidth);
  ASSERT_GT(page.Height(), 0);
  EXPECT_LT(page.Height(), 4000);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const ContactCell& c = cells[i];
    EXPECT_EQ(c.sprite.name, kSpriteSheet[i].name);
    EXPECT_GE(c.x, 0) << c.sprite.name;
    EXPECT_GE(c.y, 0) << c.sprite.name;
    EXPECT_LE(c.x + c.sprite.w * kContactScale, page.Width()) << c.sprite.name;
    EXPECT_LE(c.y + c.sprite.h * kContactScale, page.Height()) << c.sprite.name;
  }
}

TEST(ContactSheet, DrawsEveryPictureThroughItsMaskAtTwiceItsSize) {
  const Image sheet = BuildSpriteSheet();
  const Image page = BuildContactSheet(sheet);
  for (const ContactCell& c : ContactSheetCells()) {
    const Sprite& r = c.sprite;
    int mismatches = 0;
    for (int y = 0; y < r.h * kContactScale; ++y) {
      for (int x = 0; x < r.w * kContactScale; ++x) {
        const Color image = sheet.At(r.image.x + x / kContactScale, r.image.y + y / kContactScale);
        const Color expected =
            r.HasMask() ? (ContactGround(x, y) &
                           sheet.At(r.mask.x + x / kContactScale, r.mask.y + y / kContactScale)) |
                              image
                        : image;
        if (page.At(c.x + x, c.y + y) != expected) ++mismatches;
      }
    }
    EXPECT_EQ(mismatches, 0) << r.name;
  }
}

TEST(ContactSheet, LabelsEveryPicture) {
  const Image page = BuildContactSheet(BuildSpriteSheet());
  // The band above each picture holds its name: some pixels differ from the page colour there.
  const Color pageColour = page.At(0, 0);
  for (const ContactCell& c : ContactSheetCells()) {
    int ink = 0;
    for (int y = c.y - 12; y < c.y; ++y) {
      for (int x = c.x; x < c.x + 40 && x < page.Width(); ++x) {
        if (y >= 0 && page.At(x, y) != pageColour) ++ink;
      }
    }
    EXPECT_GT(ink, 10) << c.sprite.name;
  }
}

}  // namespace
}  // namespace vormelda::datagen
