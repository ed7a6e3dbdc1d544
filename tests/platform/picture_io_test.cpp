// Pictures read into the field's format, whatever the PNG's kind: every pixel opaque 0xFFRRGGBB.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.hpp"
#include "platform/platform.hpp"
#include "platform/png_pixels.hpp"
#include "platform/sdl_internal.hpp"
#include "support/test_files.hpp"

namespace vormelda {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::TempFolder;
using testing::WriteFile;

void PutBe(Bytes& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Crc(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
  PutBe(png, static_cast<uint32_t>(data.size()));
  const size_t from = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBe(png, Crc(png.data() + from, png.size() - from));
}

// A PNG of the given kind, its rows already packed and filtered by the filters given (none when
// not given), deflated as one stored block.
Bytes Png(int w, int h, uint8_t depth, uint8_t kind, const std::vector<Bytes>& rows,
          const Bytes& palette, const Bytes& filters = {}) {
  Bytes raw;
  for (size_t y = 0; y < rows.size(); ++y) {
    raw.push_back(y < filters.size() ? filters[y] : 0);
    raw.insert(raw.end(), rows[y].begin(), rows[y].end());
  }
  Bytes z = {0x78,
             0x01,
             0x01,
             static_cast<uint8_t>(raw.size()),
             static_cast<uint8_t>(raw.size() >> 8),
             static_cast<uint8_t>(~raw.size()),
             static_cast<uint8_t>(~raw.size() >> 8)};
  z.insert(z.end(), raw.begin(), raw.end());
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) b = (b + (a = (a + v) % 65521)) % 65521;
  PutBe(z, b << 16 | a);
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBe(header, static_cast<uint32_t>(w));
  PutBe(header, static_cast<uint32_t>(h));
  header.insert(header.end(), {depth, kind, 0, 0, 0});
  Chunk(png, "IHDR", header);
  if (!palette.empty()) Chunk(png, "PLTE", palette);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

TEST(LoadPictureFile, GivesOpaqueFieldPixelsForEveryKindOfPng) {
  // Three colours of a row of three, then the same row mirrored.
  const Bytes palette = {0x12, 0x34, 0x56, 0xFE, 0x80, 0x01, 0x00, 0xFF, 0x7F};
  const std::array<uint32_t, 3> colors = {0xFF123456u, 0xFFFE8001u, 0xFF00FF7Fu};
  const std::array<uint32_t, 3> greys = {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu};
  struct Case {
    const char* kind;
    Bytes png;
    std::array<uint32_t, 3> expected;
  };
  const Case cases[] = {
      {"RGB",
       Png(3, 2, 8, 2,
           {{0x12, 0x34, 0x56, 0xFE, 0x80, 0x01, 0x00, 0xFF, 0x7F},
            {0x00, 0xFF, 0x7F, 0xFE, 0x80, 0x01, 0x12, 0x34, 0x56}},
           {}),
       colors},
      // Any transparency is dropped: the field has none.
      {"RGBA",
       Png(3, 2, 8, 6,
           {{0x12, 0x34, 0x56, 0x00, 0xFE, 0x80, 0x01, 0x80, 0, 0xFF, 0x7F, 0xFF},
            {0, 0xFF, 0x7F, 0x10, 0xFE, 0x80, 0x01, 0xFF, 0x12, 0x34, 0x56, 0}},
           {}),
       colors},
      {"8-bit palette", Png(3, 2, 8, 3, {{0, 1, 2}, {2, 1, 0}}, palette), colors},
      {"8-bit palette, sub and up", Png(3, 2, 8, 3, {{0, 1, 1}, {2, 0, 254}}, palette, {1, 2}),
       colors},
      {"8-bit palette, average and Paeth",
       Png(3, 2, 8, 3, {{0, 1, 2}, {2, 255, 254}}, palette, {3, 4}), colors},
      // An index the palette lacks is black.
      {"8-bit palette, short",
       Png(3, 2, 8, 3, {{0, 1, 9}, {9, 1, 0}}, palette),
       {0xFF123456u, 0xFFFE8001u, 0xFF000000u}},
      {"4-bit palette", Png(3, 2, 4, 3, {{0x01, 0x20}, {0x21, 0x00}}, palette), colors},
      {"2-bit palette", Png(3, 2, 2, 3, {{0x18}, {0x90}}, palette), colors},
      {"1-bit palette",
       Png(3, 2, 1, 3, {{0x40}, {0x40}}, {0x12, 0x34, 0x56, 0xFE, 0x80, 0x01}),
       {0xFF123456u, 0xFFFE8001u, 0xFF123456u}},
      {"grey", Png(3, 2, 8, 0, {{0x00, 0x80, 0xFF}, {0xFF, 0x80, 0x00}}, {}), greys},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    const std::string path = folder / "picture.pic";
    WriteFile(path, std::string(c.png.begin(), c.png.end()));
    Surface picture;
    std::string error;
    ASSERT_TRUE(LoadPictureFile(path, {3, 2, true}, picture, error)) << c.kind << ": " << error;
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(picture.At(x, 0), c.expected[x]) << c.kind << " at " << x << ",0";
      EXPECT_EQ(picture.At(2 - x, 1), c.expected[x]) << c.kind << " at " << 2 - x << ",1";
    }
  }
}

// The game's pictures all take the quick reader, and it reads them as the image library does.
TEST(ReadPlainPng, ReadsTheGamesPicturesAsTheImageLibraryDoes) {
  int pictures = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(VORMELDA_GAME_DIR) + "/Picture")) {
    if (entry.path().extension() != ".pic") continue;
    const std::string path = entry.path().string();
    SCOPED_TRACE(path);
    ++pictures;
    Surface ours;
    ASSERT_TRUE(ReadPlainPng(ReadWholeFile(path, 1 << 24).bytes, ours));
    const sdl::SurfacePtr loaded(IMG_Load(path.c_str()));
    ASSERT_NE(loaded, nullptr);
    const sdl::SurfacePtr theirs(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    ASSERT_EQ(ours.Width(), theirs->w);
    ASSERT_EQ(ours.Height(), theirs->h);
    int differing = 0;
    for (int y = 0; y < theirs->h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(
          static_cast<const uint8_t*>(theirs->pixels) + static_cast<size_t>(y) * theirs->pitch);
      for (int x = 0; x < theirs->w; ++x) differing += ours.At(x, y) != (row[x] | kOpaqueBlack);
    }
    EXPECT_EQ(differing, 0);
  }
  EXPECT_EQ(pictures, 9);
}

}  // namespace
}  // namespace vormelda
