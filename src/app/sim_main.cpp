// vormelda-sim: the real program, from Main on, on the headless back end, as fast as the machine
// allows; with scripted input, a JSON Lines trace, screenshots, a log of platform events, the
// autoplay, and recordings made and verified.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "app/autoplay.hpp"
#include "app/command_line.hpp"
#include "app/recording.hpp"
#include "app/trace.hpp"
#include "flow/startup.hpp"
#include "platform/headless_platform.hpp"
#include "platform/system.hpp"
#include "records/scene.hpp"

using namespace vormelda;

namespace {

// A run longer than this is a mistake: a whole game takes about 10 000 ticks.
constexpr int64_t kMaxTicks = 100'000'000;

struct SimOptions {
  std::string dataDir, saveDir, inputFile, traceFile, logFile, messageBoxes, recordFile, verifyFile;
  uint32_t seed = 1;
  uint32_t clockStart = 0;
  int64_t ticks = -1;  // no limit
  int64_t traceEvery = 1;
  std::vector<std::string> shots;
  std::string start = "title";
  std::string autoplay;  // empty: no autoplay
  int games = 1;
  bool memory = false;
};

// The command line; nullopt to go on, or the exit status (help, or an error CLI11 reported).
std::optional<int> ParseOptions(int argc, char** argv, SimOptions& o) {
  CLI::App app{"Vormelda, headless: runs the game without a display or audio device"};
  app.add_option("--data", o.dataDir, "the data folder (default: found from where I am)");
  auto* save = app.add_option("--save", o.saveDir,
                              "the folder of the player's files (default: the data folder)");
  auto* seed = app.add_option("--seed", o.seed, "random seed")->capture_default_str();
  app.add_option("--clock-start", o.clockStart, "first reading of the virtual clock");
  app.add_option("--ticks", o.ticks, "run this many ticks, then close the window")
      ->check(CLI::Range(int64_t{1}, kMaxTicks));
  app.add_option("--input", o.inputFile, "input script: lines TICK TOKEN...")
      ->check(CLI::ExistingFile);
  app.add_option("--trace", o.traceFile, "JSON Lines trace, one object per tick");
  app.add_option("--trace-every", o.traceEvery, "trace every Nth tick")
      ->check(CLI::Range(int64_t{1}, kMaxTicks));
  app.add_option("--shot", o.shots, "TICK:FILE.png, the picture shown at that tick (repeatable)");
  app.add_option("--log", o.logFile, "a line per platform event");
  auto* boxes = app.add_option("--message-box", o.messageBoxes,
                               "answers to Retry/Cancel boxes: retry,cancel,...");
  auto* start = app.add_option("--start", o.start,
                               "title, or boss, boss:75 or boss:100: a "
                               "practice start at the boss")
                    ->check(CLI::IsMember({"title", "boss", "boss:75", "boss:100"}));
  app.add_option("--autoplay", o.autoplay, "play by itself: 60, or 75 / 100 to start with X / Z")
      ->expected(0, 1)
      ->default_str("60")
      ->check(CLI::IsMember({"", "60", "75", "100"}));
  app.add_option("--games", o.games, "games the autoplay plays before it closes the window")
      ->check(CLI::Range(1, 1000));
  app.add_option("--record", o.recordFile, "write the run as a recording with state checksums");
  app.add_option("--verify", o.verifyFile, "replay a recording, failing at a differing tick")
      ->check(CLI::ExistingFile)
      ->excludes(seed, start, boxes, save);
  app.add_flag("--memory", o.memory,
               "print the resident memory at every visit of the title screen");
  if (auto status = vormelda::ParseCommandLine(app, argc, argv, "vormelda-sim")) return status;
  if (app.count("--autoplay") > 0 && o.autoplay.empty()) o.autoplay = "60";
  return std::nullopt;
}

std::vector<MessageBoxAnswer> ParseAnswers(const std::string& list) {
  std::vector<MessageBoxAnswer> answers;
  std::stringstream in(list);
  std::string word;
  while (std::getline(in, word, ',')) {
    if (word == "retry") {
      answers.push_back(MessageBoxAnswer::Retry);
    } else if (word == "cancel") {
      answers.push_back(MessageBoxAnswer::Cancel);
    } else {
      throw std::runtime_error("--message-box takes retry and cancel, not " + word);
    }
  }
  return answers;
}

// "TICK:FILE.png" with TICK a tick of the run.
std::pair<int64_t, std::string> ParseShot(const std::string& shot) {
  const auto colon = shot.find(':');
  const auto tick = colon == std::string::npos
                        ? std::nullopt
                        : ParseWholeNumber(std::string_view(shot).substr(0, colon), 1, kMaxTicks);
  if (!tick || colon + 1 == shot.size()) {
    throw std::runtime_error("--shot takes TICK:FILE.png with TICK from 1 to " +
                             std::to_string(kMaxTicks) + ", not " + shot);
  }
  return {*tick, shot.substr(colon + 1)};
}

// Everything a run writes or checks at each yield.
class RunOutputs {
 public:
  // Opens the files the options name; throws std::runtime_error naming one that cannot be used.
  RunOutputs(const SimOptions& o, const RecordingHeader& header, HeadlessOptions& hostOptions,
             const std::optional<std::map<int64_t, std::string>>& checks) {
    memory_ = o.memory;
    for (const std::string& shot : o.shots) shotFiles_.insert(ParseShot(shot));
    Open(trace_, o.traceFile, "the trace");
    traceEvery_ = o.traceEvery;
    if (Open(log_, o.logFile, "the log")) hostOptions.log = &log_;
    if (Open(record_, o.recordFile, "the recording")) {
      recorder_ = std::make_unique<Recorder>(record_, header);
    }
    if (checks) verifier_ = std::make_unique<Verifier>(*checks);
  }

