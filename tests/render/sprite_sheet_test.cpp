// The sheets' layout: every picture of the sprite sheet fits, has a name of its own and lies
// apart from every other (only masks are shared), and the other sheets' pictures fit theirs.
#include "render/sprite_sheet.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vormelda {
namespace {

struct Block {
  Rect rect;
  bool mask;
  std::string owner;
  bool Overlaps(const Block& o) const {
    const Rect& a = rect;
    const Rect& b = o.rect;
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  }
};

std::vector<Block> AllBlocks() {
  std::vector<Block> all;
  for (const Sprite& s : kSpriteSheet) {
    all.push_back({s.ImageRect(), false, std::string(s.name) + " image"});
    if (s.HasMask()) all.push_back({s.MaskRect(), true, std::string(s.name) + " mask"});
  }
  return all;
}

TEST(SpriteSheet, EveryPictureHasItsOwnNameAndFitsTheSheet) {
  std::set<std::string_view> names;
  for (const Sprite& s : kSpriteSheet) EXPECT_TRUE(names.insert(s.name).second) << s.name;
  for (const Block& b : AllBlocks()) {
    EXPECT_GT(b.rect.w, 0) << b.owner;
    EXPECT_GT(b.rect.h, 0) << b.owner;
    EXPECT_GE(b.rect.x, 0) << b.owner;
    EXPECT_GE(b.rect.y, 0) << b.owner;
    EXPECT_LE(b.rect.x + b.rect.w, SheetWidth()) << b.owner;
    EXPECT_LE(b.rect.y + b.rect.h, SheetHeight()) << b.owner;
  }
}

TEST(SpriteSheet, NoTwoPicturesOverlapButSharedMasks) {
  const auto all = AllBlocks();
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      const Block& a = all[i];
      const Block& b = all[j];
      if (a.rect == b.rect) {
        EXPECT_TRUE(a.mask && b.mask) << a.owner << " and " << b.owner << " share a rectangle";
        continue;
      }
      EXPECT_FALSE(a.Overlaps(b)) << a.owner << " overlaps " << b.owner;
    }
  }
}

TEST(SpriteSheet, TheBombAndBossExplosionPicturesFillTheirSheets) {
  const Point lastBomb = BombSheet::Picture(BombSheet::kPictures - 1);
  EXPECT_EQ(lastBomb.x + kFieldWidth, BombSheet::kWidth);
  EXPECT_EQ(lastBomb.y + kFieldHeight, BombSheet::kHeight);
  const Point lastBlast = BossBlastSheet::Picture(BossBlastSheet::kPictures - 1);
  EXPECT_EQ(lastBlast.x + BossBlastSheet::kSize, BossBlastSheet::kWidth);
  EXPECT_EQ(lastBlast.y + BossBlastSheet::kSize + BossBlastSheet::kMaskDy, BossBlastSheet::kHeight);
}

}  // namespace
}  // namespace vormelda
