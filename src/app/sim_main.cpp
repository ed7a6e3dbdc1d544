// vormelda-sim: the real program, from Main on, on the headless back end, as fast as the machine
// allows; with scripted input, a JSON Lines trace, screenshots and a log of platform events.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "app/trace.hpp"
#include "platform/headless_platform.hpp"
#include "shell/startup.hpp"

using namespace vormelda;

namespace {

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
  CLI11_PARSE(app, argc, argv);

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

  HeadlessPlatform host(std::move(options));
  for (const auto& [tick, file] : shotFiles) host.WantPicture(tick);
  host.onYield = [&](int64_t tick) {
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
  int status = RunProgram();
  SetHost(nullptr);
  return status;
}
