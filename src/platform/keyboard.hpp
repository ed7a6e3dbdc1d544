// The game's keys as a window's key events leave them, apart from any window: each device key
// (a scan code) is bound to one game key (a virtual key code), and one game key may have several
// device keys. What each game key did during a tick becomes the tick's input record.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/game_input.hpp"

namespace vormelda {

struct KeyBinding {
  int scanCode = 0;
  int virtualKey = 0;
};

class Keyboard {
 public:
  // Game keys are reported in the order they first appear in the bindings.
  explicit Keyboard(std::vector<KeyBinding> bindings);
  // Device keys bound to no game key are ignored.
  void Press(int scanCode);
  void Release(int scanCode);
  // The window lost the keyboard: every key is up.
  void ReleaseAll();
  // What every game key did since the last call, and whether it is down now.
  std::vector<KeyActivity> TakeActivity();

 private:
  struct Key {
    int virtualKey = 0;
    std::vector<bool> down;  // one per device key bound to it
    bool pressed = false;    // this tick
    bool released = false;   // this tick
    bool Down() const;
  };
  // The game key a device key is bound to and which of its device keys it is; false when unbound.
  bool Find(int scanCode, size_t& key, size_t& which) const;

  std::vector<KeyBinding> bindings_;
  std::vector<Key> keys_;
};

}  // namespace vormelda
