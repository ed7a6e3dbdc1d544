// The pictures the generator writes: sizes, masks that are pure black and white with images
// black wherever their mask is white, and backgrounds that join without seams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "datagen.hpp"
#include "datagen_test_support.hpp"
#include "render/sprite_sheet.hpp"

namespace vormelda::datagen {
namespace {

using testing::GeneratedFolder;
using testing::Picture;
using testing::ReadPicture;

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

Picture Load(const std::string& name) {
  return ReadPicture(GeneratedFolder() / name);
}

// Checks one masked picture: the mask is pure black and white, the image is black wherever the
// mask is white, and something is solid. Returns the share of solid pixels.
double CheckMasked(const Picture& image, int ix, int iy, const Picture& mask, int mx, int my, int w,
                   int h, const std::string& what) {
  int solid = 0;
  int badMask = 0;
  int badImage = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t m = mask.At(mx + x, my + y);
      if (m != kBlack && m != kWhite) ++badMask;
      if (m == kWhite && image.At(ix + x, iy + y) != kBlack) ++badImage;
      if (m == kBlack) ++solid;
    }
  }
  EXPECT_EQ(badMask, 0) << what << ": mask pixels neither black nor white";
  EXPECT_EQ(badImage, 0) << what << ": image pixels not black where the mask is white";
  return static_cast<double>(solid) / (w * h);
}

TEST(GeneratedFiles, WritesEveryFileTheBuildExpects) {
  std::vector<std::string> buildList;
  std::stringstream list(VORMELDA_BUILD_DATA_FILES);
  for (std::string item; std::getline(list, item, ',');) buildList.push_back(item);
  EXPECT_EQ(buildList, OutputFiles()) << "tools/CMakeLists.txt and OutputFiles() differ";
  for (const std::string& name : OutputFiles()) {
    const auto path = GeneratedFolder() / name;
    ASSERT_TRUE(std::filesystem::exists(path)) << name;
    EXPECT_GT(std::filesystem::file_size(path), 1000u) << name;
  }
}

TEST(GeneratedPictures, HaveTheirSizes) {
  struct Size {
    const char* name;
    int w, h;
  };
  const Size sizes[] = {
      {"Picture/Character.pic", SheetWidth(), SheetHeight()},
      {"Picture/bom.pic", BombSheet::kWidth, BombSheet::kHeight},
      {"Picture/bomm.pic", BombSheet::kWidth, BombSheet::kHeight},
      {"Picture/BossBlast.pic", BossBlastSheet::kWidth, BossBlastSheet::kHeight},
      {"Picture/1.pic", 420, 560},
      {"Picture/2.pic", 420, 560},
      {"Picture/3.pic", 420, 560},
      {"Picture/4.pic", 420, 560},
      {"Picture/5.pic", 420, 560},
  };
  for (const Size& s : sizes) {
    const Picture p = Load(s.name);
    EXPECT_EQ(p.width, s.w) << s.name;
    EXPECT_EQ(p.height, s.h) << s.name;
  }
}

TEST(GeneratedPictures, SpriteSheetImagesMatchTheirMasks) {
  const Picture sheet = Load("Picture/Character.pic");
  ASSERT_EQ(sheet.width, SheetWidth());
  ASSERT_EQ(sheet.height, SheetHeight());
  for (const Sprite& r : kSpriteSheet) {
    const std::string name(r.name);
    if (r.HasMask()) {
      const double solid =
          CheckMasked(sheet, r.image.x, r.image.y, sheet, r.mask.x, r.mask.y, r.w, r.h, name);
      EXPECT_GT(solid, 0.02) << name << " is almost empty";
      EXPECT_LT(solid, 1.0) << name << " has no transparent pixel";
    } else {
      int lit = 0;
      for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x) lit += sheet.At(r.image.x + x, r.image.y + y) != kBlack;
      }
      EXPECT_GT(lit, 0) << name << " is empty";
    }
  }
}

