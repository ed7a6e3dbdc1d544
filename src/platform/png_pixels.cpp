#include "platform/png_pixels.hpp"

#include "platform/picture_size.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

// Only the inflater of Debian's stb_image is used here, compiled into this file alone.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#include <stb/stb_image.h>

namespace vormelda {

namespace {

constexpr int kPalette = 3;
constexpr int kRgb = 2;
// The largest side this reader takes: a sheet is at most 4096.
constexpr int64_t kLargestSide = 8192;

uint32_t Be32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

struct Header {
  int64_t width = 0;
  int64_t height = 0;
  int depth = 0;
  int colorType = 0;
};

// What the chunks say, when they say it in the only way this reader takes.
struct Chunks {
  Header header;
  std::array<uint32_t, 256> colors{};  // indices the palette lacks are black
  bool palette = false;
  std::vector<uint8_t> data;  // the IDAT chunks, joined
};

bool ReadHeader(const uint8_t* d, uint32_t length, Header& h) {
  if (length != 13) return false;
  h = {Be32(d), Be32(d + 4), d[8], d[9]};
  const bool kind =
      (h.colorType == kPalette && (h.depth == 1 || h.depth == 2 || h.depth == 4 || h.depth == 8)) ||
      (h.colorType == kRgb && h.depth == 8);
  // Compression, filter method 0; not interlaced.
  return kind && d[10] == 0 && d[11] == 0 && d[12] == 0 && h.width > 0 && h.height > 0 &&
         h.width <= kLargestSide && h.height <= kLargestSide;
}

bool ReadChunks(const std::vector<uint8_t>& file, Chunks& c) {
  const size_t signature = kPngSignature.size();
  if (file.size() < signature || std::memcmp(file.data(), kPngSignature.data(), signature) != 0) {
    return false;
  }
  size_t at = signature;
  bool first = true;
  c.colors.fill(kOpaqueBlack);
  while (file.size() - at >= 12) {
    const uint8_t* chunk = file.data() + at;
    const uint32_t length = Be32(chunk);
    if (length > file.size() - at - 12) return false;
    const uint8_t* d = chunk + 8;
    const std::string_view type(reinterpret_cast<const char*>(chunk + 4), 4);
    if (first != (type == "IHDR")) return false;
    first = false;
    if (type == "IHDR") {
      if (!ReadHeader(d, length, c.header)) return false;
    } else if (type == "PLTE") {
      if (length % 3 != 0 || length > 768 || !c.data.empty()) return false;
      for (uint32_t i = 0; i < length / 3; ++i) {
        c.colors[i] = OpaquePixel(d[3 * i], d[3 * i + 1], d[3 * i + 2]);
      }
      c.palette = true;
    } else if (type == "IDAT") {
      if (c.header.colorType == kPalette && !c.palette) return false;
      c.data.insert(c.data.end(), d, d + length);
    } else if (type == "IEND") {
      return !c.data.empty();
    } else if ((chunk[4] & 0x20) == 0) {
      return false;  // a chunk the picture cannot be read without
    }
    at += size_t{length} + 12;
  }
  return false;
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes a row's filter in place, against the row above (zeros above the first).
[[gnu::noinline]] bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* above, size_t bytes,
                                size_t step) {
  switch (filter) {
    case 0:
      return true;
    case 1:
      for (size_t i = step; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - step]);
      return true;
    case 2:
      for (size_t i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + above[i]);
      return true;
    case 3:
      for (size_t i = 0; i < bytes; ++i) {
        const int left = i >= step ? row[i - step] : 0;
        row[i] = static_cast<uint8_t>(row[i] + ((left + above[i]) >> 1));
      }
      return true;
    case 4:
      for (size_t i = 0; i < bytes; ++i) {
        const int left = i >= step ? row[i - step] : 0;
        const int corner = i >= step ? above[i - step] : 0;
        row[i] = static_cast<uint8_t>(row[i] + Paeth(left, above[i], corner));
      }
      return true;
    default:
      return false;
  }
}

// A row of indices packed from each byte's high bits, `Depth` bits each.
template <int Depth>
void PackedIndices(const std::array<uint32_t, 256>& colors, const uint8_t* row, uint32_t* out,
                   int width) {
  constexpr int kPerByte = 8 / Depth;
  constexpr unsigned kMask = (1u << Depth) - 1;
  for (int x = 0; x < width; x += kPerByte, ++row) {
    unsigned bits = *row;
    const int n = std::min(kPerByte, width - x);
    for (int k = 0; k < n; ++k) {
      bits <<= Depth;
      out[x + k] = colors[(bits >> 8) & kMask];
    }
  }
}

// A row's pixels. Kept out of line, as is Unfilter, so that the browser, which optimises a
// function only for its later calls, runs a large picture's later rows optimised.
[[gnu::noinline]] void ToPixels(const Chunks& c, const uint8_t* row, uint32_t* out, int width) {
  if (c.header.colorType == kRgb) return RgbRowToPixels(row, width, 3, out);
  switch (c.header.depth) {
    case 1:
      return PackedIndices<1>(c.colors, row, out, width);
    case 2:
      return PackedIndices<2>(c.colors, row, out, width);
    case 4:
      return PackedIndices<4>(c.colors, row, out, width);
    default:
      return IndexRowToPixels(row, width, c.colors.data(), out);
  }
}

}  // namespace

bool ReadPlainPng(const std::vector<uint8_t>& file, Surface& out) {
  Chunks c;
  if (!ReadChunks(file, c)) return false;
  const Header& h = c.header;
  const size_t channels = h.colorType == kRgb ? 3 : 1;
  const size_t rowBytes = (static_cast<size_t>(h.width) * channels * h.depth + 7) / 8;
  const size_t step = std::max<size_t>(1, channels * h.depth / 8);  // a pixel's bytes, at least 1
  const size_t rawBytes = (rowBytes + 1) * static_cast<size_t>(h.height);
  if (rawBytes > INT_MAX || c.data.size() > INT_MAX) return false;
  const std::unique_ptr<uint8_t[]> raw(new uint8_t[rawBytes]);
  // The inflated rows must fill the buffer exactly.
  if (stbi_zlib_decode_buffer(reinterpret_cast<char*>(raw.get()), static_cast<int>(rawBytes),
                              reinterpret_cast<const char*>(c.data.data()),
                              static_cast<int>(c.data.size())) != static_cast<int>(rawBytes)) {
    return false;
  }
  const std::vector<uint8_t> zeros(rowBytes, 0);
  Surface picture = Surface::Unwritten(static_cast<int>(h.width), static_cast<int>(h.height));
  const uint8_t* above = zeros.data();
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* row = raw.get() + static_cast<size_t>(y) * (rowBytes + 1);
    if (!Unfilter(row[0], row + 1, above, rowBytes, step)) return false;
    ToPixels(c, row + 1, picture.Row(y), picture.Width());
    above = row + 1;
  }
  out = std::move(picture);
  return true;
}

}  // namespace vormelda
