// The joystick record filled by a poll: every field 32-bit unsigned, in the system's order.
#pragma once

#include <cstdint>

namespace vormelda {

struct JOYINFOEX {
  uint32_t dwSize = 0;
  uint32_t dwFlags = 0;
  uint32_t dwXpos = 0;
  uint32_t dwYpos = 0;
  uint32_t dwZpos = 0;
  uint32_t dwRpos = 0;
  uint32_t dwUpos = 0;
  uint32_t dwVpos = 0;
  uint32_t dwButtons = 0;
  uint32_t dwButtonNumber = 0;
  uint32_t dwPOV = 0;
  uint32_t dwReserved1 = 0;
  uint32_t dwReserved2 = 0;
  bool operator==(const JOYINFOEX&) const = default;
  // Every field by name, in order: for the runner's trace and the state checksum.
  template <typename F>
  void Fields(F&& f) const {
    f("dwSize", dwSize);
    f("dwFlags", dwFlags);
    f("dwXpos", dwXpos);
    f("dwYpos", dwYpos);
    f("dwZpos", dwZpos);
    f("dwRpos", dwRpos);
    f("dwUpos", dwUpos);
    f("dwVpos", dwVpos);
    f("dwButtons", dwButtons);
    f("dwButtonNumber", dwButtonNumber);
    f("dwPOV", dwPOV);
    f("dwReserved1", dwReserved1);
    f("dwReserved2", dwReserved2);
  }
};

inline constexpr uint32_t JOY_RETURNALL = 255;
inline constexpr uint32_t JOYERR_NOERROR = 0;
inline constexpr uint32_t JOYERR_UNPLUGGED = 167;
inline constexpr uint32_t JOYSTICKID1 = 0;

inline constexpr uint32_t JOY_BUTTON1 = 1;  // fire
inline constexpr uint32_t JOY_BUTTON2 = 2;  // bomb
inline constexpr uint32_t JOY_BUTTON3 = 4;  // start

}  // namespace vormelda
