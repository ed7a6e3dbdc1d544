#include "flow/startup.hpp"

#include <chrono>
#include <memory>

#include "boss/boss_driver.hpp"
#include "platform/files.hpp"
#include "platform/folders.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "scenes/ending.hpp"
#include "scenes/high_score_file.hpp"
#include "scenes/title_screen.hpp"
#include "stage/stage_driver.hpp"
#include "window/data_files.hpp"
#include "window/form_main.hpp"

namespace vormelda {

namespace {

// "Vormelda - Now Loading..." and the step: an ideographic space before 0/10 .. 9/10, an ordinary
// one before 10/10.
std::string LoadingCaption(int step) {
  std::string caption = std::string(kGameTitle) + " - Now Loading...";
  caption += step < 10 ? "\u3000" : " ";
  return caption + std::to_string(step) + "/10";
}

// No sheet needs more than this; a background is exactly the field's size.
constexpr PictureRule kSheet{4096, 4096, false};
constexpr PictureRule kBackground{kFieldWidth, kFieldHeight, true};

// Every picture of start-up, decoded on the machine's cores; taken in order.
std::unique_ptr<PictureLoads> StartPictureLoads() {
  std::vector<PictureLoads::Request> requests;
  for (std::string_view name :
       {datafile::kCharacter, datafile::kBomb, datafile::kBombMask, datafile::kBossBlast}) {
    requests.push_back({AppPath() + std::string(name), kSheet});
  }
  for (std::string_view name : datafile::kBackground) {
    requests.push_back({AppPath() + std::string(name), kBackground});
  }
  return std::make_unique<PictureLoads>(std::move(requests));
}

// Loads started before the back end was made, for LoadResources to take over.
std::unique_ptr<PictureLoads> gEarlyPictures;

// The next picture of the loads, in start-up's order, into its holder.
void LoadPicture(PictureLoads& loads, size_t& next, PictureBox& holder, std::string_view name) {
  std::string error;
  if (!loads.Take(next++, holder.Image, error)) {
    throw FatalError("Cannot load the picture \"" + AppPath() + std::string(name) + "\": " + error);
  }
}

void OpenEffect(MciControl& control, std::string_view name) {
  control.SetFileName(AppPath() + std::string(name), std::string(name));
  control.Command("Open");
}

uint32_t SystemTimerSeed() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

void StartLoadingPictures() {
  gEarlyPictures = StartPictureLoads();
}

void LoadResources() {
  frmMain.picMain.Image = Surface(kFieldWidth, kFieldHeight);
  frmMain.SetCaption(LoadingCaption(0));
  frmMain.SetFieldVisible(false);
  Host().ShowWindow();

  const std::unique_ptr<PictureLoads> loads =
      gEarlyPictures ? std::move(gEarlyPictures) : StartPictureLoads();
  PictureLoads& pictures = *loads;
  size_t next = 0;
  LoadPicture(pictures, next, frmMain.picCharacter, datafile::kCharacter);
  frmMain.SetCaption(LoadingCaption(1));
  LoadPicture(pictures, next, frmMain.PicBom[1], datafile::kBomb);
  frmMain.SetCaption(LoadingCaption(2));
  LoadPicture(pictures, next, frmMain.PicBom[2], datafile::kBombMask);
  frmMain.SetCaption(LoadingCaption(3));
  LoadPicture(pictures, next, frmMain.picBossBlast, datafile::kBossBlast);
  frmMain.SetCaption(LoadingCaption(4));
  for (int i = 1; i <= 5; ++i) {
    LoadPicture(pictures, next, frmMain.PicBack[i], datafile::kBackground[i - 1]);
  }
  frmMain.SetCaption(LoadingCaption(5));

  OpenEffect(frmMain.mciMyBlast, datafile::kMyBlast);
  frmMain.SetCaption(LoadingCaption(6));
  OpenEffect(frmMain.mciItem, datafile::kPowerUp);
  frmMain.SetCaption(LoadingCaption(7));
  OpenEffect(frmMain.mciBom, datafile::kBom);
  frmMain.SetCaption(LoadingCaption(8));
  OpenEffect(frmMain.mciTama3, datafile::kTama3);
  OpenEffect(frmMain.mciEnemyBlast, datafile::kEnemyBlast);
  frmMain.SetCaption(LoadingCaption(9));
  OpenEffect(frmMain.mciBossBlast, datafile::kBossBlastSound);
  frmMain.SetCaption(LoadingCaption(10));

  // Probe the first joystick; a failed capture is no error.
  if (joySetCapture(JOYSTICKID1, 1, false) == JOYERR_NOERROR) joyReleaseCapture(JOYSTICKID1);

  Game.Random.Seed(Launch.seed.value_or(SystemTimerSeed()));
}

namespace {

// A new game as the title screen prepares it, then what the stage does before its first frame,
// and the boss stage's frame count.
void StartAtBoss(uint8_t framesPerSecond) {
  PrepareNewGame();
  FramesPerSecond = framesPerSecond;
  BackSwitched = kFalse;
  ResetShotSlots();
  LoadShotSound();
  FrameCount = 8401;
}

}  // namespace

void SceneFlow() {
  std::optional<uint8_t> practice = Launch.bossPractice;
  // A new game starts by going round this loop again, so the call stack never grows.
  for (;;) {
    try {
      if (practice) {
        StartAtBoss(*practice);
        practice.reset();
      } else {
        TitleScreen();
        StageDriver();
      }
      BossDriver();
      EndingScreen();
    } catch (const RestartGame&) {
    }
  }
}

void PreparePlayerFolder() {
  RemoveStaleReplacements(PlayerPath(), kPlayerFiles);
  if (PlayerPath() != AppPath()) {
    CopyFileIfAbsent(AppPath() + std::string(kHighScoreFile),
                     PlayerPath() + std::string(kHighScoreFile));
  }
}

void Main() {
  PreparePlayerFolder();
  LoadResources();
  SceneFlow();
}

int RunProgram() {
  try {
    Main();
  } catch (const ProgramEnd&) {
    return 0;
  } catch (const FatalError& e) {
    Host().ReportFatalError(e.what(), kGameTitle);
    return 1;
  }
  return 0;
}

}  // namespace vormelda
