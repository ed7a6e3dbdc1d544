#include "common/player_control.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

class PlayerControl : public GameTest {
 protected:
  void SetUp() override { NewShip(200, 300); }
  // One stage frame as far as the ship is concerned: the yield, then the input step.
  void Frame() {
    Yield();
    ReadPlayerInput();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  static int LiveCentre() {
    int live = 0;
    for (const ShotSlot& s : CenterShots) live += IsTrue(s.Alive) ? 1 : 0;
    return live;
  }
  static void SetCooldowns(int16_t v) {
    Player.CenterCooldown1 = Player.CenterCooldown2 = v;
    Player.LeftCooldown = Player.RightCooldown = v;
  }
};

struct Step {
  std::string input;
  int dx, dy, bank;
};

TEST_F(PlayerControl, EightDirectionsFromTheKeyboardWithUpOverDownAndLeftOverRight) {
  const std::vector<Step> steps = {
      {"", 0, 0, 0},          {"Up", 0, -4, 0},          {"Down", 0, 4, 0},
      {"Left", -4, 0, -1},    {"Right", 4, 0, 1},        {"Up Left", -3, -3, -1},
      {"Up Right", 3, -3, 1}, {"Down Left", -3, 3, -1},  {"Down Right", 3, 3, 1},
      {"Up Down", 0, -4, 0},  {"Left Right", -4, 0, -1}, {"Up Down Left Right", -3, -3, -1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.input);
    UseInput("1 " + s.input);
    NewShip(200, 300);
    Player.Bank = 0;
    Frame();
    EXPECT_EQ(Player.X - 200, s.dx);
    EXPECT_EQ(Player.Y - 300, s.dy);
    EXPECT_EQ(Player.Bank, s.bank);
  }
}

TEST_F(PlayerControl, JoystickSteersBeyond10000FromTheCentreAndAddsToTheKeys) {
  const std::vector<Step> steps = {
      {"JX=22766", -4, 0, -1},      {"JX=22767", 0, 0, 0},   {"JX=42768", 4, 0, 1},
      {"JX=42767", 0, 0, 0},        {"JY=22766", 0, -4, 0},  {"JY=22767", 0, 0, 0},
      {"JY=42768", 0, 4, 0},        {"JY=42767", 0, 0, 0},   {"JX=0 JY=65535", -3, 3, -1},
      {"Left JX=65535", -4, 0, -1}, {"Down JY=0", 0, -4, 0},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.input);
    UseInput("1 " + s.input);
    NewShip(200, 300);
    Player.Bank = 0;
    Frame();
    EXPECT_EQ(Player.X - 200, s.dx);
    EXPECT_EQ(Player.Y - 300, s.dy);
    EXPECT_EQ(Player.Bank, s.bank);
  }
}

TEST_F(PlayerControl, BankTiltsOneAFrameUpToThirteenAndLevelsOutWhenReleased) {
  UseInput("1 Left\n21 Up\n");
  Frames(12);
  EXPECT_EQ(Player.Bank, -12);
  Frames(8);
  EXPECT_EQ(Player.Bank, -13);
  // Steering straight up levels the ship as no input does.
  Frames(12);
  EXPECT_EQ(Player.Bank, -1);
  Frame();
  EXPECT_EQ(Player.Bank, 0);
  Frame();
  EXPECT_EQ(Player.Bank, 0);

  UseInput("1 Right\n");
  Frames(20);
  EXPECT_EQ(Player.Bank, 13);
  Player.Bank = 5;
  UseInput("1\n");
  Frame();
  EXPECT_EQ(Player.Bank, 4);
}

TEST_F(PlayerControl, ShipStopsAtTheFieldLimitsWithTheKeysStillHeld) {
  UseInput("1 Right Down\n");
  NewShip(373, 478);
  Frame();
  EXPECT_EQ(Player.X, 375);
  EXPECT_EQ(Player.Y, 480);
  Frames(3);
  EXPECT_EQ(Player.X, 375);
  EXPECT_EQ(Player.Y, 480);

  UseInput("1 Left Up\n");
  NewShip(-3, 0);
  Frame();
  EXPECT_EQ(Player.X, -5);
  EXPECT_EQ(Player.Y, -2);

  UseInput("1 Left\n");
  NewShip(-2, 100);
  Frame();
  EXPECT_EQ(Player.X, -5);
  Frame();
  EXPECT_EQ(Player.X, -5);
}

TEST_F(PlayerControl, TwinShotAtPowerOneFiresAPairEveryFifthFrame) {
  UseInput("1 X\n");
  std::vector<int> firedIn;
  for (int frame = 1; frame <= 16; ++frame) {
    const int before = LiveCentre();
    Frame();
    if (LiveCentre() > before) {
      EXPECT_EQ(LiveCentre() - before, 2);
      firedIn.push_back(frame);
    }
  }
  EXPECT_EQ(firedIn, (std::vector<int>{1, 6, 11, 16}));
  EXPECT_EQ(ShotSounds(), 4);
  EXPECT_EQ(CenterShots[1], (ShotSlot{204, 295, 0, -10, kTrue}));
  EXPECT_EQ(CenterShots[2], (ShotSlot{230, 295, 0, -10, kTrue}));
  for (const ShotSlot& s : LeftShots) EXPECT_FALSE(IsTrue(s.Alive));
}

