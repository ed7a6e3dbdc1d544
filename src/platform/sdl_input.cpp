// Keyboard state and game controllers.
#include <algorithm>
#include <cstdio>

#include "platform/files.hpp"
#include "platform/keys.hpp"
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

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

std::vector<KeyBinding> GameKeyBindings(const Settings& settings) {
  std::vector<KeyBinding> bindings;
  for (GameKey key : {GameKey::Start, GameKey::Left, GameKey::Up, GameKey::Right, GameKey::Down,
                      GameKey::Fire, GameKey::Bomb}) {
    for (const std::string& name : settings.keys[static_cast<size_t>(key)]) {
      const SDL_Keycode code = SDL_GetKeyFromName(name.c_str());
      if (code != SDLK_UNKNOWN) bindings.push_back({static_cast<int>(code), VirtualKeyOf(key)});
    }
  }
  return bindings;
}

// ---- Controllers ----

Controllers::Controllers(const std::array<std::string, 3>& buttons, const std::string& layouts)
    : subsystem_(SDL_INIT_GAMECONTROLLER) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    buttons_[i] = SDL_GameControllerGetButtonFromString(buttons[i].c_str());
  }
  if (!subsystem_.Ok()) return;  // no joystick support: play from the keyboard
  if (!layouts.empty() && CanOpenRegularFile(layouts)) {
    if (SDL_GameControllerAddMappingsFromFile(layouts.c_str()) < 0) {
      std::fprintf(stderr, "vormelda: %s: %s\n", layouts.c_str(), SDL_GetError());
    }
  }
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
    constexpr uint32_t kBits[] = {JOY_BUTTON1, JOY_BUTTON2, JOY_BUTTON3};  // fire, bomb, start
    for (size_t i = 0; i < buttons_.size(); ++i) {
      if (SDL_GameControllerGetButton(gc, buttons_[i])) buttons |= kBits[i];
    }
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

namespace vormelda {

SettingNames SdlSettingNames() {
  return {[](std::string_view name) -> std::optional<std::string> {
            const SDL_Keycode code = SDL_GetKeyFromName(std::string(name).c_str());
            if (code == SDLK_UNKNOWN) return std::nullopt;
            return std::string(SDL_GetKeyName(code));
          },
          [](std::string_view name) -> std::optional<std::string> {
            const auto button = SDL_GameControllerGetButtonFromString(std::string(name).c_str());
            if (button == SDL_CONTROLLER_BUTTON_INVALID) return std::nullopt;
            return std::string(SDL_GameControllerGetStringForButton(button));
          }};
}

}  // namespace vormelda
