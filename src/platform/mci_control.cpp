#include "platform/mci_control.hpp"

#include "platform/files.hpp"

namespace vormelda {

namespace {

std::unique_ptr<AudioClip> OpenFile(Platform& host, const std::string& path, bool music) {
  // A file that cannot be read whole within the bound stays silent, as one that is missing.
  FileContent file = ReadWholeFile(path, music ? kMusicFileLimit : kEffectFileLimit);
  if (!file.ok) return nullptr;
  return host.OpenClip(std::move(file.bytes), music);
}

// A sound whose file is still on its way: stopped until it is asked to play, and playing from
// then on. Once the file has arrived, the sound opened from it takes over, playing if it was
// asked to; one that did not arrive whole stays silent. The sound is opened by the back end that
// opened this one, whichever is the host when the file arrives (the autoplay's lookahead, which
// sounds nothing, asks for the music's mode too).
class LateClip final : public AudioClip {
 public:
  LateClip(Platform& host, std::string path, bool music)
      : host_(host), path_(std::move(path)), music_(music) {}

  void Play() override {
    if (Arrived()) {
      clip_->Play();
    } else {
      playing_ = waiting_;
    }
  }
  void Stop() override {
    if (Arrived()) clip_->Stop();
    playing_ = false;
  }
  void Rewind() override {
    if (Arrived()) clip_->Rewind();
    playing_ = false;
  }
  bool Playing() override { return Arrived() ? clip_->Playing() : playing_; }

 private:
  // Whether the sound of the arrived file is there to take the command.
  bool Arrived() {
    if (waiting_ && !FileOnItsWay(path_)) {
      waiting_ = false;
      clip_ = OpenFile(host_, path_, music_);
      if (clip_ && playing_) clip_->Play();
      playing_ = false;
    }
    return clip_ != nullptr;
  }

  Platform& host_;
  std::string path_;
  bool music_;
  bool waiting_ = true;
  bool playing_ = false;
  std::unique_ptr<AudioClip> clip_;
};

}  // namespace

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
    if (FileOnItsWay(fileName_)) {
      clip_ = std::make_unique<LateClip>(Host(), fileName_, music_);
    } else {
      clip_ = OpenFile(Host(), fileName_, music_);
    }
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
