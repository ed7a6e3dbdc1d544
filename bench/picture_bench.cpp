// Decoding the generated pictures into the field's format, one at a time: what start-up waits for
// on a system without threads (the browser's).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/platform.hpp"
#include "window/data_files.hpp"

namespace {

using namespace vormelda;

void BM_LoadPicture(benchmark::State& state, std::string_view name) {
  const std::string path = std::string(VORMELDA_GAME_DIR) + "/" + std::string(name);
  for (auto _ : state) {
    Surface picture;
    std::string error;
    if (!LoadPictureFile(path, {4096, 4096, false}, picture, error))
      state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(picture.Pixels().data());
  }
}
BENCHMARK_CAPTURE(BM_LoadPicture, Character, datafile::kCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadPicture, Bomb, datafile::kBomb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadPicture, BombMask, datafile::kBombMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadPicture, Background, datafile::kBackground[0])
    ->Unit(benchmark::kMillisecond);

}  // namespace
