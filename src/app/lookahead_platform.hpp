// The platform a look-ahead replays play frames on: keys held as the plan says, no joystick, a
// still clock, and nothing shown or heard: installed, it alone mutes and blinds the game. A play
// frame never yields; a yield means the frame has left play for a scene's own loop (the game over
// screen), which a look-ahead must never enter, so it throws LeftPlay instead.
#pragma once

#include <bitset>

#include "platform/platform.hpp"

namespace vormelda {

class LookaheadPlatform final : public Platform {
 public:
  struct LeftPlay {};
  LookaheadPlatform() : Platform(/*blind=*/true) {}

  void Hold(const std::bitset<256>& keys) { held_ = keys; }

  void ShowWindow() override {}
  void SetCaption(std::string_view) override {}
  void SetFieldVisible(bool) override {}
  void Present(const Surface&) override {}
  void PumpEvents(WindowEvents&) override { throw LeftPlay{}; }
  int16_t GetAsyncKeyState(int vk) override {
    return vk >= 0 && vk < 256 && held_[static_cast<size_t>(vk)] ? static_cast<int16_t>(0x8000)
                                                                 : int16_t{0};
  }
  uint32_t JoyGetPosEx(uint32_t, JOYINFOEX&) override { return JOYERR_UNPLUGGED; }
  uint32_t JoySetCapture(uint32_t, uint32_t, bool) override { return JOYERR_UNPLUGGED; }
  uint32_t JoyReleaseCapture(uint32_t) override { return JOYERR_NOERROR; }
  uint32_t TimeGetTime() override { return 0; }
  void SleepUntil(uint32_t) override {}
  MessageBoxAnswer MessageBoxRetryCancel(std::string_view, std::string_view) override {
    return MessageBoxAnswer::Cancel;
  }
  void ReportFatalError(std::string_view, std::string_view) override {}
  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t>, bool) override { return nullptr; }
  void PlaySoundFromMemory(const std::vector<uint8_t>&) override {}
  void SoundCommand(MciControl&, std::string_view) override {}

 private:
  std::bitset<256> held_;
};

}  // namespace vormelda
