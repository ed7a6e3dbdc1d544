#include "scenes/title_screen.hpp"

#include <string>

#include "common/player_control.hpp"
#include "platform/files.hpp"
#include "platform/keys.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "render/ship_sprites.hpp"
#include "render/sprites.hpp"
#include "render/status_line.hpp"
#include "scenes/high_score_file.hpp"
#include "window/data_files.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"
#include "window/launch.hpp"

namespace vormelda {

namespace {

// A fresh ship, three in all, no score; the bank is left as it is.
void NewGamePlayer() {
  FreshShip();
  Player.Lives = 3;
  Player.Score = 0;
  Player.OnScreen = kTrue;
}

void OpenStageMusic() {
  const std::string name(datafile::kBackMusic);
  if (!CanOpenRegularFile(AppPath() + name)) return;
  frmMain.mciBackMusic.SetFileName(AppPath() + name, name);
  frmMain.mciBackMusic.Command("Open");
}

void DrawTitleFrame(int offset) {
  DrawOpaque(frmMain.PicBack[1], {0, offset});
  DrawOpaque(frmMain.PicBack[1], {0, offset - kFieldHeight});
  DrawExhaustFlame(Player.X, Player.Y);
  DrawLevelShip(Player.X, Player.Y);
  DrawStartingStatusLine();
  // The high score twice the size: its caption, then a digit for each of its five characters.
  DrawSpriteStretched(sprite::kHighScoreCaption, {28, 140, 364, 58});
  for (int i = 0; i < 5; ++i) {
    const char c = HighScoreText[static_cast<size_t>(i)];
    const int d = c >= '0' && c <= '9' ? c - '0' : 0;  // blanks and NULs show as 0
    DrawSpriteStretched(sprite::kDigit[static_cast<size_t>(d)], {120 + 36 * i, 198, 36, 58});
  }
  DrawSprite(sprite::kTitleLine1, {118, 300});
  DrawSprite(sprite::kTitleLine2, {118, 320});
}

}  // namespace

void ReadHighScoreFile() {
  const std::string path = PlayerPath() + std::string(kHighScoreFile);
  for (;;) {
    // What is not a regular file that can be read (a folder or a pipe by that name) fails like a
    // missing file.
    const FileContent file = ReadFileStart(path, kHighScoreReadLimit);
    if (file.ok) {
      const std::string_view content(reinterpret_cast<const char*>(file.bytes.data()),
                                     file.bytes.size());
      HighScoreText = ReadHighScoreText(content, HighScoreText);
      return;
    }
    if (Host().MessageBoxRetryCancel("HighScore.ini が見付かりません。", kGameTitle) ==
        MessageBoxAnswer::Cancel) {
      return;
    }
  }
}

StartModes LookForCertificates() {
  StartModes modes;
  // Only a regular file that opens counts: a folder, a pipe or a device of that name does not.
  const std::string topScore = PlayerPath() + std::string(kTopScoreCertificate);
  if (CanOpenRegularFile(topScore)) modes.HighSpeedAllowed = true;
  if (CanOpenRegularFile(PlayerPath() + std::string(kNoMissCertificate))) {
    modes.HighSpeedAllowed = true;
    if (CanOpenRegularFile(topScore)) modes.SuperHighSpeedAllowed = true;
  }
  return modes;
}

StartModes PrepareNewGame() {
  FramesPerSecond = 60;
  ReadHighScoreFile();
  const StartModes modes = LookForCertificates();
  FrameCount = 0;
  GetAsyncKeyState(VK_RETURN);
  GetAsyncKeyState(VK_X);
  GetAsyncKeyState(VK_Z);
  NewGamePlayer();
  OpenStageMusic();
  frmMain.SetCaption(kGameTitle);
  frmMain.SetFieldVisible(true);
  return modes;
}

void TitleScreen() {
  CurrentScene = "title";
  const StartModes modes = PrepareNewGame();
  int16_t offset = 0;
  for (;;) {
    PacedFrame(
        60,
        [&] {
          offset = static_cast<int16_t>(offset + 15);
          if (offset > kFieldHeight) offset = static_cast<int16_t>(offset - kFieldHeight);
          DrawTitleFrame(offset);
          frmMain.RefreshField();
          ++FrameCount;
          PollJoystick();
          if ((JoyInfo.dwButtons & JOY_BUTTON3) == 0) StartButtonLatch = kFalse;
        },
        EventsAt::BeforeStart);

    // Every start key is asked in every frame, unlocked or not, so a press of a locked key is
    // used up and cannot start a game later.
    bool shotKey = GetAsyncKeyState(VK_X) != 0;
    if (modes.HighSpeedAllowed && (shotKey || (JoyInfo.dwButtons & JOY_BUTTON1) != 0)) {
      FramesPerSecond = 75;
      return;
    }
    bool bombKey = GetAsyncKeyState(VK_Z) != 0;
    if (modes.SuperHighSpeedAllowed && (bombKey || (JoyInfo.dwButtons & JOY_BUTTON2) != 0)) {
      FramesPerSecond = 100;
      return;
    }
    bool startKey = GetAsyncKeyState(VK_RETURN) != 0;
    if (startKey || ((JoyInfo.dwButtons & JOY_BUTTON3) != 0 && StartButtonLatch == kFalse)) {
      return;
    }
  }
}

}  // namespace vormelda
