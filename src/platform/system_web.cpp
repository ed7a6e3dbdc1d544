// The system's clock and files in the browser (and under node, where the headless runner runs).
// The frame wait yields to the browser: the game's loops stay as they are, and ASYNCIFY unwinds
// them at each sleep so that the page keeps drawing and answering.
#include <emscripten.h>
#include <emscripten/heap.h>

#include <algorithm>
#include <cmath>

#include "platform/files.hpp"
#include "platform/system.hpp"

// In system_web.js.
extern "C" {
void vormelda_sync_files();
void vormelda_offer_download(const char* path);
void vormelda_first_wait();
}

// The page marks the files it fetches after the game has started (the music): on their way, then
// arrived (web/index.html).
extern "C" EMSCRIPTEN_KEEPALIVE void vormelda_file_on_its_way(const char* path, int onItsWay) {
  vormelda::SetFileOnItsWay(path, onItsWay != 0);
}

namespace vormelda {

uint64_t MonotonicNs() {
  return static_cast<uint64_t>(emscripten_get_now() * 1e6);
}

void SleepUntilNs(uint64_t wake) {
  // The browser's timers fire late (by a millisecond, more when it is busy) and, called from one
  // another's callbacks as the game's sleeps are, no sooner than 4 ms. So the sleep, which
  // returns to the browser to draw and to take input, ends early by what the timers were lately
  // late, and the rest of the frame is waited out here. Every frame returns to the browser once.
  static double lateMs = 1.0;
  static bool waited = false;
  if (!waited) {
    waited = true;
    vormelda_first_wait();
  }
  const double target = static_cast<double>(wake) / 1e6;
  const double before = emscripten_get_now();
  const double asked = std::max(0.0, std::floor(target - before - lateMs - 0.5));
  emscripten_sleep(static_cast<unsigned>(asked));
  const double late = emscripten_get_now() - before - asked;
  lateMs = std::min(4.0, std::max(late, lateMs * 0.98));
  while (emscripten_get_now() < target) {
  }
}

void SleepAboutNs(uint64_t ns) {
  emscripten_sleep(static_cast<unsigned>(ns / 1000000));
}

long ResidentMemoryKb() {
  return static_cast<long>(emscripten_get_heap_size() / 1024);
}

void PlayerFilesChanged() {
  vormelda_sync_files();
}

void OfferToPlayer(const std::string& path) {
  vormelda_offer_download(path.c_str());
}

}  // namespace vormelda