  void Attach(HeadlessPlatform& host) {
    for (const auto& [tick, file] : shotFiles_) host.WantPicture(tick);
    host.onYield = [this, &host](int64_t tick) { OnYield(host, tick); };
    if (recorder_) host.onMessageBox = [this](MessageBoxAnswer a) { recorder_->OnMessageBox(a); };
  }

  // After a run that ended normally: 0, or 1 when a recording was not verified to its end.
  int Finish() const {
    if (!verifier_) return 0;
    if (verifier_->Checked() != verifier_->Expected()) {
      std::cerr << "vormelda-sim: verify: the run ended after " << verifier_->Checked() << " of "
                << verifier_->Expected() << " checks\n";
      return 1;
    }
    std::cout << "verify: " << verifier_->Checked() << " checks passed\n";
    return 0;
  }

 private:
  template <typename Stream>
  static bool Open(Stream& stream, const std::string& file, const std::string& what) {
    if (file.empty()) return false;
    stream.open(PathOf(file), std::ios::binary);
    if (!stream) throw std::runtime_error("cannot write " + what + " " + file);
    return true;
  }

  void OnYield(const HeadlessPlatform& host, int64_t tick) {
    if (memory_ && CurrentScene == "title" && lastScene_ != "title") {
      std::cout << "memory title-visit=" << ++titleVisits_ << " rss_kb=" << ResidentMemoryKb()
                << '\n';
    }
    lastScene_ = CurrentScene;
    if (recorder_) recorder_->OnYield(tick, host.CurrentInput());
    if (verifier_) verifier_->OnYield(tick);
    if (trace_.is_open() && tick % traceEvery_ == 0) {
      trace_ << TraceRecord(tick, host.PeekClock())
                    .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
             << '\n';
    }
    if (auto it = shotFiles_.find(tick); it != shotFiles_.end()) SaveShot(host, it->second);
  }

  // The picture shown at this tick: the last refresh, or black while the field is hidden.
  static void SaveShot(const HeadlessPlatform& host, const std::string& file) {
    const Surface black(420, 560);
    const Surface* picture = host.Picture(host.Tick());
    if (picture == nullptr) {
      const Surface* shown = host.LastPresented();
      picture = shown != nullptr && host.FieldVisible() ? shown : &black;
    }
    if (!SavePng(*picture, file)) std::cerr << "vormelda-sim: cannot write " << file << '\n';
  }

  bool memory_ = false;
  int titleVisits_ = 0;
  std::string_view lastScene_;
  std::map<int64_t, std::string> shotFiles_;
  std::ofstream trace_, log_, record_;
  int64_t traceEvery_ = 1;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<Verifier> verifier_;
};

// The platform's options from the command line; the recording's header and checks when verifying.
HeadlessOptions HostOptions(const SimOptions& o, RecordingHeader& header,
                            std::optional<std::map<int64_t, std::string>>& checks) {
  HeadlessOptions options;
  options.clockStart = o.clockStart;
  options.ticks = o.ticks;
  if (!o.messageBoxes.empty()) options.messageBoxAnswers = ParseAnswers(o.messageBoxes);
  header = {o.seed, StartMode::Parse(o.start)};
  if (!o.verifyFile.empty()) {
    Replay replay = ReadReplay(o.verifyFile, "--verify");
    header = replay.header;
    options.messageBoxAnswers = std::move(replay.answers);
    options.input = std::move(replay.input);
    checks = std::move(replay.checks);
    if (options.ticks < 0) options.ticks = replay.end;
  } else if (!o.inputFile.empty()) {
    std::ifstream in(PathOf(o.inputFile), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the input script " + o.inputFile);
    options.input = ParseInputScript(in);
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  SimOptions o;
  if (auto status = ParseOptions(argc, argv, o)) return *status;

  RecordingHeader header;
  HeadlessOptions hostOptions;
  std::unique_ptr<TemporaryFolder> replayFolder;
  std::unique_ptr<RunOutputs> outputs;
  Launch.appFolder = o.dataDir;
  Launch.playerFolder = o.saveDir;
  try {
    std::optional<std::map<int64_t, std::string>> checks;
    hostOptions = HostOptions(o, header, checks);
    if (!o.verifyFile.empty()) replayFolder = UseReplayFolder(header.files);
    if (!o.recordFile.empty()) header.files = StartingPlayerFiles();
    outputs = std::make_unique<RunOutputs>(o, header, hostOptions, checks);
  } catch (const std::exception& e) {
    std::cerr << "vormelda-sim: " << e.what() << '\n';
    return 2;
  }

  HeadlessPlatform host(std::move(hostOptions));
  outputs->Attach(host);
  std::unique_ptr<Autoplay> player;
  if (!o.autoplay.empty()) {
    const AutoplayOptions ao{static_cast<uint8_t>(std::stoi(o.autoplay)), o.games, header.seed};
    player = std::make_unique<Autoplay>(ao, host, std::cout);
    host.inputProvider = [&](int64_t tick) { return player->Decide(tick); };
  }
  SetHost(&host);
  Launch.seed = header.seed;
  Launch.bossPractice = header.start.bossPractice;
  int status = 0;
  try {
    status = RunProgram();
  } catch (const VerifyMismatch& m) {
    std::cerr << "vormelda-sim: verify: the state differs from the recording at tick " << m.tick
              << '\n';
    status = 1;
  }
  SetHost(nullptr);
  return status == 0 ? outputs->Finish() : status;
}
