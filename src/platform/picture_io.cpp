// Picture files in and out, through the image library. Formats are recognised by content.
#include <SDL_image.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "platform/files.hpp"
#include "platform/picture_size.hpp"
#include "platform/platform.hpp"
#include "platform/png_pixels.hpp"
#include "platform/sdl_internal.hpp"

namespace vormelda {

using sdl::SurfacePtr;

namespace {

constexpr size_t kPictureFileLimit = 64 * 1024 * 1024;

// Empty when the rule allows the size, else why not.
std::string CheckSize(int64_t width, int64_t height, const PictureRule& rule) {
  const bool fits = rule.exact
                        ? width == rule.width && height == rule.height
                        : width > 0 && height > 0 && width <= rule.width && height <= rule.height;
  if (fits) return {};
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  const std::string allowed = std::to_string(rule.width) + " x " + std::to_string(rule.height);
  return rule.exact ? "the picture is " + size + ", and it must be " + allowed
                    : "the picture is " + size + ", larger than " + allowed;
}

const uint8_t* SourceRow(const SDL_Surface* decoded, int y) {
  return static_cast<const uint8_t*>(decoded->pixels) + static_cast<size_t>(y) * decoded->pitch;
}

// Copies a decoded picture into the field's pixel format, opaque (pictures have no transparency),
// writing every pixel of `out` once: an 8-bit palette through a table, bytes of red, green and
// blue by hand, anything else by SDL.
bool ToOpaqueArgb(SDL_Surface* decoded, Surface& out) {
  const SDL_PixelFormat* format = decoded->format;
  const bool palette = format->palette != nullptr && format->BitsPerPixel == 8;
  SurfacePtr converted;
  if (format->palette != nullptr && !palette) {  // a palette of fewer bits: let SDL widen it
    converted.reset(SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0));
    if (!converted) return false;
    decoded = converted.get();
    format = decoded->format;
  }
  Surface picture = Surface::Unwritten(decoded->w, decoded->h);
  SDL_LockSurface(decoded);
  bool ok = true;
  if (palette) {
    uint32_t argb[256];
    std::fill(std::begin(argb), std::end(argb), kOpaqueBlack);
    for (int i = 0; i < format->palette->ncolors && i < 256; ++i) {
      const SDL_Color c = format->palette->colors[i];
      argb[i] = OpaquePixel(c.r, c.g, c.b);
    }
    for (int y = 0; y < decoded->h; ++y) {
      IndexRowToPixels(SourceRow(decoded, y), decoded->w, argb, picture.Row(y));
    }
  } else if (format->format == SDL_PIXELFORMAT_RGB24 || format->format == SDL_PIXELFORMAT_RGBA32) {
    // The decoder's usual output, which SDL's own converter takes several times as long for.
    for (int y = 0; y < decoded->h; ++y) {
      RgbRowToPixels(SourceRow(decoded, y), decoded->w, format->BytesPerPixel, picture.Row(y));
    }
  } else {
    ok = SDL_ConvertPixels(decoded->w, decoded->h, format->format, decoded->pixels, decoded->pitch,
                           SDL_PIXELFORMAT_ARGB8888, picture.Row(0), decoded->w * 4) == 0;
    if (ok && format->Amask != 0) {
      for (uint32_t& p : picture.Pixels()) p |= kOpaqueBlack;
    }
  }
  SDL_UnlockSurface(decoded);
  if (ok) out = std::move(picture);
  return ok;
}

}  // namespace

bool LoadPictureFile(const std::string& path, const PictureRule& rule, Surface& out,
                     std::string& error) {
  const FileContent file = ReadWholeFile(path, kPictureFileLimit);
  if (!file.ok) {
    error = file.error;
    return false;
  }
  if (const auto size = PictureHeaderSize(file.bytes)) {
    error = CheckSize(size->width, size->height, rule);
    if (!error.empty()) return false;
    if (ReadPlainPng(file.bytes, out)) return true;
  }
  // IMG_Load_RW looks at the content, not at the extension.
  SurfacePtr loaded(
      IMG_Load_RW(SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size())), 1));
  if (!loaded) {
    error = std::string("not a readable picture (") + IMG_GetError() + ")";
    return false;
  }
  error = CheckSize(loaded->w, loaded->h, rule);
  if (!error.empty()) return false;
  if (!ToOpaqueArgb(loaded.get(), out)) {
    error = std::string("cannot convert the picture (") + SDL_GetError() + ")";
    return false;
  }
  return true;
}

bool SavePng(const Surface& picture, const std::string& path) {
  if (picture.Empty()) return false;
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, picture.Width(), picture.Height(), 32,
                                              SDL_PIXELFORMAT_ARGB8888));
  if (!s) return false;
  SDL_LockSurface(s.get());
  for (int y = 0; y < picture.Height(); ++y) {
    std::memcpy(static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch,
                picture.Row(y), static_cast<size_t>(picture.Width()) * 4);
  }
  SDL_UnlockSurface(s.get());
  SurfacePtr rgb(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_RGB24, 0));
  if (!rgb) return false;
  return IMG_SavePNG(rgb.get(), path.c_str()) == 0;
}

}  // namespace vormelda