TEST_F(PlayerControl, PowerTwoFiresEveryFourthFrameWithTheDiagonalsFromTheKeyboardPositions) {
  Player.Power = 2;
  UseInput("1 X\n");
  Frame();
  EXPECT_EQ(LiveCentre(), 2);
  EXPECT_EQ(CenterShots[1].X, 204);
  EXPECT_EQ(CenterShots[1].Y, 300);
  EXPECT_EQ(CenterShots[2].X, 230);
  EXPECT_EQ(CenterShots[2].Y, 300);
  EXPECT_EQ(LeftShots[1], (ShotSlot{197, 303, -4, -14, kTrue}));
  EXPECT_EQ(RightShots[1], (ShotSlot{237, 303, 4, -14, kTrue}));
  EXPECT_EQ(ShotSounds(), 3);

  Frames(3);
  EXPECT_EQ(LiveCentre(), 2);
  Frame();  // the fifth frame
  EXPECT_EQ(LiveCentre(), 4);
  EXPECT_TRUE(IsTrue(LeftShots[2].Alive));
  EXPECT_TRUE(IsTrue(RightShots[2].Alive));
  EXPECT_EQ(ShotSounds(), 6);

  // Both diagonal slots of each side fly: only the centre pair comes.
  Frames(4);
  EXPECT_EQ(LiveCentre(), 6);
  EXPECT_EQ(ShotSounds(), 7);
  EXPECT_EQ(Player.CenterCooldown1, 0);
}

TEST_F(PlayerControl, DiagonalShotsStartCloserInWhenAJoystickAnswers) {
  for (const char* input : {"1 J1", "1 X Joy"}) {
    SCOPED_TRACE(input);
    UseInput(input);
    NewShip(200, 300);
    Player.Power = 2;
    Frame();
    EXPECT_EQ(LeftShots[1].X, 203);
    EXPECT_EQ(LeftShots[1].Y, 303);
    EXPECT_EQ(RightShots[1].X, 231);
    EXPECT_EQ(RightShots[1].Y, 303);
    EXPECT_EQ(LiveCentre(), 2);
  }
}

TEST_F(PlayerControl, SevenCentreShotsInFlightStopTheTwinShotThoughASlotIsFree) {
  UseInput("1 X\n");
  for (int i = 1; i <= 7; ++i) CenterShots[i] = LiveShot(10, 10 * i);
  Frame();
  EXPECT_FALSE(IsTrue(CenterShots[8].Alive));
  EXPECT_EQ(ShotSounds(), 0);

  // Six in flight: the pair takes the first free slots, whichever they are.
  for (int i = 1; i <= 8; ++i) CenterShots[i] = LiveShot(10, 10 * i);
  CenterShots[2].Alive = kFalse;
  CenterShots[5].Alive = kFalse;
  Frame();
  EXPECT_EQ(CenterShots[2].X, 204);
  EXPECT_EQ(CenterShots[5].X, 230);
  EXPECT_EQ(LiveCentre(), 8);
}

TEST_F(PlayerControl, CooldownsCountDownForThePowerInUseWhileFireIsHeldAndAllOtherwise) {
  UseInput("1 X\n");
  SetCooldowns(2);
  Frame();
  EXPECT_EQ(Player.CenterCooldown1, 1);
  EXPECT_EQ(Player.CenterCooldown2, 2);
  EXPECT_EQ(Player.LeftCooldown, 2);
  EXPECT_EQ(Player.RightCooldown, 2);

  Player.Power = 2;
  SetCooldowns(2);
  Frame();
  EXPECT_EQ(Player.CenterCooldown1, 2);
  EXPECT_EQ(Player.CenterCooldown2, 1);
  EXPECT_EQ(Player.LeftCooldown, 1);
  EXPECT_EQ(Player.RightCooldown, 1);

  UseInput("1\n");
  SetCooldowns(1);
  Frame();
  EXPECT_EQ(Player, (PlayerRecord{200, 300, 2, 0, 0, 0, 0, 0, 3, 2, 0, kTrue}));
  Frame();
  EXPECT_EQ(Player.CenterCooldown1, 0);
}

TEST_F(PlayerControl, ShipOffTheFieldNeitherMovesNorFiresNorBombsButCoolsDown) {
  UseInput("1 Left Up X Z\n");
  Player.OnScreen = kFalse;
  Player.Power = 2;
  Player.Bank = 4;
  SetCooldowns(3);
  Frame();
  EXPECT_EQ(Player, (PlayerRecord{200, 300, 2, 4, 2, 2, 2, 2, 3, 2, 0, kFalse}));
  EXPECT_EQ(LiveCentre(), 0);
  EXPECT_FALSE(IsTrue(LeftShots[1].Alive));
  EXPECT_EQ(BombTimer, 0);
  EXPECT_EQ(ShotSounds(), 0);
}

TEST_F(PlayerControl, BombGoesOffOnlyWithABombInStockAndNoBombRunning) {
  UseInput("1 tap:Z\n");
  Frame();
  EXPECT_EQ(BombTimer, 120);
  EXPECT_EQ(Player.Bombs, 1);

  UseInput("1 Z\n");
  BombTimer = 1;
  Frame();
  EXPECT_EQ(BombTimer, 1);
  EXPECT_EQ(Player.Bombs, 1);

  BombTimer = 0;
  Player.Bombs = 0;
  Frame();
  EXPECT_EQ(BombTimer, 0);
  EXPECT_EQ(Player.Bombs, 0);

  UseInput("1 J2\n");
  Player.Bombs = 3;
  Frame();
  EXPECT_EQ(BombTimer, 120);
  EXPECT_EQ(Player.Bombs, 2);
}

}  // namespace
}  // namespace vormelda::testing
