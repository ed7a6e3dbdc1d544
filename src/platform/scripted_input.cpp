#include "platform/scripted_input.hpp"

namespace vormelda {

std::vector<int> ScriptedInput::Apply(const InputLine& line) {
  std::vector<int> released;
  std::set<int> now(line.heldKeys.begin(), line.heldKeys.end());
  for (int vk : held_) {
    if (now.count(vk) == 0) released.push_back(vk);
  }
  for (int vk : now) {
    if (held_.count(vk) == 0) pressedSinceQuery_.insert(vk);
  }
  held_ = std::move(now);
  for (int vk : line.tappedKeys) {
    pressedSinceQuery_.insert(vk);
    released.push_back(vk);
  }
  if (line.joystick) joystickAttached_ = true;
  if (line.joystickGone) joystickAttached_ = false;
  joyX_ = line.joyX;
  joyY_ = line.joyY;
  joyButtons_ = line.joyButtons;
  return released;
}

int16_t ScriptedInput::GetAsyncKeyState(int virtualKey) {
  int16_t state = 0;
  if (held_.count(virtualKey) != 0) state = static_cast<int16_t>(0x8000);
  if (pressedSinceQuery_.erase(virtualKey) != 0) state = static_cast<int16_t>(state | 1);
  return state;
}

bool ScriptedInput::ReadJoystick(JOYINFOEX& info) const {
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
