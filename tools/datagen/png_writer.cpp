#include "png_writer.hpp"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace vormelda::datagen {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

namespace {

// A picture as PNG rows: full colour, or palette indices of as few bits as its colours need.
struct PngRows {
  int width = 0;
  int height = 0;
  int bits = 8;
  int colorType = PNG_COLOR_TYPE_RGB;
  bool palette = false;
  std::vector<png_color> colors;
  std::vector<std::vector<png_byte>> rows;
};

// The picture's colours in the order they first appear, when there are no more than 256.
std::optional<std::vector<Color>> Palette(const Image& image) {
  std::vector<Color> colors;
  std::unordered_map<Color, int> seen;
  for (const Color c : image.Pixels()) {
    if (seen.count(c) != 0) continue;
    if (colors.size() == 256) return std::nullopt;
    seen.emplace(c, static_cast<int>(colors.size()));
    colors.push_back(c);
  }
  return colors;
}

PngRows Encode(const Image& image) {
  PngRows out;
  out.width = image.Width();
  out.height = image.Height();
  const auto palette = Palette(image);
  std::unordered_map<Color, int> index;
  if (palette) {
    out.palette = true;
    out.colorType = PNG_COLOR_TYPE_PALETTE;
    out.bits = 1;
    while ((size_t{1} << out.bits) < palette->size()) out.bits *= 2;
    for (const Color c : *palette) {
      index.emplace(c, static_cast<int>(out.colors.size()));
      out.colors.push_back({static_cast<png_byte>(Red(c)), static_cast<png_byte>(Green(c)),
                            static_cast<png_byte>(Blue(c))});
    }
  }
  const auto w = static_cast<std::size_t>(out.width);
  for (int y = 0; y < out.height; ++y) {
    std::vector<png_byte> row(out.palette ? (w * out.bits + 7) / 8 : w * 3, 0);
    for (std::size_t x = 0; x < w; ++x) {
      const Color c = image.At(static_cast<int>(x), y);
      if (out.palette) {
        // Indices packed from the high bits of each byte.
        const std::size_t bit = x * out.bits;
        row[bit / 8] |= static_cast<png_byte>(index.at(c) << (8 - out.bits - bit % 8));
      } else {
        row[x * 3 + 0] = static_cast<png_byte>(Red(c));
        row[x * 3 + 1] = static_cast<png_byte>(Green(c));
        row[x * 3 + 2] = static_cast<png_byte>(Blue(c));
      }
    }
    out.rows.push_back(std::move(row));
  }
  return out;
}

// libpng reports errors by longjmp: nothing here lives across it but the structs themselves.
bool Write(std::FILE* file, const PngRows& p) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height),
               p.bits, p.colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (p.palette) {
    png_set_PLTE(png, info, p.colors.data(), static_cast<int>(p.colors.size()));
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  }
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (const auto& row : p.rows) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

PngRows RowsWithAlpha(const Canvas& canvas) {
  PngRows rows;
  rows.width = canvas.Width();
  rows.height = canvas.Height();
  rows.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (int y = 0; y < rows.height; ++y) {
    std::vector<png_byte> row;
    for (int x = 0; x < rows.width; ++x) {
      const Color c = canvas.At(x, y);
      const bool solid = canvas.Solid(x, y);
      row.insert(
          row.end(),
          {static_cast<png_byte>(solid ? Red(c) : 0), static_cast<png_byte>(solid ? Green(c) : 0),
           static_cast<png_byte>(solid ? Blue(c) : 0), static_cast<png_byte>(solid ? 255 : 0)});
    }
    rows.rows.push_back(std::move(row));
  }
  return rows;
}

void WritePngWithAlpha(const std::string& path, const Canvas& canvas) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file || !Write(file.get(), RowsWithAlpha(canvas)) || std::fflush(file.get()) != 0) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::vector<uint8_t> PngWithAlpha(const Canvas& canvas) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* stream = open_memstream(&buffer, &size);
  if (stream == nullptr) throw std::runtime_error("cannot encode a PNG in memory");
  const bool ok = Write(stream, RowsWithAlpha(canvas));
  std::fclose(stream);  // sets buffer and size
  std::vector<uint8_t> bytes(buffer, buffer + (ok ? size : 0));
  std::free(buffer);
  if (!ok) throw std::runtime_error("cannot encode a PNG in memory");
  return bytes;
}

// A picture of few colours (the bomb's, the explosion's, every mask) is written as a palette of
// as few bits as it needs, which decodes several times faster than full colour.
void WritePng(const std::string& path, const Image& image) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot create " + path);
  if (!Write(file.get(), Encode(image)) || std::fflush(file.get()) != 0) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace vormelda::datagen
