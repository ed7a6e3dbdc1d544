#include "scenes/ending.hpp"

#include <string>

#include "common/player_control.hpp"
#include "platform/winapi.hpp"
#include "scenes/game_over.hpp"
#include "scenes/high_score_file.hpp"
#include "shell/form_main.hpp"
#include "shell/frame.hpp"
#include "shell/game_state.hpp"
#include "shell/scene.hpp"
#include "shell/startup.hpp"

namespace vormelda {

namespace {

void WriteCertificate(std::string_view name) {
  std::string content;
  for (std::string_view line : kCertificateLines) {
    content += line;
    content += "\r\n";
  }
  // A failure skips this file only; nothing half-written is left.
  ReplaceFileSafely(AppPath() + std::string(name), content);
}

void BlackRect(int x, int y, int w, int h) {
  BitBlt(Field(), x, y, w, h, nullptr, 0, 0, BLACKNESS);
}

void DrawCredits() {
  Surface& field = Field();
  const Surface& sheet = frmMain.picCharacter.Image;
  BlackRect(0, 0, 420, 560);
  // The mod keeps the dividend's sign: the later pictures start below the field.
  DrawMasked(56, 700 - FrameCount % 700, 307, 61, 267, 517, 267, 456);
  DrawMasked(56, 700 - (FrameCount - 100) % 700, 185, 65, 0, 657, 0, 592);
  const int y3 = 700 - (FrameCount - 200) % 700;
  BlackRect(56, y3, 97, 67);
  BitBlt(field, 56, y3, 97, 67, sheet, 400, 752, SRCPAINT);
  BlackRect(0, 0, 420, 250);
  StretchBlt(field, 30, 140, 360, 104, sheet, 400, 390, 180, 52, SRCAND);
  StretchBlt(field, 30, 140, 360, 104, sheet, 400, 338, 180, 52, SRCPAINT);
  if (FramesPerSecond == 100) DrawMasked(10, 40, 400, 60, 0, 782, 0, 722);
  DrawMasked(0, 543, 149, 17, 452, 315, 452, 298);
  std::string score = std::to_string(Player.Score);
  if (score.size() < 5) score.insert(0, 5 - score.size(), '0');
  for (size_t i = 1; i <= score.size(); ++i) {
    const char c = score[i - 1];
    const int d = c >= '1' && c <= '9' ? c - '0' : 0;
    DrawMasked(302 + 18 * static_cast<int>(i), 530, 18, 29, 86 + 18 * d, 269, 86 + 18 * d, 240);
  }
}

}  // namespace

void WriteCertificates() {
  if (Player.Score >= 35450) WriteCertificate(kTopScoreCertificate);
  if (Player.Lives == 3 && Player.Bombs == 3) WriteCertificate(kNoMissCertificate);
}

void EndingScreen() {
  CurrentScene = "ending";
  WriteCertificates();
  FrameCount = 100;
  frmMain.Tag.clear();
  frmMain.KeyPreview = true;
  for (;;) {
    uint32_t t0 = timeGetTime();
    DoEvents();
    DrawCredits();
    frmMain.RefreshField();
    ++FrameCount;
    PollJoystick();
    FrameWait(t0, 30);
    if (frmMain.Tag == kTagLeave || (JoyInfo.dwButtons & JOY_BUTTON3) != 0) break;
  }
  StartButtonLatch = kTrue;
  frmMain.KeyPreview = false;
  SaveHighScore();
  Enemies.Erase();
  EnemyShots.Erase();
  Blasts.Erase();
  BombTimer = 0;
  PowerItem.Alive = kFalse;
  if (frmMain.mciBackMusic.Mode() != kModeNotOpen) frmMain.mciBackMusic.Command("Close");
}

}  // namespace vormelda
