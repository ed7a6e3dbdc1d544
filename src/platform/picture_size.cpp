#include "platform/picture_size.hpp"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vormelda {

namespace {

using Bytes = std::vector<uint8_t>;

bool Has(const Bytes& b, size_t at, std::string_view text) {
  return b.size() >= at + text.size() && std::memcmp(b.data() + at, text.data(), text.size()) == 0;
}
int64_t Be(const Bytes& b, size_t at, int n) {
  int64_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}
int64_t Le(const Bytes& b, size_t at, int n) {
  int64_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

std::optional<PictureSize> Jpeg(const Bytes& b) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return std::nullopt;
    const uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {  // no length
      at += 2;
      continue;
    }
    const auto length = static_cast<size_t>(Be(b, at + 2, 2));
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > b.size()) return std::nullopt;
      return PictureSize{Be(b, at + 7, 2), Be(b, at + 5, 2)};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<PictureSize> Webp(const Bytes& b) {
  if (Has(b, 12, "VP8 ") && b.size() >= 30) {
    return PictureSize{Le(b, 26, 2) & 0x3FFF, Le(b, 28, 2) & 0x3FFF};
  }
  if (Has(b, 12, "VP8L") && b.size() >= 25) {
    const int64_t bits = Le(b, 21, 4);
    return PictureSize{(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
  }
  if (Has(b, 12, "VP8X") && b.size() >= 30) return PictureSize{Le(b, 24, 3) + 1, Le(b, 27, 3) + 1};
  return std::nullopt;
}

// P1..P7: the magic, then the width and the height as decimal words, with # comments between.
std::optional<PictureSize> Pnm(const Bytes& b) {
  if (b.size() < 3 || b[0] != 'P' || b[1] < '1' || b[1] > '7') return std::nullopt;
  int64_t values[2] = {0, 0};
  size_t at = 2;
  for (int64_t& value : values) {
    for (;;) {
      while (at < b.size() && std::isspace(b[at])) ++at;
      if (at < b.size() && b[at] == '#') {
        while (at < b.size() && b[at] != '\n') ++at;
        continue;
      }
      break;
    }
    if (at >= b.size() || !std::isdigit(b[at])) return std::nullopt;
    while (at < b.size() && std::isdigit(b[at]) && value < (int64_t{1} << 40)) {
      value = value * 10 + (b[at++] - '0');
    }
  }
  return PictureSize{values[0], values[1]};
}

}  // namespace

std::optional<PictureSize> PictureHeaderSize(const Bytes& b) {
  if (Has(b, 0, kPngSignature) && Has(b, 12, "IHDR") && b.size() >= 24) {
    return PictureSize{Be(b, 16, 4), Be(b, 20, 4)};
  }
  if ((Has(b, 0, "GIF87a") || Has(b, 0, "GIF89a")) && b.size() >= 10) {
    return PictureSize{Le(b, 6, 2), Le(b, 8, 2)};
  }
  if (Has(b, 0, "BM") && b.size() >= 26) {
    if (Le(b, 14, 4) == 12) return PictureSize{Le(b, 18, 2), Le(b, 20, 2)};
    const auto height = static_cast<int32_t>(Le(b, 22, 4));  // negative: stored top down
    return PictureSize{static_cast<int32_t>(Le(b, 18, 4)), std::llabs(height)};
  }
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xD8) return Jpeg(b);
  if (Has(b, 0, "RIFF") && Has(b, 8, "WEBP")) return Webp(b);
  if (Has(b, 0, "qoif") && b.size() >= 12) return PictureSize{Be(b, 4, 4), Be(b, 8, 4)};
  if (b.size() >= 12 && b[0] == 0x0A && b[2] == 1) {  // PCX, run-length encoded
    return PictureSize{Le(b, 8, 2) - Le(b, 4, 2) + 1, Le(b, 10, 2) - Le(b, 6, 2) + 1};
  }
  return Pnm(b);
}

}  // namespace vormelda
