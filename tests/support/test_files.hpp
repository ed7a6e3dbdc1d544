// Files for tests: sound files made by hand, whole-file reads and writes, a throw-away folder, a
// game folder holding every data file the program opens, and a limit on what a write may hold.
#pragma once

#include <sys/resource.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda::testing {

// A PCM WAV of the given length: 8 kHz, mono, 8-bit, so 8 data bytes per millisecond.
std::vector<uint8_t> MakeWav(int lengthMs);
// frames MPEG-1 layer III frames at 128 kbps and 44.1 kHz: 417 bytes and 1152 samples each.
std::vector<uint8_t> MakeMp3(int frames);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view content);
// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& path);

// A fresh folder in the temp directory, removed again by the destructor (read-only or not).
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

// Every picture of start-up (small sheets; the backgrounds with row y coloured
// BackgroundPixel(i, y)), every effect, the stage music and a HighScore.ini holding 00000.
class FakeGameFolder : public TempFolder {
 public:
  FakeGameFolder();
  void Write(std::string_view name, std::string_view content) const;
  void Remove(std::string_view name) const;
  static uint32_t BackgroundPixel(int picture, int y);
};

// Limits the size of any file this process writes, for as long as it lives: a write past the
// limit fails, as on a full disk, even for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace vormelda::testing
