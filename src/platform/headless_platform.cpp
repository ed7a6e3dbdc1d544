#include "platform/headless_platform.hpp"

#include <algorithm>
#include <iostream>

#include "platform/joyinfo.hpp"
#include "platform/keys.hpp"
#include "platform/mci_control.hpp"
#include "platform/sound_length.hpp"

namespace vormelda {

namespace {

// A sound that "plays" for its file's length by the virtual clock.
class VirtualClip final : public AudioClip {
 public:
  VirtualClip(const HeadlessPlatform& host, double lengthMs) : host_(host), lengthMs_(lengthMs) {}
  void Play() override {
    Update();
    if (!playing_ && positionMs_ < lengthMs_) {
      playing_ = true;
      since_ = host_.PeekClock();
      startPos_ = positionMs_;
    }
  }
  void Stop() override {
    Update();
    playing_ = false;
  }
  void Rewind() override {
    playing_ = false;
    positionMs_ = 0;
  }
  bool Playing() override {
    Update();
    return playing_;
  }

 private:
  void Update() {
    if (!playing_) return;
    positionMs_ = startPos_ + static_cast<double>(host_.PeekClock() - since_);
    if (positionMs_ >= lengthMs_) {
      positionMs_ = lengthMs_;
      playing_ = false;
    }
  }
  const HeadlessPlatform& host_;
  double lengthMs_;
  double positionMs_ = 0;
  double startPos_ = 0;
  uint32_t since_ = 0;
  bool playing_ = false;
};

}  // namespace

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : options_(std::move(options)), script_(options_.input), clock_(options_.clockStart) {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::Log(const std::string& line) {
  if (options_.log != nullptr) *options_.log << tick_ << ' ' << line << '\n';
}

const Surface* HeadlessPlatform::Picture(int64_t tick) const {
  auto it = pictures_.find(tick);
  return it == pictures_.end() ? nullptr : &it->second;
}

void HeadlessPlatform::ShowWindow() {}

void HeadlessPlatform::SetCaption(std::string_view utf8) {
  caption_ = utf8;
  Log("caption " + caption_);
}

void HeadlessPlatform::SetFieldVisible(bool visible) {
  fieldVisible_ = visible;
  Log(std::string("visible picMain ") + (visible ? "1" : "0"));
}

void HeadlessPlatform::Present(const Surface& field) {
  ++presents_;
  lastPresented_ = &field;
  // The picture a later yield shows is this one until the next refresh.
  if (wantedPictures_.count(tick_ + 1) != 0) {
    pictures_[tick_ + 1] = fieldVisible_ ? field : Surface(field.Width(), field.Height());
  }
}

void HeadlessPlatform::PumpEvents(WindowEvents& sink) {
  ++tick_;
  if (options_.ticks >= 0 && tick_ > options_.ticks) sink.OnClose();
  current_ = inputProvider ? inputProvider(tick_) : script_.At(tick_);
  current_.tick = tick_;
  for (int vk : TakeInput(current_)) sink.OnKeyUp(vk);
  if (onYield) onYield(tick_);
  if (current_.close) sink.OnClose();
}

MessageBoxAnswer HeadlessPlatform::MessageBoxRetryCancel(std::string_view text, std::string_view) {
  MessageBoxAnswer answer = MessageBoxAnswer::Cancel;
  if (nextAnswer_ < options_.messageBoxAnswers.size()) {
    answer = options_.messageBoxAnswers[nextAnswer_++];
  }
  Log("messagebox " + std::string(text) + " -> " +
      (answer == MessageBoxAnswer::Retry ? "retry" : "cancel"));
  if (onMessageBox) onMessageBox(answer);
  return answer;
}

void HeadlessPlatform::ReportFatalError(std::string_view text, std::string_view) {
  std::cerr << text << '\n';
}

std::unique_ptr<AudioClip> HeadlessPlatform::OpenClip(std::vector<uint8_t> file, bool) {
  auto length = SoundLengthMs(file);
  if (!length) return nullptr;
  return std::make_unique<VirtualClip>(*this, *length);
}

void HeadlessPlatform::PlaySoundFromMemory(const std::vector<uint8_t>&) {
  Log("sndPlaySoundA");
}

void HeadlessPlatform::SoundCommand(MciControl& control, std::string_view command) {
  Log("sound " + control.Name() + " " + std::string(command));
  Platform::SoundCommand(control, command);
}

}  // namespace vormelda
