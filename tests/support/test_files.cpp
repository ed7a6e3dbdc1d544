#include "support/test_files.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vormelda::testfiles {

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<uint8_t> MakeWav(int lengthMs) {
  const uint32_t dataBytes = static_cast<uint32_t>(lengthMs) * 8;
  std::vector<uint8_t> wav;
  wav.reserve(44 + dataBytes);  // also keeps GCC 12's false overflow warning away
  PutTag(wav, "RIFF");
  PutLe(wav, 36 + dataBytes, 4);
  PutTag(wav, "WAVE");
  PutTag(wav, "fmt ");
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);     // PCM
  PutLe(wav, 1, 2);     // mono
  PutLe(wav, 8000, 4);  // samples per second
  PutLe(wav, 8000, 4);  // bytes per second
  PutLe(wav, 1, 2);     // block align
  PutLe(wav, 8, 2);     // bits per sample
  PutTag(wav, "data");
  PutLe(wav, dataBytes, 4);
  wav.insert(wav.end(), dataBytes, 0x80);
  return wav;
}

std::vector<uint8_t> MakeMp3(int frames) {
  std::vector<uint8_t> mp3;
  for (int i = 0; i < frames; ++i) {
    const uint8_t header[4] = {0xFF, 0xFB, 0x90, 0x00};
    mp3.insert(mp3.end(), header, header + 4);
    mp3.insert(mp3.end(), 417 - 4, 0);
  }
  return mp3;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> FolderNames(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vormelda-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temp folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace vormelda::testfiles
