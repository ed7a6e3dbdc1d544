// The headless back end: no display, no audio device. A virtual clock that advances 1 ms at each
// reading, scripted input, sound holders that play for as long as their files last by that clock,
// and message boxes answered from a list. Every platform event can be logged, one line each.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/input_script.hpp"
#include "platform/platform.hpp"

namespace vormelda {

struct HeadlessOptions {
  uint32_t clockStart = 0;
  std::vector<InputLine> input;
  std::vector<MessageBoxAnswer> messageBoxAnswers;  // then Cancel
  int64_t ticks = -1;                               // close the window at tick ticks + 1
  std::ostream* log = nullptr;
};

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(HeadlessOptions options);
  ~HeadlessPlatform() override;

  // Called at every yield after the tick's input has been applied and its events delivered.
  std::function<void(int64_t tick)> onYield;
  // When set, chooses each tick's input instead of the script (called before the tick's events).
  std::function<InputLine(int64_t tick)> inputProvider;
  // Called with every answer a message box gives.
  std::function<void(MessageBoxAnswer)> onMessageBox;
  // The input in force at the current tick, as a script line would name it.
  const InputLine& CurrentInput() const { return current_; }
  // Ticks whose picture is wanted: the last refresh before that tick's yield is kept for Shot().
  void WantPicture(int64_t tick) { wantedPictures_.insert(tick); }
  const Surface* Picture(int64_t tick) const;

  int64_t Tick() const { return tick_; }
  uint32_t PeekClock() const { return clock_; }
  const std::string& Caption() const { return caption_; }
  bool FieldVisible() const { return fieldVisible_; }
  int PresentCount() const { return presents_; }
  const Surface* LastPresented() const { return lastPresented_; }

  void ShowWindow() override;
  void SetCaption(std::string_view utf8) override;
  void SetFieldVisible(bool visible) override;
  void Present(const Surface& field) override;
  void PumpEvents(WindowEvents& sink) override;
  uint32_t TimeGetTime() override { return clock_++; }
  void SleepUntil(uint32_t) override {}
  MessageBoxAnswer MessageBoxRetryCancel(std::string_view text, std::string_view title) override;
  void ReportFatalError(std::string_view text, std::string_view title) override;
  std::unique_ptr<AudioClip> OpenClip(std::vector<uint8_t> file, bool music) override;
  void PlaySoundFromMemory(const std::vector<uint8_t>& wav) override;
  void SoundCommand(MciControl& control, std::string_view command) override;

 private:
  void Log(const std::string& line);

  HeadlessOptions options_;
  ScriptPlayer script_;
  int64_t tick_ = 0;
  uint32_t clock_;
  std::string caption_;
  bool fieldVisible_ = true;
  int presents_ = 0;
  const Surface* lastPresented_ = nullptr;
  std::set<int64_t> wantedPictures_;
  std::map<int64_t, Surface> pictures_;
  size_t nextAnswer_ = 0;
  InputLine current_;
};

}  // namespace vormelda
