#include "platform/mci_control.hpp"

#include "platform/files.hpp"

namespace vormelda {

void Platform::SoundCommand(MciControl& control, std::string_view command) {
  control.Execute(command);
}

void MciControl::SetFileName(const std::string& fullPath, const std::string& relName) {
  fileName_ = fullPath;
  Host().SoundCommand(*this, "FileName=" + relName);
}

void MciControl::Command(std::string_view command) {
  Host().SoundCommand(*this, command);
}

void MciControl::Execute(std::string_view command) {
  if (command == "Open") {
    clip_.reset();
    if (fileName_.empty()) return;
    // A file that cannot be read whole within the bound stays silent, as one that is missing.
    FileContent file = ReadWholeFile(fileName_, music_ ? kMusicFileLimit : kEffectFileLimit);
    if (file.ok) clip_ = Host().OpenClip(std::move(file.bytes), music_);
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
