// A multimedia control: a named sound holder driven by string commands, as the game's sound
// effects and music expect. Modes: 524 not open, 525 stopped, 526 playing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.hpp"

namespace vormelda {

inline constexpr int16_t kModeNotOpen = 524;
inline constexpr int16_t kModeStopped = 525;
inline constexpr int16_t kModePlaying = 526;

// The largest sound files a holder opens: an effect is held decoded in memory, the music is read
// whole before it streams.
inline constexpr size_t kEffectFileLimit = 16 * 1024 * 1024;
inline constexpr size_t kMusicFileLimit = 64 * 1024 * 1024;

class MciControl {
 public:
  MciControl(std::string name, bool music) : name_(std::move(name)), music_(music) {}

  const std::string& Name() const { return name_; }
  const std::string& FileName() const { return fileName_; }
  // The full path of the file that "Open" opens; relName is what the runner's log shows.
  void SetFileName(const std::string& fullPath, const std::string& relName);

  // "Open", "Close", "Prev", "Play", "Stop", handed to the back end in use, which carries it out
  // with Execute (or, showing and sounding nothing, drops it).
  void Command(std::string_view command);
  // Anything else than the five commands, or a command on a holder whose file did not open, does
  // nothing.
  void Execute(std::string_view command);
  int16_t Mode();

 private:
  std::string name_;
  bool music_;
  std::string fileName_;
  std::unique_ptr<AudioClip> clip_;
};

}  // namespace vormelda
