// What each system's file calls give the rest of files.cpp: one implementation per system
// (files_posix.cpp, files_windows.cpp). Only the platform layer's own files include this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vormelda::files {

// A regular file open for reading. Opening never waits for a pipe's writer nor makes the program
// a terminal's reader, and anything but a regular file is refused.
class ReadHandle {
 public:
  ReadHandle() = default;
  ~ReadHandle();
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;
  // False with the reason in error: "file not found", "not readable", "not a regular file".
  bool Open(const std::string& path, std::string& error);
  uint64_t Size() const { return size_; }
  // Bytes read into `into`, 0 at the end of the file, -1 on an error.
  int64_t Read(uint8_t* into, size_t bytes);

 private:
  intptr_t handle_ = -1;
  uint64_t size_ = 0;
};

// Whether anything at all has this name (a dangling link counts); true also when it cannot be
// told, so that nothing is put where something may be.
bool Exists(const std::string& path);
// The names of the regular files in a folder (not links, not folders); empty when unreadable.
std::vector<std::string> RegularFilesIn(const std::string& folder);
void RemoveFile(const std::string& path);

}  // namespace vormelda::files
