#include "scenes/ending.hpp"

#include <string>

#include "common/player_control.hpp"
#include "platform/files.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "render/sprites.hpp"
#include "render/status_line.hpp"
#include "scenes/game_over.hpp"
#include "scenes/high_score_file.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"
#include "window/launch.hpp"

namespace vormelda {

namespace {

void WriteCertificate(std::string_view name) {
  // A failure skips this file only; nothing half-written is left.
  ReplaceFileSafely(PlayerPath() + std::string(name), CertificateContent());
}

void DrawCredits() {
  BlackRect(kFieldRect);
  // The mod keeps the dividend's sign: the later pictures start below the field.
  DrawSprite(sprite::kCredits[0], {56, 700 - FrameCount % 700});
  DrawSprite(sprite::kCredits[1], {56, 700 - (FrameCount - 100) % 700});
  DrawOpaqueSprite(sprite::kCredits[2], {56, 700 - (FrameCount - 200) % 700},
                   sprite::kCredits[2].w);
  // The pictures vanish as they rise into the top band.
  BlackRect({0, 0, kFieldWidth, 250});
  DrawSpriteStretched(sprite::kTitleLogo, {30, 140, 360, 104});
  if (FramesPerSecond == 100) DrawSprite(sprite::kSuperSpeedBanner, {10, 40});
  DrawSprite(sprite::kScoreLabel, {0, 543});
  DrawScore(Player.Score);
}

}  // namespace

void WriteCertificates() {
  if (Player.Score >= 35450) WriteCertificate(kTopScoreCertificate);
  if (Player.Lives == 3 && Player.Bombs == 3) WriteCertificate(kNoMissCertificate);
}

void EndingScreen() {
  CurrentScene = "ending";
  WriteCertificates();
  // Saved now as well as on leaving, so that a window closed over the credits keeps the score.
  SaveHighScore();
  FrameCount = 100;
  frmMain.Tag.clear();
  frmMain.KeyPreview = true;
  do {
    PacedFrame(30, [] {
      DrawCredits();
      frmMain.RefreshField();
      ++FrameCount;
      PollJoystick();
    });
  } while (!LeaveRequested());
  StartButtonLatch = kTrue;
  frmMain.KeyPreview = false;
  SaveHighScore();
  ClearPlay();
  if (frmMain.mciBackMusic.Mode() != kModeNotOpen) frmMain.mciBackMusic.Command("Close");
}

}  // namespace vormelda
