// Shared pieces of the data generator tests: the generated folders, and readers for the
// picture and sound files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vormelda::datagen::testing {

// A folder the generator has written into; made once per test run, removed at its end.
const std::filesystem::path& GeneratedFolder();
// A second, independent run into another folder (for the same-bytes test).
const std::filesystem::path& SecondGeneratedFolder();

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0xRRGGBB, row by row
  std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};
// Reads a PNG (whatever the .pic name says); fails the test and returns an empty picture on error.
Picture ReadPicture(const std::filesystem::path& path);

struct Wav {
  int format = 0;  // 1: PCM
  int channels = 0;
  int sampleRate = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
};
// Parses a RIFF WAVE file; returns false if it is not one.
bool ParseWav(const std::vector<unsigned char>& bytes, Wav& out);

}  // namespace vormelda::datagen::testing
