// The system calls the game makes, by their own names, answered by the back end in use.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/joyinfo.hpp"
#include "platform/platform.hpp"

namespace vormelda {

inline constexpr uint32_t SND_ASYNC = 1;
inline constexpr uint32_t SND_MEMORY = 4;

inline int16_t GetAsyncKeyState(int virtualKey) {
  return Host().GetAsyncKeyState(virtualKey);
}
inline uint32_t joyGetPosEx(uint32_t id, JOYINFOEX* info) {
  return Host().JoyGetPosEx(id, *info);
}
inline uint32_t joySetCapture(uint32_t id, uint32_t periodMs, bool changed) {
  return Host().JoySetCapture(id, periodMs, changed);
}
inline uint32_t joyReleaseCapture(uint32_t id) {
  return Host().JoyReleaseCapture(id);
}
inline uint32_t timeGetTime() {
  return Host().TimeGetTime();
}
// Plays a WAV image held in memory (SND_MEMORY | SND_ASYNC is the only use).
inline void sndPlaySoundA(const std::vector<uint8_t>& image, uint32_t flags) {
  if ((flags & SND_MEMORY) != 0) Host().PlaySoundFromMemory(image);
}

}  // namespace vormelda
