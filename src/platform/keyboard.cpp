#include "platform/keyboard.hpp"

#include <algorithm>

namespace vormelda {

bool Keyboard::Key::Down() const {
  return std::find(down.begin(), down.end(), true) != down.end();
}

Keyboard::Keyboard(std::vector<KeyBinding> bindings) : bindings_(std::move(bindings)) {
  for (const KeyBinding& b : bindings_) {
    auto key = std::find_if(keys_.begin(), keys_.end(),
                            [&](const Key& k) { return k.virtualKey == b.virtualKey; });
    if (key == keys_.end()) key = keys_.insert(keys_.end(), Key{b.virtualKey, {}, false, false});
    key->down.push_back(false);
  }
}

bool Keyboard::Find(int scanCode, size_t& key, size_t& which) const {
  const auto binding = std::find_if(bindings_.begin(), bindings_.end(),
                                    [&](const KeyBinding& b) { return b.scanCode == scanCode; });
  if (binding == bindings_.end()) return false;
  which = 0;
  for (auto b = bindings_.begin(); b != binding; ++b) which += b->virtualKey == binding->virtualKey;
  key = 0;
  while (keys_[key].virtualKey != binding->virtualKey) ++key;
  return true;
}

void Keyboard::Press(int scanCode) {
  size_t k = 0, which = 0;
  if (!Find(scanCode, k, which)) return;
  Key& key = keys_[k];
  // The game sees one key: a second device key of a key already down changes nothing for it.
  if (!key.Down()) key.pressed = true;
  key.down[which] = true;
}

void Keyboard::Release(int scanCode) {
  size_t k = 0, which = 0;
  if (!Find(scanCode, k, which)) return;
  Key& key = keys_[k];
  if (!key.down[which]) return;  // went down while the game did not listen
  key.down[which] = false;
  if (!key.Down()) key.released = true;  // unless still down by another device key
}

void Keyboard::ReleaseAll() {
  for (Key& key : keys_) {
    if (!key.Down()) continue;
    std::fill(key.down.begin(), key.down.end(), false);
    key.released = true;
  }
}

std::vector<KeyActivity> Keyboard::TakeActivity() {
  std::vector<KeyActivity> activity;
  activity.reserve(keys_.size());
  for (Key& key : keys_) {
    activity.push_back({key.virtualKey, key.Down(), key.pressed, key.released});
    key.pressed = key.released = false;
  }
  return activity;
}

}  // namespace vormelda
