#include "png_writer.hpp"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vormelda::datagen {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

void WritePng(const std::string& path, const Image& image) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::runtime_error("png_create_write_struct failed");
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("png_create_info_struct failed");
  }
  const int w = image.Width();
  std::vector<png_byte> row(static_cast<std::size_t>(w) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(image.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < w; ++x) {
      const Color c = image.At(x, y);
      row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<png_byte>(Red(c));
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(Green(c));
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(Blue(c));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace vormelda::datagen
