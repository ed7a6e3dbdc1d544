#include "support/fake_game_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/platform.hpp"
#include "shell/form_main.hpp"
#include "shell/game_state.hpp"
#include "shell/scene.hpp"
#include "shell/startup.hpp"

namespace vormelda::testing {

namespace {

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
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
  PutLe32(wav, 36 + dataBytes);
  PutTag(wav, "WAVE");
  PutTag(wav, "fmt ");
  PutLe32(wav, 16);
  PutLe16(wav, 1);     // PCM
  PutLe16(wav, 1);     // mono
  PutLe32(wav, 8000);  // samples per second
  PutLe32(wav, 8000);  // bytes per second
  PutLe16(wav, 1);     // block align
  PutLe16(wav, 8);     // bits per sample
  PutTag(wav, "data");
  PutLe32(wav, dataBytes);
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
  for (const char* name : {"Character", "bom", "bomm", "BossBlast"}) {
    SavePicture(Surface(16, 16, kOpaqueWhite), *this / ("Picture/" + std::string(name) + ".pic"));
  }
  for (int i = 1; i <= 5; ++i) {
    Surface back(8, 560);
    for (int y = 0; y < back.Height(); ++y) {
      for (int x = 0; x < back.Width(); ++x) back.Set(x, y, BackgroundPixel(i, y));
    }
    SavePicture(back, *this / ("Picture/" + std::to_string(i) + ".pic"));
  }
  for (const char* name :
       {"MyBlast", "PowerUp", "Bom", "Tama3", "EnemyBlast", "BossBlast", "MyAttack"}) {
    Write("Music/" + std::string(name) + ".wav", AsText(MakeWav(100)));
  }
  Write("Music/BackMusic.mp3", AsText(MakeMp3(20)));
  Write("HighScore.ini", "#score\r\n00000\r\n");
}

void FakeGameFolder::Write(std::string_view name, std::string_view content) const {
  WriteFile(*this / name, content);
}

void FakeGameFolder::Remove(std::string_view name) const {
  std::filesystem::remove(*this / name);
}

void HostTest::TearDown() {
  if (host_) frmMain.Reset();
  host_.reset();
  Game = {};
  Launch = {};
  CurrentScene = "loading";
  SetHost(nullptr);
}

HeadlessPlatform& HostTest::StartHost(HeadlessOptions options) {
  // The window is emptied out of sight of the new host's log; the old clips go with it.
  HeadlessPlatform quiet({});
  SetHost(&quiet);
  frmMain.Reset();
  host_ = std::make_unique<HeadlessPlatform>(std::move(options));
  SetHost(host_.get());
  Game = {};
  Launch = {};
  CurrentScene = "loading";
  return *host_;
}

}  // namespace vormelda::testing
