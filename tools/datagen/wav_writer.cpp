#include "wav_writer.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vormelda::datagen {

namespace {
void Put16(std::vector<char>& out, int v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::vector<char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutTag(std::vector<char>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}
}  // namespace

void WriteWav(const std::string& path, const Samples& mono) {
  const auto dataBytes = static_cast<std::uint32_t>(mono.size() * 2);
  std::vector<char> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * 2);  // bytes per second
  Put16(out, 2);                // block align
  Put16(out, 16);               // bits per sample
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float v : mono) {
    const long s = std::lround(std::clamp(static_cast<double>(v), -1.0, 1.0) * 32767.0);
    Put16(out, static_cast<int>(s));
  }
  std::ofstream file(path, std::ios::binary);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace vormelda::datagen
