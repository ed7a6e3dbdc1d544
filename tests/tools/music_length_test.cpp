// How long the two generated music tracks play, counted from their MPEG frames and as the game
// itself reads it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "datagen_test_support.hpp"
#include "platform/sound_length.hpp"

namespace vormelda::datagen {
namespace {

using testing::GeneratedFolder;
using testing::ReadBytes;

// Seconds of audio in an MPEG-1 layer III stream at 44.1 kHz: audio frames x 1152 samples,
// not counting a leading Xing/Info frame. Returns a negative value on a broken stream.
double Mp3Seconds(const std::vector<unsigned char>& b) {
  static const int kBitrates[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                    112, 128, 160, 192, 224, 256, 320, 0};
  std::size_t pos = 0;
  long frames = 0;
  bool first = true;
  while (pos + 4 <= b.size()) {
    if (b[pos] != 0xFF || (b[pos + 1] & 0xFE) != 0xFA) return -1;  // MPEG-1 layer III sync
    const int bitrate = kBitrates[b[pos + 2] >> 4];
    if (bitrate == 0 || ((b[pos + 2] >> 2) & 3) != 0) return -1;
    const int padding = (b[pos + 2] >> 1) & 1;
    const std::size_t size = static_cast<std::size_t>(144 * bitrate * 1000 / 44100 + padding);
    const bool info = first && pos + 40 <= b.size() &&
                      (std::string(b.begin() + 36, b.begin() + 40) == "Xing" ||
                       std::string(b.begin() + 36, b.begin() + 40) == "Info");
    if (!info) ++frames;
    first = false;
    pos += size;
  }
  if (pos != b.size()) return -1;
  return frames * 1152.0 / 44100.0;
}

TEST(GeneratedMusic, StageTrackPlaysAtLeastNinetySeconds) {
  const auto bytes = ReadBytes(GeneratedFolder() / "Music/BackMusic.mp3");
  const double seconds = Mp3Seconds(bytes);
  EXPECT_GE(seconds, 90.0);
  EXPECT_LT(seconds, 180.0);
  const auto ms = vormelda::Mp3LengthMs(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  ASSERT_TRUE(ms.has_value());
  EXPECT_GE(*ms, 90000.0);
}

TEST(GeneratedMusic, BossTrackPlaysAtLeastSixtySeconds) {
  const auto bytes = ReadBytes(GeneratedFolder() / "Music/BossMusic.mp3");
  const double seconds = Mp3Seconds(bytes);
  EXPECT_GE(seconds, 60.0);
  EXPECT_LT(seconds, 120.0);
  const auto ms = vormelda::Mp3LengthMs(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  ASSERT_TRUE(ms.has_value());
  EXPECT_GE(*ms, 60000.0);
}

}  // namespace
}  // namespace vormelda::datagen
