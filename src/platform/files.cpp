// What reading and replacing the game's files means on every system; the system calls under it
// are in files_posix.cpp and files_windows.cpp.
#include "platform/files.hpp"

#include <algorithm>
#include <set>

#include "platform/files_system.hpp"

namespace vormelda {

namespace {

std::set<std::string>& FilesOnTheirWay() {
  static std::set<std::string> files;
  return files;
}

std::string Size(size_t bytes) {
  return bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                    : std::to_string(bytes) + " bytes";
}

// Reads up to limit + 1 bytes when whole, or limit bytes when not.
FileContent Read(const std::string& path, size_t limit, bool whole) {
  FileContent out;
  files::ReadHandle file;
  if (!file.Open(path, out.error)) return out;
  if (whole && file.Size() > limit) {
    out.error = "larger than " + Size(limit);
    return out;
  }
  const size_t want = whole ? limit + 1 : limit;
  out.bytes.resize(static_cast<size_t>(std::min<uint64_t>(want, file.Size() + 1)));
  size_t done = 0;
  while (done < want) {
    if (done == out.bytes.size()) out.bytes.resize(std::min(want, done * 2 + 4096));
    const int64_t n = file.Read(out.bytes.data() + done, out.bytes.size() - done);
    if (n < 0) {
      out.error = "read error";
      out.bytes.clear();
      return out;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  out.bytes.resize(done);
  if (whole && done > limit) {  // it grew while being read
    out.error = "larger than " + Size(limit);
    out.bytes.clear();
    return out;
  }
  out.ok = true;
  return out;
}

// name + kReplacementMark + six letters or digits, as a replacement names its temporary file.
bool IsReplacementOf(std::string_view file, std::string_view name) {
  const size_t stem = name.size() + kReplacementMark.size();
  if (file.size() != stem + 6 || file.substr(0, name.size()) != name ||
      file.substr(name.size(), kReplacementMark.size()) != kReplacementMark) {
    return false;
  }
  return std::all_of(file.begin() + static_cast<std::ptrdiff_t>(stem), file.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

}  // namespace

FileContent ReadWholeFile(const std::string& path, size_t limit) {
  return Read(path, limit, true);
}

FileContent ReadFileStart(const std::string& path, size_t limit) {
  return Read(path, limit, false);
}

void SetFileOnItsWay(const std::string& path, bool onItsWay) {
  if (onItsWay) {
    FilesOnTheirWay().insert(path);
  } else {
    FilesOnTheirWay().erase(path);
  }
}

bool FileOnItsWay(const std::string& path) {
  return FilesOnTheirWay().contains(path);
}

bool CanOpenRegularFile(const std::string& path) {
  if (FileOnItsWay(path)) return true;
  std::string error;
  files::ReadHandle file;
  return file.Open(path, error);
}

bool CopyFileIfAbsent(const std::string& from, const std::string& to) {
  if (files::Exists(to)) return false;
  const FileContent file = ReadWholeFile(from, 64 * 1024);
  if (!file.ok) return false;
  return ReplaceFileSafely(
      to, std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
}

void RemoveStaleReplacements(const std::string& folder, std::span<const std::string_view> names) {
  for (const std::string& file : files::RegularFilesIn(folder)) {
    const bool ours = std::any_of(names.begin(), names.end(), [&](std::string_view name) {
      return IsReplacementOf(file, name);
    });
    if (ours) files::RemoveFile(folder + "/" + file);
  }
}

}  // namespace vormelda
