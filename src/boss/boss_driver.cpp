#include "boss/boss_driver.hpp"

#include "boss/boss_attack.hpp"
#include "boss/boss_damage.hpp"
#include "boss/boss_hit.hpp"
#include "common/player_control.hpp"
#include "platform/geometry.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "render/draw_boss_stage.hpp"
#include "scenes/game_over.hpp"
#include "stage/item_pickup.hpp"
#include "stage/movement.hpp"
#include "window/data_files.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"
#include "window/launch.hpp"

namespace vormelda {

void BossPlayFrame() {
  ReadPlayerInput();
  MovePlayerShots();
  MoveBoss();
  BossAttack();
  CheckPlayerHitBoss();
  BossDamage();
  CollectItems();
  DrawBossStage();
  ResolveMiss();
  CheckBossDefeat();
}

namespace {

// The ship leaves by the top; it can neither steer nor fire.
void FlyOut() {
  CurrentScene = "flyout";
  do {
    PacedFrame(FramesPerSecond, [] {
      Player.Y -= 4;
      if (Player.Y < -60) Player.OnScreen = kFalse;
      MovePlayerShots();
      DrawBossStage();
      LevelBank();
      ++FrameCount;
    });
  } while (Player.OnScreen != kFalse);
}

}  // namespace

void ResetBoss() {
  BossDX = 0.5f;
  BossDY = 0.5f;
  BossBackSwitched1 = kFalse;
  BossBackSwitched2 = kFalse;
  BossStageOver = kFalse;
  BossRage = kFalse;
  BossHP = 3000;
  BossX = 60;
  BossY = -170;
  BossAlive = kTrue;
}

void MoveBoss() {
  // The boss keeps swaying while it dies.
  if (BossY < 25) {
    BossY += BossDY;
  } else {
    BossX += BossDX;
  }
  if (BossX < 0) {
    BossX = 0;
    BossDX = -BossDX;
  } else if (BossX > 120) {
    BossX = 120;
    BossDX = -BossDX;
  }
  if (IsTrue(PowerItem.Alive)) {
    PowerItem.X += PowerItem.DX;
    PowerItem.Y += PowerItem.DY;
  }
  if (PowerItem.Y > kFieldHeight) PowerItem.Alive = kFalse;
}

void BossDriver() {
  ResetBoss();
  // FrameCount goes on from the main stage: the boss's schedule keys on it.
  const std::string music(datafile::kBossMusic);
  frmMain.mciBackMusic.SetFileName(AppPath() + music, music);
  frmMain.mciBackMusic.Command("Open");
  if (frmMain.mciBackMusic.Mode() != kModeNotOpen) PlayEffect(frmMain.mciBackMusic);

  CurrentScene = "boss";
  do {
    PacedFrame(FramesPerSecond, [] {
      BossPlayFrame();
      KeepMusicLooping(frmMain.mciBackMusic);
      ++FrameCount;
    });
  } while (BossStageOver != kTrue);

  EnemyShots.Erase();
  Blasts.Erase();
  if (frmMain.mciBackMusic.Mode() != kModeNotOpen) frmMain.mciBackMusic.Command("Stop");
  FlyOut();
  frmMain.mciBossBlast.Command("Stop");
}

}  // namespace vormelda
