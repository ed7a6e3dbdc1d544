// The sprite sheet's rectangle table: every picture fits, no two pictures overlap, and the
// rectangles the game draws from are there.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sheet_layout.hpp"

namespace vormelda::datagen {
namespace {

struct Physical {
  int x, y, w, h;
  bool mask;
  std::string owner;
  bool SameRect(const Physical& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
  bool Overlaps(const Physical& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
};

std::vector<Physical> AllRectangles() {
  std::vector<Physical> all;
  for (const SheetRect& r : kSheetLayout) {
    all.push_back({r.x, r.y, r.w, r.h, false, std::string(r.name) + " image"});
    if (r.HasMask())
      all.push_back({r.mask_x, r.mask_y, r.w, r.h, true, std::string(r.name) + " mask"});
  }
  return all;
}

TEST(SheetLayout, NamesAreUnique) {
  std::set<std::string_view> names;
  for (const SheetRect& r : kSheetLayout) EXPECT_TRUE(names.insert(r.name).second) << r.name;
}

TEST(SheetLayout, EveryRectangleFitsTheSheet) {
  EXPECT_GE(SheetWidth(), 741);
  EXPECT_GE(SheetHeight(), 842);
  for (const Physical& p : AllRectangles()) {
    EXPECT_GT(p.w, 0) << p.owner;
    EXPECT_GT(p.h, 0) << p.owner;
    EXPECT_GE(p.x, 0) << p.owner;
    EXPECT_GE(p.y, 0) << p.owner;
    EXPECT_LE(p.x + p.w, SheetWidth()) << p.owner;
    EXPECT_LE(p.y + p.h, SheetHeight()) << p.owner;
  }
}

TEST(SheetLayout, NoTwoPicturesOverlap) {
  const auto all = AllRectangles();
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      const Physical& a = all[i];
      const Physical& b = all[j];
      if (a.SameRect(b)) {
        // A shared rectangle is fine only as a shared mask.
        EXPECT_TRUE(a.mask && b.mask) << a.owner << " and " << b.owner << " share a rectangle";
        continue;
      }
      EXPECT_FALSE(a.Overlaps(b)) << a.owner << " overlaps " << b.owner;
    }
  }
}

TEST(SheetLayout, HoldsTheRectanglesTheGameDrawsFrom) {
  struct Expected {
    const char* name;
    int x, y, mx, my, w, h;
  };
  const Expected expected[] = {
      {"ship", 26, 170, 26, 220, 50, 50},
      {"ship_left_3", 486, 0, 486, 50, 50, 50},
      {"ship_right_1", 386, 100, 386, 150, 50, 50},
      {"flame_2", 420, 712, 420, 732, 20, 20},
      {"shot_centre", 0, 202, 0, 237, 16, 35},
      {"shot_diagonal", 0, 272, 0, 237, 16, 35},
      {"item_bomb", 16, 305, 51, 305, 35, 35},
      {"enemy_2_flash", 185, 592, 0, 120, 30, 50},
      {"bullet_small_4", 16, 212, 0, 180, 10, 10},
      {"bullet_medium_1", 10, 170, 10, 186, 16, 16},
      {"explosion_8", 350, 356, 350, 406, 50, 50},
      {"boss_flash", 265, 592, 86, 120, 300, 120},
      {"ball_b", 601, 280, 601, 420, 140, 140},
      {"gauge_frame", 0, 584, -1, -1, 402, 5},
      {"digit_9", 248, 240, 248, 269, 18, 29},
      {"count_0", 473, 240, 473, 269, 18, 29},
      {"title_line_2", 386, 223, 474, 223, 88, 17},
      {"credits_3", 400, 752, -1, -1, 97, 67},
      {"super_speed_banner", 0, 722, 0, 782, 400, 60},
  };
  for (const Expected& e : expected) {
    const SheetRect& r = FindSheetRect(e.name);
    EXPECT_EQ(r.x, e.x) << e.name;
    EXPECT_EQ(r.y, e.y) << e.name;
    EXPECT_EQ(r.mask_x, e.mx) << e.name;
    EXPECT_EQ(r.mask_y, e.my) << e.name;
    EXPECT_EQ(r.w, e.w) << e.name;
    EXPECT_EQ(r.h, e.h) << e.name;
  }
  EXPECT_THROW(FindSheetRect("no such picture"), std::out_of_range);
}

}  // namespace
}  // namespace vormelda::datagen
