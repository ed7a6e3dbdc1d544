// Preloaded into the game by bench/window_bench.py: notes the monotonic time at which every
// refresh of the window (SDL_RenderPresent) starts and ends, and of every caption, and writes them
// at exit to the file that VORMELDA_TIMING_LOG names, one line each: "present START END" or
// "caption AT TEXT" (nanoseconds).
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Note {
  unsigned long long start;
  unsigned long long end;
  std::string caption;  // empty for a present
};

std::mutex gMutex;
std::vector<Note>& Notes() {
  static auto* notes = new std::vector<Note>();  // left alive for the exit handler
  return *notes;
}

unsigned long long NowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<unsigned long long>(t.tv_sec) * 1000000000ull +
         static_cast<unsigned long long>(t.tv_nsec);
}

void Record(Note note) {
  const std::lock_guard<std::mutex> lock(gMutex);
  Notes().push_back(std::move(note));
}

void WriteNotes() {
  const char* path = std::getenv("VORMELDA_TIMING_LOG");
  if (path == nullptr) return;
  std::FILE* out = std::fopen(path, "w");
  if (out == nullptr) return;
  const std::lock_guard<std::mutex> lock(gMutex);
  for (const Note& n : Notes()) {
    if (n.caption.empty()) {
      std::fprintf(out, "present %llu %llu\n", n.start, n.end);
    } else {
      std::fprintf(out, "caption %llu %s\n", n.start, n.caption.c_str());
    }
  }
  std::fclose(out);
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

__attribute__((constructor)) void Start() {
  Notes().reserve(1 << 20);
  std::atexit(WriteNotes);
}

}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
  static const auto next = Next<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
  const unsigned long long start = NowNs();
  next(renderer);
  Record({start, NowNs(), {}});
}

extern "C" void SDL_SetWindowTitle(SDL_Window* window, const char* title) {
  static const auto next = Next<void (*)(SDL_Window*, const char*)>("SDL_SetWindowTitle");
  next(window, title);
  const unsigned long long at = NowNs();
  Record({at, at, title != nullptr && *title != '\0' ? title : " "});
}
