// A picture's size read from its file's header, before any pixel is decoded, for the formats a
// replaced picture is likely to come in: PNG, JPEG, GIF, BMP, WebP, QOI, PCX and the PNM family.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vormelda {

struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The eight bytes every PNG file starts with.
inline constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

// Empty when the format is none of those, or the header is cut short.
std::optional<PictureSize> PictureHeaderSize(const std::vector<uint8_t>& file);

}  // namespace vormelda
