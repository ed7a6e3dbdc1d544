#include "datagen.hpp"

#include <filesystem>
#include <functional>
#include <future>

#include "backgrounds.hpp"
#include "bomb.hpp"
#include "mp3_writer.hpp"
#include "music.hpp"
#include "png_writer.hpp"
#include "sheet.hpp"
#include "sound_effects.hpp"
#include "wav_writer.hpp"

namespace vormelda::datagen {

const std::vector<std::string>& OutputFiles() {
  static const std::vector<std::string> files = {
      "Picture/Character.pic", "Picture/bom.pic",      "Picture/bomm.pic",
      "Picture/BossBlast.pic", "Picture/1.pic",        "Picture/2.pic",
      "Picture/3.pic",         "Picture/4.pic",        "Picture/5.pic",
      "Music/MyBlast.wav",     "Music/PowerUp.wav",    "Music/Bom.wav",
      "Music/Tama3.wav",       "Music/EnemyBlast.wav", "Music/BossBlast.wav",
      "Music/MyAttack.wav",    "Music/BackMusic.mp3",  "Music/BossMusic.mp3",
  };
  return files;
}

void GenerateAll(const std::string& folder) {
  const std::filesystem::path root(folder);
  std::filesystem::create_directories(root / "Picture");
  std::filesystem::create_directories(root / "Music");
  auto at = [&root](const char* name) { return (root / name).string(); };

  // Four independent jobs; each file is written by exactly one of them, so the bytes do not
  // depend on how the jobs are scheduled.
  const std::vector<std::function<void()>> jobs = {
      [&] {
        WritePng(at("Picture/Character.pic"), BuildSpriteSheet());
        const ImageAndMask bomb = BuildBombSheets();
        WritePng(at("Picture/bom.pic"), bomb.image);
        WritePng(at("Picture/bomm.pic"), bomb.mask);
      },
      [&] {
        WritePng(at("Picture/BossBlast.pic"), BuildBossBlastSheet());
        for (int i = 1; i <= 5; ++i) {
          WritePng((root / ("Picture/" + std::to_string(i) + ".pic")).string(), BuildBackground(i));
        }
        WriteWav(at("Music/MyBlast.wav"), MakePlayerBlastSound());
        WriteWav(at("Music/PowerUp.wav"), MakePowerUpSound());
        WriteWav(at("Music/Bom.wav"), MakeBombSound());
        WriteWav(at("Music/Tama3.wav"), MakeLaunchSound());
        WriteWav(at("Music/EnemyBlast.wav"), MakeEnemyBlastSound());
        WriteWav(at("Music/BossBlast.wav"), MakeBossBlastSound());
        WriteWav(at("Music/MyAttack.wav"), MakeShotSound());
      },
      [&] { WriteMp3(at("Music/BackMusic.mp3"), RenderSong(StageSong(), 0.85)); },
      [&] { WriteMp3(at("Music/BossMusic.mp3"), RenderSong(BossSong(), 0.85)); },
  };
  std::vector<std::future<void>> running;
  for (const auto& job : jobs) running.push_back(std::async(std::launch::async, job));
  for (auto& f : running) f.get();  // rethrows the first failure
}

}  // namespace vormelda::datagen
