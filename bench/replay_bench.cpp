// Headless ticks per second over a whole game: the committed perfect game replayed from Main on,
// pictures drawn and all.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "flow/startup.hpp"
#include "platform/headless_platform.hpp"
#include "records/game_state.hpp"
#include "window/form_main.hpp"

namespace {

using namespace vormelda;

void BM_ReplayWholeGame(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "vormelda-replay-bench";
  fs::create_directories(folder);
  for (const char* part : {"Picture", "Music"}) {
    fs::remove(folder / part);
    fs::create_directory_symlink(fs::path(VORMELDA_GAME_DIR) / part, folder / part);
  }
  std::ifstream script(VORMELDA_REPLAY);
  const std::vector<InputLine> input = ParseInputScript(script);
  int64_t ticks = 0;
  for (auto _ : state) {
    std::ofstream(folder / "HighScore.ini", std::ios::binary) << "#\r\n00000\r\n";
    HeadlessOptions options;
    options.input = input;
    HeadlessPlatform host(options);
    SetHost(&host);
    Game = {};
    frmMain.Reset();
    Launch = {};
    Launch.appFolder = folder.string();
    Launch.seed = 4u;
    RunProgram();
    ticks += host.Tick();
    SetHost(nullptr);
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".txt") fs::remove(entry.path());
  }
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayWholeGame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
