// The sounds and music the generator writes, and that a second run writes the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "datagen.hpp"
#include "datagen_test_support.hpp"

namespace vormelda::datagen {
namespace {

using testing::GeneratedFolder;
using testing::ReadBytes;
using testing::Wav;

TEST(GeneratedSounds, AreQuietAtBothEndsAndBelowFullScale) {
  const char* names[] = {"MyBlast",    "PowerUp",   "Bom",     "Tama3",
                         "EnemyBlast", "BossBlast", "MyAttack"};
  for (const char* name : names) {
    const std::string file = std::string("Music/") + name + ".wav";
    Wav wav;
    ASSERT_TRUE(testing::ParseWav(ReadBytes(GeneratedFolder() / file), wav)) << file;
    EXPECT_EQ(wav.format, 1) << file;
    EXPECT_EQ(wav.sampleRate, 44100) << file;
    EXPECT_EQ(wav.bits, 16) << file;
    ASSERT_GE(wav.channels, 1) << file;
    ASSERT_FALSE(wav.samples.empty()) << file;
    int peak = 0;
    for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32000) << file << " reaches full scale";
    EXPECT_GT(peak, 8000) << file << " is nearly silent";
    // Fades: the first and last samples are close to silence.
    EXPECT_LT(std::abs(wav.samples.front()), 300) << file;
    EXPECT_LT(std::abs(wav.samples.back()), 300) << file;
  }
}

TEST(GeneratedSounds, ShotSoundIsShort) {
  Wav wav;
  ASSERT_TRUE(testing::ParseWav(ReadBytes(GeneratedFolder() / "Music/MyAttack.wav"), wav));
  const double seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.sampleRate;
  EXPECT_LT(seconds, 0.1);
  EXPECT_GT(seconds, 0.02);
}

TEST(GeneratedMusic, StartsWithAnMp3FrameHeader) {
  for (const char* name : {"Music/BackMusic.mp3", "Music/BossMusic.mp3"}) {
    const auto bytes = ReadBytes(GeneratedFolder() / name);
    ASSERT_GE(bytes.size(), 4u) << name;
    EXPECT_EQ(bytes[0], 0xFF) << name;
    EXPECT_EQ(bytes[1] & 0xE0, 0xE0) << name << ": no frame sync";
    EXPECT_EQ((bytes[1] >> 3) & 3, 3) << name << ": not MPEG-1";
    EXPECT_EQ((bytes[1] >> 1) & 3, 1) << name << ": not layer III";
    const int bitrateIndex = bytes[2] >> 4;
    EXPECT_GT(bitrateIndex, 0) << name;
    EXPECT_LT(bitrateIndex, 15) << name;
    EXPECT_EQ((bytes[2] >> 2) & 3, 0) << name << ": not 44.1 kHz";
  }
  // A minute of stage music and 40 seconds of boss music at 160 kbit/s.
  EXPECT_GT(std::filesystem::file_size(GeneratedFolder() / "Music/BackMusic.mp3"), 1'000'000u);
  EXPECT_GT(std::filesystem::file_size(GeneratedFolder() / "Music/BossMusic.mp3"), 700'000u);
}

TEST(GeneratedFiles, TwoRunsWriteTheSameBytes) {
  for (const std::string& name : OutputFiles()) {
    const auto a = ReadBytes(GeneratedFolder() / name);
    const auto b = ReadBytes(testing::SecondGeneratedFolder() / name);
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_TRUE(a == b) << name << " differs between two runs";
  }
}

}  // namespace
}  // namespace vormelda::datagen
