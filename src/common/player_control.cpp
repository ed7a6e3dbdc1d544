#include "common/player_control.hpp"

#include "platform/keys.hpp"
#include "platform/winapi.hpp"
#include "records/game_state.hpp"
#include "window/frame.hpp"

namespace vormelda {

namespace {

struct Inputs {
  bool up, down, left, right, fire, bomb;
};

// Each key is asked once per frame, so a press since the last frame counts exactly once.
Inputs ReadInputs(bool withJoystick) {
  Inputs in{GetAsyncKeyState(VK_UP) != 0,   GetAsyncKeyState(VK_DOWN) != 0,
            GetAsyncKeyState(VK_LEFT) != 0, GetAsyncKeyState(VK_RIGHT) != 0,
            GetAsyncKeyState(VK_X) != 0,    GetAsyncKeyState(VK_Z) != 0};
  if (withJoystick) {
    // 10000 either side of the centre 32767.
    in.up = in.up || JoyInfo.dwYpos < 22767;
    in.down = in.down || JoyInfo.dwYpos > 42767;
    in.left = in.left || JoyInfo.dwXpos < 22767;
    in.right = in.right || JoyInfo.dwXpos > 42767;
    in.fire = in.fire || (JoyInfo.dwButtons & JOY_BUTTON1) != 0;
    in.bomb = in.bomb || (JoyInfo.dwButtons & JOY_BUTTON2) != 0;
  }
  return in;
}

void Move(const Inputs& in) {
  // Up beats Down, Left beats Right.
  int vertical = in.up ? -1 : in.down ? 1 : 0;
  int horizontal = in.left ? -1 : in.right ? 1 : 0;
  if (horizontal != 0 && vertical != 0) {
    Player.X += 3 * horizontal;
    Player.Y += 3 * vertical;
  } else {
    Player.X += 4 * horizontal;
    Player.Y += 4 * vertical;
  }
  if (horizontal != 0) {
    Player.Bank = static_cast<int16_t>(Player.Bank + horizontal);
  } else {
    LevelBank();
  }
  if (Player.X < -5) Player.X = -5;
  if (Player.Y < -2) Player.Y = -2;
  if (Player.X > 375) Player.X = 375;
  if (Player.Y > 480) Player.Y = 480;
  if (Player.Bank > 13) Player.Bank = 13;
  if (Player.Bank < -13) Player.Bank = -13;
}

template <int N>
int CountLive(const OneBasedArray<ShotSlot, N>& slots) {
  int live = 0;
  for (const ShotSlot& s : slots) live += IsTrue(s.Alive) ? 1 : 0;
  return live;
}

template <int N>
void LaunchShot(OneBasedArray<ShotSlot, N>& slots, int32_t x, int32_t y) {
  for (ShotSlot& s : slots) {
    if (s.Alive == kFalse) {
      s.X = x;
      s.Y = y;
      s.Alive = kTrue;
      return;
    }
  }
}

void CountDown(int16_t& cooldown) {
  if (cooldown > 0) --cooldown;
}

// A centre pair when fewer than seven centre shots fly and the cooldown has run out.
void FireCentre(int16_t& cooldown, int16_t reload, int32_t dy) {
  if (CountLive(CenterShots) > 6 || cooldown > 0) {
    CountDown(cooldown);
    return;
  }
  LaunchShot(CenterShots, Player.X + 4, Player.Y + dy);
  LaunchShot(CenterShots, Player.X + 30, Player.Y + dy);
  cooldown = reload;
  PlayShotSound();
}

void FireDiagonal(OneBasedArray<ShotSlot, 2>& slots, int16_t& cooldown, int32_t x, int32_t y) {
  if (CountLive(slots) > 1 || cooldown > 0) {
    CountDown(cooldown);
    return;
  }
  LaunchShot(slots, x, y);
  cooldown = 3;
  PlayShotSound();
}

void Fire(bool withJoystick) {
  if (Player.Power == 1) {
    FireCentre(Player.CenterCooldown1, 4, -5);
    return;
  }
  FireCentre(Player.CenterCooldown2, 3, 0);
  // The diagonal shots start a little further out when steered from the keyboard alone.
  int32_t leftX = withJoystick ? Player.X + 3 : Player.X - 3;
  int32_t rightX = withJoystick ? Player.X + 31 : Player.X + 37;
  FireDiagonal(LeftShots, Player.LeftCooldown, leftX, Player.Y + 3);
  FireDiagonal(RightShots, Player.RightCooldown, rightX, Player.Y + 3);
}

void Control(bool withJoystick) {
  const Inputs in = ReadInputs(withJoystick);
  const bool onScreen = IsTrue(Player.OnScreen);
  if (onScreen) Move(in);
  if (in.fire && onScreen) {
    Fire(withJoystick);
  } else {
    CountDown(Player.CenterCooldown1);
    CountDown(Player.CenterCooldown2);
    CountDown(Player.LeftCooldown);
    CountDown(Player.RightCooldown);
  }
  if (in.bomb && BombTimer == 0 && onScreen && Player.Bombs >= 1) {
    BombTimer = 120;
    --Player.Bombs;
  }
}

}  // namespace

void LevelBank() {
  if (Player.Bank < 0) {
    ++Player.Bank;
  } else if (Player.Bank > 0) {
    --Player.Bank;
  }
}

void FreshShip() {
  Player.X = 185;
  Player.Y = 410;
  Player.Power = 1;
  Player.Bombs = 2;
  Player.CenterCooldown1 = 0;
  Player.CenterCooldown2 = 0;
  Player.LeftCooldown = 0;
  Player.RightCooldown = 0;
}

void PlayerControl() {
  Control(true);
}

bool PollJoystick() {
  JoyInfo.dwSize = sizeof(JOYINFOEX);
  JoyInfo.dwFlags = JOY_RETURNALL;
  return joyGetPosEx(JOYSTICKID1, &JoyInfo) == JOYERR_NOERROR;
}

void ReadPlayerInput() {
  if (PollJoystick()) {
    PlayerControl();
  } else {
    Control(false);
  }
}

}  // namespace vormelda
