#include "datagen.hpp"

#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <stdexcept>

#include "backgrounds.hpp"
#include "bomb.hpp"
#include "mp3_writer.hpp"
#include "music.hpp"
#include "png_writer.hpp"
#include "sheet.hpp"
#include "sound_effects.hpp"
#include "sprites.hpp"
#include "wav_writer.hpp"
#include "window/data_files.hpp"

namespace vormelda::datagen {

const std::vector<std::string>& OutputFiles() {
  static const std::vector<std::string> files(datafile::kAll.begin(), datafile::kAll.end());
  return files;
}

void WriteIcons(const std::string& folder) {
  for (int size : kIconSizes) {
    const std::string side = std::to_string(size);
    const auto dir = std::filesystem::path(folder) / "hicolor" / (side + "x" + side) / "apps";
    std::filesystem::create_directories(dir);
    WritePngWithAlpha((dir / "vormelda.png").string(), MakeShipIcon(size));
  }
}

void WriteWindowsIcon(const std::string& file) {
  std::vector<std::vector<uint8_t>> images;
  for (int size : kWindowsIconSizes) images.push_back(PngWithAlpha(MakeShipIcon(size)));
  std::vector<uint8_t> ico;
  const auto put16 = [&ico](size_t v) {
    for (int i = 0; i < 2; ++i) ico.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const auto put32 = [&ico](size_t v) {
    for (int i = 0; i < 4; ++i) ico.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put16(0);  // reserved
  put16(1);  // an icon
  put16(images.size());
  size_t offset = 6 + 16 * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = kWindowsIconSizes[i];
    ico.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));  // 0 means 256
    ico.push_back(static_cast<uint8_t>(size >= 256 ? 0 : size));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    put16(1);   // planes
    put16(32);  // bits per pixel
    put32(images[i].size());
    put32(offset);
    offset += images[i].size();
  }
  for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file);
}

void GenerateAll(const std::string& folder) {
  const std::filesystem::path root(folder);
  std::filesystem::create_directories(root / "Picture");
  std::filesystem::create_directories(root / "Music");
  auto at = [&root](std::string_view name) { return (root / name).string(); };

  // Four independent jobs; each file is written by exactly one of them, so the bytes do not
  // depend on how the jobs are scheduled.
  const std::vector<std::function<void()>> jobs = {
      [&] {
        WritePng(at(datafile::kCharacter), BuildSpriteSheet());
        const ImageAndMask bomb = BuildBombSheets();
        WritePng(at(datafile::kBomb), bomb.image);
        WritePng(at(datafile::kBombMask), bomb.mask);
      },
      [&] {
        WritePng(at(datafile::kBossBlast), BuildBossBlastSheet());
        for (int i = 1; i <= 5; ++i) WritePng(at(datafile::kBackground[i - 1]), BuildBackground(i));
        WriteWav(at(datafile::kMyBlast), MakePlayerBlastSound());
        WriteWav(at(datafile::kPowerUp), MakePowerUpSound());
        WriteWav(at(datafile::kBom), MakeBombSound());
        WriteWav(at(datafile::kTama3), MakeLaunchSound());
        WriteWav(at(datafile::kEnemyBlast), MakeEnemyBlastSound());
        WriteWav(at(datafile::kBossBlastSound), MakeBossBlastSound());
        WriteWav(at(datafile::kMyAttack), MakeShotSound());
        WritePngWithAlpha(at(datafile::kIcon), MakeShipIcon(64));
      },
      [&] { WriteMp3(at(datafile::kBackMusic), RenderSong(StageSong(), 0.85)); },
      [&] { WriteMp3(at(datafile::kBossMusic), RenderSong(BossSong(), 0.85)); },
  };
  std::vector<std::future<void>> running;
  for (const auto& job : jobs) running.push_back(std::async(std::launch::async, job));
  for (auto& f : running) f.get();  // rethrows the first failure
}

}  // namespace vormelda::datagen
