#include "platform/sound_length.hpp"

#include <algorithm>
#include <cstring>

namespace vormelda {

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

std::optional<double> WavLengthMs(const std::vector<uint8_t>& b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
      std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  uint32_t byteRate = 0;
  // 64 bits: a chunk's size may be anything, and a 32-bit position would wrap round.
  uint64_t pos = 12;
  while (pos + 8 <= b.size()) {
    const uint8_t* chunk = b.data() + pos;
    const uint32_t size = Le32(chunk + 4);
    const uint64_t avail = b.size() - (pos + 8);  // the body may be cut short, even to nothing
    if (std::memcmp(chunk, "fmt ", 4) == 0 && avail >= 16) {
      byteRate = Le32(chunk + 8 + 8);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (byteRate == 0) return std::nullopt;
      const uint64_t dataBytes = std::min<uint64_t>(size, avail);  // a cut file plays what it has
      return 1000.0 * static_cast<double>(dataBytes) / byteRate;
    }
    pos += 8 + uint64_t{size} + (size & 1);
  }
  return std::nullopt;
}

std::optional<double> Mp3LengthMs(const std::vector<uint8_t>& b) {
  static const int kBitrates[2][16] = {
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},  // MPEG-1 layer III
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};     // MPEG-2/2.5
  static const int kRates[3][3] = {
      {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  size_t pos = 0;
  if (b.size() >= 10 && std::memcmp(b.data(), "ID3", 3) == 0) {
    pos = 10 + (size_t(b[6] & 0x7F) << 21 | size_t(b[7] & 0x7F) << 14 | size_t(b[8] & 0x7F) << 7 |
                size_t(b[9] & 0x7F));
  }
  double ms = 0;
  int frames = 0;
  while (pos + 4 <= b.size()) {
    const uint8_t* h = &b[pos];
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) {
      ++pos;  // resynchronise
      continue;
    }
    int version = (h[1] >> 3) & 3;  // 3 = MPEG-1, 2 = MPEG-2, 0 = MPEG-2.5
    int layer = (h[1] >> 1) & 3;    // 1 = layer III
    int bitrateIndex = h[2] >> 4;
    int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
      ++pos;
      continue;
    }
    bool mpeg1 = version == 3;
    int rate = kRates[mpeg1 ? 0 : version == 2 ? 1 : 2][rateIndex];
    int bitrate = kBitrates[mpeg1 ? 0 : 1][bitrateIndex] * 1000;
    int samples = mpeg1 ? 1152 : 576;
    size_t frameBytes = static_cast<size_t>(samples / 8 * bitrate / rate + ((h[2] >> 1) & 1));
    ms += 1000.0 * samples / rate;
    ++frames;
    pos += frameBytes;
  }
  if (frames == 0) return std::nullopt;
  return ms;
}

std::optional<double> SoundLengthMs(const std::vector<uint8_t>& file) {
  if (auto wav = WavLengthMs(file)) return wav;
  return Mp3LengthMs(file);
}

}  // namespace vormelda
