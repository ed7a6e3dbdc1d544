#include "scenes/game_over.hpp"

#include <string>

#include "common/helpers.hpp"
#include "common/player_control.hpp"
#include "platform/files.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "render/sprites.hpp"
#include "scenes/high_score_file.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"
#include "window/launch.hpp"

namespace vormelda {

namespace {

void Respawn() {
  FreshShip();
  --Player.Lives;
  for (ShotSlot& s : CenterShots) {
    s.DX = 0;
    s.DY = -10;
  }
  for (ShotSlot& s : LeftShots) s.Alive = kFalse;
  for (ShotSlot& s : RightShots) s.Alive = kFalse;
}

// The game over picture over the last frame, until Enter is released or button 3 is down. The
// loop is paced at 60 frames a second so that it does not keep a core busy.
void ShowGameOver() {
  CurrentScene = "gameover";
  frmMain.Tag.clear();
  frmMain.KeyPreview = true;
  // Saved now as well as on leaving, so that a window closed over this screen keeps the score.
  SaveHighScore();
  do {
    PacedFrame(60, [] {
      DrawSprite(sprite::kGameOver, {76, 216});
      frmMain.RefreshField();
      PollJoystick();
    });
  } while (!LeaveRequested());
  StartButtonLatch = kTrue;
  frmMain.KeyPreview = false;
}

}  // namespace

bool LeaveRequested() {
  return frmMain.Tag == kTagLeave || (JoyInfo.dwButtons & JOY_BUTTON3) != 0;
}

void ClearPlay() {
  EmptyLists();
  BombTimer = 0;
  PowerItem.Alive = kFalse;
}

void SaveHighScore() {
  const auto stored = NumericValue(HighScoreText);
  if (!stored || *stored < Player.Score) HighScoreText = FormatHighScore(Player.Score);
  // Another game on the same folder may have saved a higher score since this one read the file:
  // the higher of the two is written. A game alone finds its own score there.
  const std::string path = PlayerPath() + std::string(kHighScoreFile);
  std::array<char, 5> text = HighScoreText;
  if (const auto onDisk = StoredHighScore(path)) {
    const auto disk = NumericValue(*onDisk), mine = NumericValue(text);
    if (disk && mine && *disk > *mine) text = *onDisk;
  }
  ReplaceFileSafely(path, HighScoreFileContent(text));
}

void ResolveMiss() {
  if (MissCountdown != 1) return;
  Respawn();
  if (Player.Lives != 0) return;
  ShowGameOver();
  SaveHighScore();
  ClearPlay();
  StopMusic(frmMain.mciBackMusic);
  throw RestartGame{};
}

}  // namespace vormelda
