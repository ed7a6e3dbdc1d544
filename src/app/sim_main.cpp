// vormelda-sim: the real program, from Main on, on the headless back end, as fast as the machine
// allows; with scripted input, a JSON Lines trace, screenshots and a log of platform events.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "app/autoplay.hpp"
#include "app/trace.hpp"
#include "platform/headless_platform.hpp"
#include "shell/scene.hpp"
#include "shell/startup.hpp"

using namespace vormelda;

namespace {

// The resident set size of this process, from the kernel's status file.
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

struct VerifyMismatch {
  int64_t tick;
};

// FNV-1a over the trace record: every global, record and list of the state at a yield.
std::string StateChecksum(int64_t tick, uint32_t clock) {
  const std::string text =
      TraceRecord(tick, clock)
          .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return hex;
}

// The "# check TICK HEX" comments of a recorded script.
std::map<int64_t, std::string> ReadChecks(const std::string& file) {
  std::ifstream in(file);
  std::map<int64_t, std::string> checks;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string hash, check, hex;
    int64_t tick = 0;
    if (words >> hash >> check >> tick >> hex && hash == "#" && check == "check")
      checks[tick] = hex;
  }
  return checks;
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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Vormelda, headless: runs the game without a display or audio device"};
  std::string dataDir, inputFile, traceFile, logFile, messageBoxes;
  uint32_t seed = 1;
  uint32_t clockStart = 0;
  int64_t ticks = -1;
  int64_t traceEvery = 1;
  std::vector<std::string> shots;
  std::string start;
  std::string autoplay, recordFile, verifyFile;
  int games = 1;
  bool memory = false;
  app.add_option("--data", dataDir, "folder used as the program's folder (default: beside me)");
  app.add_option("--seed", seed, "random seed")->capture_default_str();
  app.add_option("--clock-start", clockStart, "first reading of the virtual clock");
  app.add_option("--ticks", ticks, "run this many ticks, then close the window");
  app.add_option("--input", inputFile, "input script: lines TICK TOKEN...");
  app.add_option("--trace", traceFile, "JSON Lines trace, one object per tick");
  app.add_option("--trace-every", traceEvery, "trace every Nth tick")->check(CLI::PositiveNumber);
  app.add_option("--shot", shots, "TICK:FILE.png, the picture shown at that tick (repeatable)");
  app.add_option("--log", logFile, "a line per platform event");
  app.add_option("--message-box", messageBoxes, "answers to Retry/Cancel boxes: retry,cancel,...");
  app.add_option("--start", start, "boss, boss:75 or boss:100: a practice start at the boss");
  app.add_option("--autoplay", autoplay, "play by itself: 60, or 75 / 100 to start with X / Z")
      ->expected(0, 1)
      ->default_str("60");
  app.add_option("--games", games, "games the autoplay plays before it closes the window");
  app.add_option("--record", recordFile, "write the run's input script with state checksums");
  app.add_option("--verify", verifyFile, "replay a recorded script, failing at a differing tick");
  app.add_flag("--memory", memory, "print the resident memory at every visit of the title screen");
  CLI11_PARSE(app, argc, argv);
  const bool autoplaying = app.count("--autoplay") > 0;
  if (autoplaying && autoplay.empty()) autoplay = "60";

  HeadlessOptions options;
  std::map<int64_t, std::string> shotFiles;
  std::ofstream trace, log;
  try {
    if (!start.empty()) {
      if (start == "boss") {
        Launch.bossPractice = 60;
      } else if (start == "boss:75") {
        Launch.bossPractice = 75;
      } else if (start == "boss:100") {
        Launch.bossPractice = 100;
      } else {
        throw std::runtime_error("--start takes boss, boss:75 or boss:100");
      }
    }
    options.clockStart = clockStart;
    options.ticks = ticks;
    if (!messageBoxes.empty()) options.messageBoxAnswers = ParseAnswers(messageBoxes);
    if (!verifyFile.empty()) {
      inputFile = verifyFile;
      // A recording names its seed in its first line; an explicit --seed wins.
      std::ifstream in(verifyFile);
      std::string first;
      const std::string mark = "# vormelda-sim input script, seed ";
      if (std::getline(in, first) && first.rfind(mark, 0) == 0 && app.count("--seed") == 0) {
        seed = static_cast<uint32_t>(std::stoul(first.substr(mark.size())));
      }
    }
    if (autoplaying && autoplay != "60" && autoplay != "75" && autoplay != "100") {
      throw std::runtime_error("--autoplay takes 60, 75 or 100");
    }
    if (!inputFile.empty()) {
      std::ifstream in(inputFile);
      if (!in) throw std::runtime_error("cannot read the input script " + inputFile);
      options.input = ParseInputScript(in);
    }
    for (const std::string& shot : shots) {
      auto colon = shot.find(':');
      if (colon == std::string::npos) throw std::runtime_error("--shot takes TICK:FILE.png");
      shotFiles[std::stoll(shot.substr(0, colon))] = shot.substr(colon + 1);
    }
    if (!traceFile.empty()) {
      trace.open(traceFile, std::ios::binary);
      if (!trace) throw std::runtime_error("cannot write the trace " + traceFile);
    }
    if (!logFile.empty()) {
      log.open(logFile, std::ios::binary);
      if (!log) throw std::runtime_error("cannot write the log " + logFile);
      options.log = &log;
    }
  } catch (const std::exception& e) {
    std::cerr << "vormelda-sim: " << e.what() << '\n';
    return 2;
  }

