// A picture's size from its header alone, format by format, and nothing from other bytes.
#include "platform/picture_size.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vormelda {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(const std::string& text) {
  return {text.begin(), text.end()};
}
Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes Be(uint32_t v, int n) {
  Bytes out;
  for (int i = n - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}
Bytes Le(uint32_t v, int n) {
  Bytes out;
  for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

TEST(PictureHeaderSize, ReadsTheSizeOfEveryFormatItKnows) {
  const Bytes png = B("\x89PNG\r\n\x1a\n") + Be(13, 4) + B("IHDR") + Be(60000, 4) + Be(60000, 4);
  const Bytes gif = B("GIF89a") + Le(420, 2) + Le(560, 2);
  const Bytes bmp = B("BM") + Bytes(12, 0) + Le(40, 4) + Le(20000, 4) + Le(-560, 4);
  const Bytes jpeg = Bytes{0xFF, 0xD8, 0xFF, 0xE0} + Be(4, 2) + Bytes{0, 0} + Bytes{0xFF, 0xC2} +
                     Be(11, 2) + Bytes{8} + Be(561, 2) + Be(421, 2) + Bytes(6, 0);
  const Bytes qoi = B("qoif") + Be(5000, 4) + Be(7, 4);
  const Bytes webp = B("RIFF") + Le(0, 4) + B("WEBPVP8X") + Bytes(8, 0) + Le(419, 3) + Le(559, 3);
  const Bytes pcx = Bytes{0x0A, 5, 1, 8} + Le(0, 2) + Le(0, 2) + Le(4095, 2) + Le(4095, 2);
  const Bytes pnm = B("P6\n# made by hand\n 420  560\n255\n");
  const struct {
    const char* format;
    Bytes file;
    PictureSize size;
  } kCases[] = {
      {"png", png, {60000, 60000}}, {"gif", gif, {420, 560}}, {"bmp", bmp, {20000, 560}},
      {"jpeg", jpeg, {421, 561}},   {"qoi", qoi, {5000, 7}},  {"webp", webp, {420, 560}},
      {"pcx", pcx, {4096, 4096}},   {"pnm", pnm, {420, 560}},
  };
  for (const auto& c : kCases) {
    const auto size = PictureHeaderSize(c.file);
    ASSERT_TRUE(size.has_value()) << c.format;
    EXPECT_EQ(*size, c.size) << c.format;
  }
  // A header cut short, or bytes of no picture format, tell nothing.
  EXPECT_FALSE(PictureHeaderSize(Bytes(png.begin(), png.begin() + 20)));
  EXPECT_FALSE(PictureHeaderSize(Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
  EXPECT_FALSE(PictureHeaderSize(B("this is no picture at all")));
  EXPECT_FALSE(PictureHeaderSize({}));
}

}  // namespace
}  // namespace vormelda
