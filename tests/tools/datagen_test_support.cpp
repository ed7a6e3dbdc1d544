#include "datagen_test_support.hpp"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "datagen.hpp"

namespace vormelda::datagen::testing {

namespace {

class GeneratedData {
 public:
  explicit GeneratedData(const char* tag) {
    folder_ = std::filesystem::temp_directory_path() /
              ("vormelda-datagen-" + std::string(tag) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    GenerateAll(folder_.string());
  }
  ~GeneratedData() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace

const std::filesystem::path& GeneratedFolder() {
  static const GeneratedData data("a");
  return data.Folder();
}

const std::filesystem::path& SecondGeneratedFolder() {
  static const GeneratedData data("b");
  return data.Folder();
}

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Picture ReadPicture(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.string().c_str()) == 0) {
    ADD_FAILURE() << path << ": not a PNG picture: " << image.message;
    return {};
  }
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u) << path << " has an alpha channel";
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr) == 0) {
    ADD_FAILURE() << path << ": cannot decode: " << image.message;
    png_image_free(&image);
    return {};
  }
  Picture p;
  p.width = static_cast<int>(image.width);
  p.height = static_cast<int>(image.height);
  p.rgb.resize(static_cast<std::size_t>(p.width) * p.height);
  for (std::size_t i = 0; i < p.rgb.size(); ++i) {
    p.rgb[i] = (static_cast<std::uint32_t>(buffer[i * 3]) << 16) |
               (static_cast<std::uint32_t>(buffer[i * 3 + 1]) << 8) | buffer[i * 3 + 2];
  }
  return p;
}

bool ParseWav(const std::vector<unsigned char>& b, Wav& out) {
  auto u16 = [&](std::size_t at) { return static_cast<int>(b[at] | (b[at + 1] << 8)); };
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
  };
  auto tag = [&](std::size_t at, const char* t) {
    return at + 4 <= b.size() && std::equal(t, t + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
  };
  if (b.size() < 12 || !tag(0, "RIFF") || !tag(8, "WAVE")) return false;
  if (u32(4) + 8 != b.size()) return false;
  bool haveFmt = false;
  std::size_t pos = 12;
  while (pos + 8 <= b.size()) {
    const std::uint32_t size = u32(pos + 4);
    const std::size_t body = pos + 8;
    if (body + size > b.size()) return false;
    if (tag(pos, "fmt ")) {
      out.format = u16(body);
      out.channels = u16(body + 2);
      out.sampleRate = static_cast<int>(u32(body + 4));
      out.bits = u16(body + 14);
      haveFmt = true;
    } else if (tag(pos, "data")) {
      if (!haveFmt || out.bits != 16) return false;
      out.samples.resize(size / 2);
      for (std::size_t i = 0; i < out.samples.size(); ++i) {
        out.samples[i] = static_cast<std::int16_t>(u16(body + 2 * i));
      }
      return true;
    }
    pos = body + size + (size & 1);
  }
  return false;
}

}  // namespace vormelda::datagen::testing
