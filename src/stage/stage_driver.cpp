#include "stage/stage_driver.hpp"

#include "common/helpers.hpp"
#include "common/player_control.hpp"
#include "platform/files.hpp"
#include "platform/keys.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "render/draw_stage.hpp"
#include "render/ship_sprites.hpp"
#include "render/status_line.hpp"
#include "scenes/game_over.hpp"
#include "script/stage_script.hpp"
#include "stage/enemy_fire.hpp"
#include "stage/item_pickup.hpp"
#include "stage/movement.hpp"
#include "stage/player_hit.hpp"
#include "stage/shot_hits.hpp"
#include "window/data_files.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"
#include "window/launch.hpp"

namespace vormelda {

namespace {

constexpr int32_t kStageEnd = 8401;

// Returns the last scroll offset, where the play phase's background goes on from.
int16_t Intro() {
  CurrentScene = "intro";
  float speed = 15;
  Flag slowing = kFalse;
  int16_t offset = 0;
  Flag late = kFalse;
  do {
    PacedFrame(FramesPerSecond, [&] {
      if (IsTrue(slowing) && speed > 1) {
        speed = static_cast<float>(static_cast<double>(speed) - 0.145);
      }
      offset = static_cast<int16_t>(offset + RoundHalfEven(speed));
      if (offset > kFieldHeight) offset = static_cast<int16_t>(offset - kFieldHeight);
      if (offset == 85) slowing = kTrue;
      if (IsTrue(slowing) && offset < 8) late = kTrue;
      const int lower = IsTrue(late) ? 2 : 1;
      const int upper = IsTrue(late) ? 3 : IsTrue(slowing) ? 2 : 1;
      DrawOpaque(frmMain.PicBack[lower], {0, offset});
      DrawOpaque(frmMain.PicBack[upper], {0, offset - kFieldHeight});
      DrawExhaustFlame(Player.X, Player.Y);
      DrawLevelShip(Player.X, Player.Y);
      DrawStartingStatusLine();
      frmMain.RefreshField();
      ++FrameCount;
    });
  } while (speed > 1);
  return offset;
}

}  // namespace

void StagePlayFrame() {
  ReadPlayerInput();
  MovePlayerShots();
  MoveEnemies();
  EnemyFire();
  ShotHits();
  CheckPlayerHit();
  CollectItems();
  StageScript();
  DrawStage();
  ResolveMiss();
}

void ResetShotSlots() {
  for (ShotSlot& s : CenterShots) s.DX = 0, s.DY = -10, s.Alive = kFalse;
  for (ShotSlot& s : LeftShots) s.DX = -4, s.DY = -14, s.Alive = kFalse;
  for (ShotSlot& s : RightShots) s.DX = 4, s.DY = -14, s.Alive = kFalse;
}

void LoadShotSound() {
  const std::string path = AppPath() + std::string(datafile::kMyAttack);
  // It is held in memory for the whole stage, like an effect.
  FileContent file = ReadWholeFile(path, kEffectFileLimit);
  if (file.ok && file.bytes.empty()) file = {false, {}, "the file is empty"};
  if (!file.ok) throw FatalError("Cannot read the sound \"" + path + "\": " + file.error);
  ShotSound = std::move(file.bytes);
}

void StageDriver() {
  BackSwitched = kFalse;
  if (frmMain.mciBackMusic.Mode() != kModeNotOpen) PlayEffect(frmMain.mciBackMusic);

  const int16_t offset = Intro();

  // Presses made during the intro must not count as pressed since the last query.
  for (int vk : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_X, VK_Z}) GetAsyncKeyState(vk);
  ResetShotSlots();
  FrameCount = offset;
  LoadShotSound();

  CurrentScene = "stage";
  do {
    PacedFrame(FramesPerSecond, [] {
      StagePlayFrame();
      KeepMusicLooping(frmMain.mciBackMusic);
      ++FrameCount;
    });
  } while (FrameCount != kStageEnd);

  EmptyLists();
  StopMusic(frmMain.mciBackMusic);
}

}  // namespace vormelda
