// The few services of the operating system itself that the platform layer and the programs use,
// behind one set of names. Each system has its own files: system_posix.cpp with system_linux.cpp
// or system_web.cpp (the browser), and system_windows.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda {

// A steady clock in nanoseconds, and one precise sleep until it reads `wake` (at once when it
// already does): the frame wait, which must end within a millisecond, spinning at most for the
// last moment where the system's timer ends late (Windows, the browser).
uint64_t MonotonicNs();
void SleepUntilNs(uint64_t wake);
// A sleep of about `ns`, with no promise of precision and no spinning: the paused game's polls.
void SleepAboutNs(uint64_t ns);

// The local date and time now, broken into its fields.
std::tm LocalTimeNow();

// The memory this process holds in RAM, in KiB; -1 where the system does not say.
long ResidentMemoryKb();

// File names are UTF-8 strings in the game. These turn them into the system's paths and back, so
// that a name such as the certificates' Japanese ones means the same file on every system.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

// After a player's file was written: where the system keeps such files apart from the running
// program (the browser's storage), they are written through to it now. Elsewhere nothing to do.
void PlayerFilesChanged();

// A file made for the player (a screenshot) reaches them where they could not otherwise see it:
// the browser downloads it. Elsewhere it simply stays where it was written.
void OfferToPlayer(const std::string& path);

// The program's arguments in UTF-8, whatever the system handed to main.
std::vector<std::string> ArgumentsUtf8(int argc, char** argv);

// A program without a console of its own (a Windows GUI program) writes its help, its version and
// its one-line messages to the console it was started from, if any. Elsewhere nothing to do.
void UseParentConsole();

// While one lives, what the sound libraries would write to stderr goes nowhere.
class StderrSilenced {
 public:
  StderrSilenced();
  ~StderrSilenced();
  StderrSilenced(const StderrSilenced&) = delete;
  StderrSilenced& operator=(const StderrSilenced&) = delete;

 private:
  int saved_ = -1;
};

// Memory for large pictures, aligned for the system's large pages where it offers them; freed
// with FreeLargeBlock.
void* AllocateLargeBlock(size_t bytes, size_t alignment);
void FreeLargeBlock(void* block) noexcept;

}  // namespace vormelda
