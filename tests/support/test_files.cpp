#include "support/test_files.hpp"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/platform.hpp"
#include "platform/surface.hpp"
#include "window/data_files.hpp"

namespace vormelda::testing {

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

std::string AsText(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

void SavePicture(const Surface& picture, const std::string& path) {
  if (!SavePng(picture, path)) throw std::runtime_error("cannot write " + path);
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

uint32_t FakeGameFolder::BackgroundPixel(int picture, int y) {
  return 0xFF000000u | static_cast<uint32_t>(picture) << 16 | static_cast<uint32_t>(y);
}

FakeGameFolder::FakeGameFolder() {
  std::filesystem::create_directory(*this / "Picture");
  std::filesystem::create_directory(*this / "Music");
  for (std::string_view name :
       {datafile::kCharacter, datafile::kBomb, datafile::kBombMask, datafile::kBossBlast}) {
    SavePicture(Surface(16, 16, kOpaqueWhite), *this / name);
  }
  for (int i = 1; i <= 5; ++i) {
    Surface back(kFieldWidth, kFieldHeight);
    for (int y = 0; y < back.Height(); ++y) {
      for (int x = 0; x < back.Width(); ++x) back.Set(x, y, BackgroundPixel(i, y));
    }
    SavePicture(back, *this / datafile::kBackground[static_cast<size_t>(i - 1)]);
  }
  for (std::string_view name :
       {datafile::kMyBlast, datafile::kPowerUp, datafile::kBom, datafile::kTama3,
        datafile::kEnemyBlast, datafile::kBossBlastSound, datafile::kMyAttack}) {
    Write(name, AsText(MakeWav(100)));
  }
  Write(datafile::kBackMusic, AsText(MakeMp3(20)));
  Write("HighScore.ini", "#score\r\n00000\r\n");
}

void FakeGameFolder::Write(std::string_view name, std::string_view content) const {
  WriteFile(*this / name, content);
}

void FakeGameFolder::Remove(std::string_view name) const {
  std::filesystem::remove(*this / name);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &old_);
  rlimit limit = old_;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
  oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &old_);
  std::signal(SIGXFSZ, oldHandler_);
}

}  // namespace vormelda::testing
