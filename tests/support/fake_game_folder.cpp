#include "support/fake_game_folder.hpp"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/platform.hpp"
#include "shell/data_files.hpp"
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
  for (std::string_view name :
       {datafile::kCharacter, datafile::kBomb, datafile::kBombMask, datafile::kBossBlast}) {
    SavePicture(Surface(16, 16, kOpaqueWhite), *this / name);
  }
  for (int i = 1; i <= 5; ++i) {
    Surface back(8, kFieldHeight);
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
