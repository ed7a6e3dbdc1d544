#include "support/fake_game_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/platform.hpp"
#include "shell/form_main.hpp"
#include "shell/game_state.hpp"
#include "shell/scene.hpp"
#include "shell/startup.hpp"

namespace vormelda::testing {

namespace {

std::string AsText(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

void SavePicture(const Surface& picture, const std::string& path) {
  if (!SavePng(picture, path)) throw std::runtime_error("cannot write " + path);
}

}  // namespace

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