// The generator draws only inside the rectangles of the layout: the rest of the sheet is black.
TEST(GeneratedPictures, NothingOutsideTheSpritesIsTouched) {
  const Picture sheet = Load("Picture/Character.pic");
  std::vector<bool> covered(static_cast<size_t>(sheet.width) * sheet.height, false);
  auto cover = [&](int rx, int ry, int w, int h) {
    for (int y = ry; y < ry + h; ++y) {
      for (int x = rx; x < rx + w; ++x) covered[static_cast<size_t>(y) * sheet.width + x] = true;
    }
  };
  for (const Sprite& r : kSpriteSheet) {
    cover(r.image.x, r.image.y, r.w, r.h);
    if (r.HasMask()) cover(r.mask.x, r.mask.y, r.w, r.h);
  }
  int stray = 0;
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      if (!covered[static_cast<size_t>(y) * sheet.width + x] && sheet.At(x, y) != kBlack) ++stray;
    }
  }
  EXPECT_EQ(stray, 0) << "pixels drawn outside every sprite's rectangle";
}

TEST(GeneratedPictures, BombFramesGrowAndFade) {
  const Picture image = Load("Picture/bom.pic");
  const Picture mask = Load("Picture/bomm.pic");
  ASSERT_EQ(image.width, 2100);
  ASSERT_EQ(mask.height, 2241);
  std::vector<double> solid;
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 5; ++i) {
      solid.push_back(CheckMasked(image, 420 * i, 560 * j + 1, mask, 420 * i, 560 * j + 1, 420, 560,
                                  "bomb frame " + std::to_string(j * 5 + i)));
    }
  }
  // Swelling over the first pictures, a near white-out, then fading to almost nothing.
  for (int k = 1; k <= 6; ++k) EXPECT_GT(solid[k], solid[k - 1]) << "frame " << k;
  EXPECT_GT(solid[9], 0.9);
  for (int k = 11; k < 20; ++k) EXPECT_LT(solid[k], solid[k - 1]) << "frame " << k;
  EXPECT_LT(solid[19], 0.1);
}

TEST(GeneratedPictures, BossBlastPicturesMatchTheirMasks) {
  const Picture sheet = Load("Picture/BossBlast.pic");
  ASSERT_EQ(sheet.width, 2400);
  ASSERT_EQ(sheet.height, 1600);
  for (int f = 0; f < 12; ++f) {
    const int x = 400 * (f % 6);
    const int y = 400 * (f / 6);
    const double solid =
        CheckMasked(sheet, x, y, sheet, x, y + 800, 400, 400, "boss blast " + std::to_string(f));
    EXPECT_GT(solid, 0.0) << "boss blast " << f << " is empty";
  }
}

// Mean difference of the colour channels of two pixels.
double Diff(std::uint32_t a, std::uint32_t b) {
  double d = 0;
  for (int shift : {16, 8, 0}) {
    d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  }
  return d / 3.0;
}

// Mean difference between row y of a and row y2 of b.
double RowStep(const Picture& a, int y, const Picture& b, int y2) {
  double sum = 0;
  for (int x = 0; x < a.width; ++x) sum += Diff(a.At(x, y), b.At(x, y2));
  return sum / a.width;
}

// The largest step from one row to the next inside a picture.
double RoughestRowStep(const Picture& p) {
  double worst = 0;
  for (int y = 0; y + 1 < p.height; ++y) worst = std::max(worst, RowStep(p, y, p, y + 1));
  return worst;
}

TEST(GeneratedPictures, BackgroundsJoinWithoutSeams) {
  Picture back[6];
  for (int i = 1; i <= 5; ++i) back[i] = Load("Picture/" + std::to_string(i) + ".pic");
  // Upper piece over lower piece, as the game joins them.
  const std::pair<int, int> joins[] = {{1, 1}, {2, 1}, {3, 2}, {3, 3}, {4, 3}, {5, 4}, {5, 5}};
  for (auto [upper, lower] : joins) {
    const Picture& u = back[upper];
    const Picture& l = back[lower];
    ASSERT_EQ(u.height, 560);
    ASSERT_EQ(l.height, 560);
    // The join is no rougher than the roughest step inside either picture.
    const double seam = RowStep(u, 559, l, 0);
    const double inside = std::max(RoughestRowStep(u), RoughestRowStep(l));
    EXPECT_LE(seam, inside + 0.5) << upper << " over " << lower;
  }
}

TEST(GeneratedPictures, BackgroundsAreDark) {
  for (int i = 1; i <= 5; ++i) {
    const Picture p = Load("Picture/" + std::to_string(i) + ".pic");
    double sum = 0;
    for (std::uint32_t c : p.rgb) {
      sum += 0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF);
    }
    EXPECT_LT(sum / static_cast<double>(p.rgb.size()), 80.0) << i << ".pic";
  }
}

}  // namespace
}  // namespace vormelda::datagen
