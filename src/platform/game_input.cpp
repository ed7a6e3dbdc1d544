#include "platform/game_input.hpp"

namespace vormelda {

namespace {

bool ValidKey(int virtualKey) {
  return virtualKey >= 0 && virtualKey < 256;
}

}  // namespace

std::vector<int> GameInput::Apply(const InputLine& line) {
  std::bitset<kKeys> now;
  for (int vk : line.heldKeys) {
    if (ValidKey(vk)) now.set(static_cast<size_t>(vk));
  }
  std::vector<int> released;
  const std::bitset<kKeys> up = held_ & ~now;
  if (up.any()) {
    for (int vk = 0; vk < kKeys; ++vk) {
      if (up.test(static_cast<size_t>(vk))) released.push_back(vk);
    }
  }
  pressedSinceQuery_ |= now & ~held_;
  held_ = now;
  for (int vk : line.tappedKeys) {
    if (!ValidKey(vk)) continue;
    pressedSinceQuery_.set(static_cast<size_t>(vk));
    released.push_back(vk);
  }
  if (line.joystick) joystickAttached_ = true;
  if (line.joystickGone) joystickAttached_ = false;
  joyX_ = line.joyX;
  joyY_ = line.joyY;
  joyButtons_ = line.joyButtons;
  return released;
}

int16_t GameInput::GetAsyncKeyState(int virtualKey) {
  if (!ValidKey(virtualKey)) return 0;
  const auto key = static_cast<size_t>(virtualKey);
  uint16_t state = held_.test(key) ? 0x8000u : 0u;
  if (pressedSinceQuery_.test(key)) state |= 1u;
  pressedSinceQuery_.reset(key);
  return static_cast<int16_t>(state);
}

bool GameInput::ReadJoystick(JOYINFOEX& info) const {
  if (!joystickAttached_) return false;
  info.dwXpos = joyX_;
  info.dwYpos = joyY_;
  info.dwButtons = joyButtons_;
  info.dwButtonNumber = static_cast<uint32_t>(__builtin_popcount(joyButtons_));
  return true;
}

InputLine LineOfTick(int64_t tick, const std::vector<KeyActivity>& keys,
                     const std::optional<JoystickReading>& joystick, bool joystickWasAttached,
                     bool close) {
  InputLine line;
  line.tick = tick;
  for (const KeyActivity& k : keys) {
    if (k.held) line.heldKeys.push_back(k.virtualKey);
    // Down now after a release, or up now after a press: the tick held both.
    if ((k.held && k.released) || (!k.held && k.pressed)) line.tappedKeys.push_back(k.virtualKey);
  }
  if (joystick) {
    line.joystick = true;
    line.joyX = joystick->x;
    line.joyY = joystick->y;
    line.joyButtons = joystick->buttons;
  } else {
    line.joystickGone = joystickWasAttached;
  }
  line.close = close;
  return line;
}

}  // namespace vormelda