  std::map<int64_t, std::string> checks;
  if (!verifyFile.empty()) checks = ReadChecks(verifyFile);
  std::ofstream record;
  if (!recordFile.empty()) {
    record.open(recordFile, std::ios::binary);
    if (!record) {
      std::cerr << "vormelda-sim: cannot write " << recordFile << '\n';
      return 2;
    }
    record << "# vormelda-sim input script, seed " << seed << '\n';
  }

  HeadlessPlatform host(std::move(options));
  std::unique_ptr<Autoplay> player;
  if (autoplaying) {
    AutoplayOptions ao;
    ao.framesPerSecond = static_cast<uint8_t>(std::stoi(autoplay));
    ao.games = games;
    ao.seed = seed;
    player = std::make_unique<Autoplay>(ao, host, std::cout);
    host.inputProvider = [&](int64_t tick) { return player->Decide(tick); };
  }
  InputLine lastRecorded;
  bool recordedAny = false;
  int checked = 0;
  int titleVisits = 0;
  std::string_view lastScene;
  for (const auto& [tick, file] : shotFiles) host.WantPicture(tick);
  host.onYield = [&](int64_t tick) {
    if (memory && CurrentScene == "title" && lastScene != "title") {
      std::cout << "memory title-visit=" << ++titleVisits << " rss_kb=" << ResidentKb() << '\n';
    }
    lastScene = CurrentScene;
    if (record.is_open()) {
      const InputLine& now = host.CurrentInput();
      const bool changed = !recordedAny || now.heldKeys != lastRecorded.heldKeys ||
                           now.joystick != lastRecorded.joystick || now.joyX != lastRecorded.joyX ||
                           now.joyY != lastRecorded.joyY ||
                           now.joyButtons != lastRecorded.joyButtons;
      if (changed || !now.tappedKeys.empty() || now.close) {
        record << FormatInputLine(now) << '\n';
        lastRecorded = now;
        recordedAny = true;
      }
      if (tick % 60 == 0)
        record << "# check " << tick << ' ' << StateChecksum(tick, host.PeekClock()) << '\n';
    }
    if (auto it = checks.find(tick); it != checks.end()) {
      if (StateChecksum(tick, host.PeekClock()) != it->second) throw VerifyMismatch{tick};
      ++checked;
    }
    if (trace.is_open() && tick % traceEvery == 0) {
      trace << TraceRecord(tick, host.PeekClock())
                   .dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    }
    if (auto it = shotFiles.find(tick); it != shotFiles.end()) {
      const Surface* picture = host.Picture(tick);
      Surface black(420, 560);
      if (picture == nullptr) {
        const Surface* shown = host.LastPresented();
        picture = shown != nullptr && host.FieldVisible() ? shown : &black;
      }
      if (!SavePng(*picture, it->second)) {
        std::cerr << "vormelda-sim: cannot write " << it->second << '\n';
      }
    }
  };
  SetHost(&host);
  Launch.appFolder = dataDir;
  Launch.seed = seed;
  int status = 0;
  try {
    status = RunProgram();
  } catch (const VerifyMismatch& m) {
    std::cerr << "vormelda-sim: verify: the state differs from the recording at tick " << m.tick
              << '\n';
    status = 1;
  }
  SetHost(nullptr);
  if (status == 0 && !verifyFile.empty()) {
    if (checked != static_cast<int>(checks.size())) {
      std::cerr << "vormelda-sim: verify: the run ended after " << checked << " of "
                << checks.size() << " checks\n";
      return 1;
    }
    std::cout << "verify: " << checked << " checks passed\n";
  }
  return status;
}
