// The platform a look-ahead replays play frames on: the keys of the plan's input record, no
// joystick, a still clock, and nothing shown or heard: installed, it alone mutes and blinds the
// game. A play frame never yields; a yield means the frame has left play for a scene's own loop
// (the game over screen), which a look-ahead must never enter, so it throws LeftPlay instead.
#pragma once

#include "platform/platform.hpp"

namespace vormelda {

class LookaheadPlatform final : public Platform {
 public:
  struct LeftPlay {};
  LookaheadPlatform() : Platform(/*blind=*/true) {}

  // The input of the next frame, as the autoplay chose it.
  void Hold(const InputLine& input) { TakeInput(input); }

  void ShowWindow() override {}
  void SetCaption(std::string_view) override {}
  void SetFieldVisible(bool) override {}
  void Present(const Surface&) override {}
  void PumpEvents(WindowEvents&) override { throw LeftPlay{}; }
  uint32_t TimeGetTime() override { return 0; }
  void SleepUntil(uint32_t) override {}
  MessageBoxAnswer MessageBoxRetryCancel(std::string_view, std::string_view) override {
    return MessageBoxAnswer::Cancel;
  }
  void ReportFatalError(std::string_view, std::string_view) override {}
  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t>, bool) override { return nullptr; }
  void PlaySoundFromMemory(const std::vector<uint8_t>&) override {}
  void SoundCommand(MciControl&, std::string_view) override {}
};

}  // namespace vormelda
