#include "platform/mci_control.hpp"

namespace vormelda {

void MciControl::SetFileName(const std::string& fullPath, const std::string& relName) {
  fileName_ = fullPath;
  Host().NoteSoundCommand(name_, "FileName=" + relName);
}

void MciControl::Command(std::string_view command) {
  if (Muted) return;
  Host().NoteSoundCommand(name_, command);
  if (command == "Open") {
    clip_.reset();
    if (!fileName_.empty()) clip_ = Host().OpenClip(fileName_, music_);
    return;
  }
  if (!clip_) return;
  if (command == "Close") {
    clip_.reset();
  } else if (command == "Prev") {
    clip_->Rewind();
  } else if (command == "Play") {
    clip_->Play();
  } else if (command == "Stop") {
    clip_->Stop();
  }
}

int16_t MciControl::Mode() {
  if (!clip_) return kModeNotOpen;
  return clip_->Playing() ? kModePlaying : kModeStopped;
}

}  // namespace vormelda
