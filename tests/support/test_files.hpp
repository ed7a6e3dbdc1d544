// Files for tests: sound files made by hand, whole-file reads and writes, and a throw-away folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda::testfiles {

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

}  // namespace vormelda::testfiles
