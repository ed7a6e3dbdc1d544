// Keyboard state and game controllers.
#include <algorithm>

#include "platform/keys.hpp"
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

struct KeyMapping {
  SDL_Scancode code;
  int virtualKey;
  uint8_t bit;  // which of the key's scan codes this is
};

constexpr KeyMapping kKeyMap[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN, 1}, {SDL_SCANCODE_KP_ENTER, VK_RETURN, 2},
    {SDL_SCANCODE_LEFT, VK_LEFT, 1},     {SDL_SCANCODE_UP, VK_UP, 1},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 1},   {SDL_SCANCODE_DOWN, VK_DOWN, 1},
    {SDL_SCANCODE_X, VK_X, 1},           {SDL_SCANCODE_Z, VK_Z, 1},
};

const KeyMapping* FindMapping(SDL_Scancode code) {
  for (const KeyMapping& m : kKeyMap) {
    if (m.code == code) return &m;
  }
  return nullptr;
}

constexpr uint32_t kCentre = 32767;
constexpr uint32_t kMinimum = 0;
constexpr uint32_t kMaximum = 65535;

// -32768..32767 to 0..65535; a stick at rest reads as the centre.
uint32_t AxisToPosition(Sint16 value) {
  if (value == 0) return kCentre;
  return static_cast<uint32_t>(static_cast<int>(value) + 32768);
}

void ApplyHat(Uint8 hat, JOYINFOEX& info) {
  if ((hat & SDL_HAT_LEFT) != 0) info.dwXpos = kMinimum;
  if ((hat & SDL_HAT_RIGHT) != 0) info.dwXpos = kMaximum;
  if ((hat & SDL_HAT_UP) != 0) info.dwYpos = kMinimum;
  if ((hat & SDL_HAT_DOWN) != 0) info.dwYpos = kMaximum;
}

}  // namespace

// ---- Keyboard ----

int Keyboard::Slot(int virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return 0;
    case VK_LEFT:
      return 1;
    case VK_UP:
      return 2;
    case VK_RIGHT:
      return 3;
    case VK_DOWN:
      return 4;
    case VK_X:
      return 5;
    case VK_Z:
      return 6;
    default:
      return -1;
  }
}

void Keyboard::Press(SDL_Scancode code) {
  const KeyMapping* m = FindMapping(code);
  if (m == nullptr) return;
  Key& key = keys_[Slot(m->virtualKey)];
  // The game sees one key: a second scan code of a key already down changes nothing for it.
  if (key.downMask == 0) key.pressed = true;
  key.downMask |= m->bit;
}

void Keyboard::Release(SDL_Scancode code) {
  const KeyMapping* m = FindMapping(code);
  if (m == nullptr) return;
  Key& key = keys_[Slot(m->virtualKey)];
  if ((key.downMask & m->bit) == 0) return;  // went down while the game did not listen
  key.downMask &= static_cast<uint8_t>(~m->bit);
  if (key.downMask == 0) key.released = true;  // unless still down by its other scan code
}

void Keyboard::ReleaseAll() {
  for (Key& key : keys_) {
    if (key.downMask == 0) continue;
    key.downMask = 0;
    key.released = true;
  }
}

std::vector<KeyActivity> Keyboard::TakeActivity() {
  std::vector<KeyActivity> activity;
  for (int vk : {VK_RETURN, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_X, VK_Z}) {
    Key& key = keys_[Slot(vk)];
    activity.push_back({vk, key.downMask != 0, key.pressed, key.released});
    key.pressed = key.released = false;
  }
  return activity;
}

// ---- Controllers ----

Controllers::Controllers() : subsystem_(SDL_INIT_GAMECONTROLLER) {
  if (!subsystem_.Ok()) return;  // no joystick support: play from the keyboard
  // Devices present at start; the "added" events SDL sends for them later find them open.
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) OnDeviceAdded(i);
}

Controllers::~Controllers() {
  devices_.clear();
}  // closed before the subsystem goes

void Controllers::OnDeviceAdded(int deviceIndex) {
  if (!subsystem_.Ok()) return;
  const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (instance < 0) return;
  for (const Device& d : devices_) {
    if (d.instance == instance) return;
  }
  Device device{instance, nullptr, nullptr};
  if (SDL_IsGameController(deviceIndex)) {
    device.controller.reset(SDL_GameControllerOpen(deviceIndex));
  }
  if (!device.controller) {
    device.joystick.reset(SDL_JoystickOpen(deviceIndex));
    if (!device.joystick) return;
  }
  devices_.push_back(std::move(device));
}

void Controllers::OnDeviceRemoved(SDL_JoystickID instance) {
  std::erase_if(devices_, [instance](const Device& d) { return d.instance == instance; });
}

std::optional<JoystickReading> Controllers::Reading() const {
  JOYINFOEX info;
  if (!Read(info)) return std::nullopt;
  return JoystickReading{info.dwXpos, info.dwYpos, info.dwButtons};
}

bool Controllers::Read(JOYINFOEX& info) const {
  if (devices_.empty()) return false;
  // A controller with a known layout comes first; a bare joystick only when there is none.
  const auto it = std::find_if(devices_.begin(), devices_.end(),
                               [](const Device& d) { return d.controller != nullptr; });
  const Device& device = it != devices_.end() ? *it : devices_.front();

  uint32_t buttons = 0;
  if (SDL_GameController* gc = device.controller.get()) {
    info.dwXpos = AxisToPosition(SDL_GameControllerGetAxis(gc, SDL_CONTROLLER_AXIS_LEFTX));
    info.dwYpos = AxisToPosition(SDL_GameControllerGetAxis(gc, SDL_CONTROLLER_AXIS_LEFTY));
    Uint8 hat = SDL_HAT_CENTERED;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) hat |= SDL_HAT_LEFT;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) hat |= SDL_HAT_RIGHT;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_DPAD_UP)) hat |= SDL_HAT_UP;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) hat |= SDL_HAT_DOWN;
    ApplyHat(hat, info);
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_A)) buttons |= JOY_BUTTON1;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_B)) buttons |= JOY_BUTTON2;
    if (SDL_GameControllerGetButton(gc, SDL_CONTROLLER_BUTTON_START)) buttons |= JOY_BUTTON3;
  } else {
    SDL_Joystick* js = device.joystick.get();
    const int axes = SDL_JoystickNumAxes(js);
    info.dwXpos = axes > 0 ? AxisToPosition(SDL_JoystickGetAxis(js, 0)) : kCentre;
    info.dwYpos = axes > 1 ? AxisToPosition(SDL_JoystickGetAxis(js, 1)) : kCentre;
    if (SDL_JoystickNumHats(js) > 0) ApplyHat(SDL_JoystickGetHat(js, 0), info);
    constexpr uint32_t kBits[] = {JOY_BUTTON1, JOY_BUTTON2, JOY_BUTTON3};
    const int count = std::min(SDL_JoystickNumButtons(js), 3);
    for (int i = 0; i < count; ++i) {
      if (SDL_JoystickGetButton(js, i)) buttons |= kBits[i];
    }
  }
  info.dwButtons = buttons;
  info.dwButtonNumber = static_cast<uint32_t>(__builtin_popcount(buttons));
  return true;
}

}  // namespace vormelda::sdl
