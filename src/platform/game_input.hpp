// The keyboard and the joystick as the game reads them: one input record a tick (InputLine), the
// same on every back end. The window makes it from what the devices did during the tick; a script
// or a recording from its lines; the autoplay from its choice. So a recording holds exactly what
// the game read.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/input_script.hpp"
#include "platform/joyinfo.hpp"

namespace vormelda {

class GameInput {
 public:
  // Makes this tick's record the state (held keys, joystick). A key held before and not now, and
  // a tapped key, is released (returned, for the window's key-up event); a key held now and not
  // before, and a tapped key, counts as pressed since its last query. A tap of a key held now is
  // a release and a new press within the tick.
  std::vector<int> Apply(const InputLine& line);
  // Non-zero while down (bit 0x8000) or when pressed since the last query of that key (bit 1).
  int16_t GetAsyncKeyState(int virtualKey);
  // The joystick's position and buttons; false while none is plugged in.
  bool ReadJoystick(JOYINFOEX& info) const;
  bool JoystickAttached() const { return joystickAttached_; }

 private:
  static constexpr int kKeys = 256;  // virtual key codes are bytes
  std::bitset<kKeys> held_;
  std::bitset<kKeys> pressedSinceQuery_;
  bool joystickAttached_ = false;
  uint32_t joyX_ = 32767, joyY_ = 32767, joyButtons_ = 0;
};

// What one key did during a tick, on a real keyboard.
struct KeyActivity {
  int virtualKey = 0;
  bool held = false;      // down at the yield
  bool pressed = false;   // went down during the tick
  bool released = false;  // went up during the tick
};

// The joystick as read at the yield.
struct JoystickReading {
  uint32_t x = 32767, y = 32767, buttons = 0;
};

// The record that makes GameInput do what the devices did during the tick: the keys held at the
// yield, a tap for a key that was pressed and is up again or was released and is down again, the
// joystick's state (nullopt while none is plugged in; its unplugging is said once), and the
// window's close.
InputLine LineOfTick(int64_t tick, const std::vector<KeyActivity>& keys,
                     const std::optional<JoystickReading>& joystick, bool joystickWasAttached,
                     bool close);

}  // namespace vormelda
