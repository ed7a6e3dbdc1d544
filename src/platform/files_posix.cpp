#include "platform/files.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace vormelda {

namespace {

// A descriptor closed when it goes.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string Size(size_t bytes) {
  return bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                    : std::to_string(bytes) + " bytes";
}

// Opens without waiting for a pipe's writer and without becoming a terminal's reader; only a
// regular file comes back open.
int OpenRegularFile(const std::string& path, std::string& error, struct stat& info) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno == ENOENT ? "file not found" : "not readable";
    return -1;
  }
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    error = "not a regular file";
    return -1;
  }
  return fd;
}

// Reads up to limit + 1 bytes when whole, or limit bytes when not.
FileContent Read(const std::string& path, size_t limit, bool whole) {
  FileContent out;
  struct stat info {};
  const Fd fd(OpenRegularFile(path, out.error, info));
  if (fd.get() < 0) return out;
  if (whole && static_cast<uint64_t>(info.st_size) > limit) {
    out.error = "larger than " + Size(limit);
    return out;
  }
  const size_t want = whole ? limit + 1 : limit;
  out.bytes.resize(std::min<size_t>(want, static_cast<size_t>(info.st_size) + 1));
  size_t done = 0;
  while (done < want) {
    if (done == out.bytes.size()) out.bytes.resize(std::min(want, done * 2 + 4096));
    const ssize_t n = read(fd.get(), out.bytes.data() + done, out.bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
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

// name + kReplacementMark + six letters or digits, as mkstemp fills them in.
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

bool CanOpenRegularFile(const std::string& path) {
  std::string error;
  struct stat info {};
  const Fd fd(OpenRegularFile(path, error, info));
  return fd.get() >= 0;
}

bool IsWritableFolder(const std::string& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

bool ReplaceFileSafely(const std::string& path, std::string_view content) {
  std::string temp = path;
  temp.append(kReplacementMark).append("XXXXXX");
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    std::remove(temp.c_str());
    return false;
  }
  // Make the rename itself last: flush the folder that holds the file.
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const Fd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fsync(dir.get());
  return true;
}

bool CopyFileIfAbsent(const std::string& from, const std::string& to) {
  struct stat info {};
  if (lstat(to.c_str(), &info) == 0 || errno != ENOENT) return false;
  const FileContent file = ReadWholeFile(from, 64 * 1024);
  if (!file.ok) return false;
  return ReplaceFileSafely(
      to, std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
}

void RemoveStaleReplacements(const std::string& folder, std::span<const std::string_view> names) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view file = entry->d_name;
    const bool ours = std::any_of(names.begin(), names.end(), [&](std::string_view name) {
      return IsReplacementOf(file, name);
    });
    if (!ours) continue;
    const std::string path = folder + "/" + std::string(file);
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(path.c_str());
  }
  closedir(dir);
}

TemporaryFolder::TemporaryFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vormelda-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder in " +
                             pattern.substr(0, pattern.size() - 16) + ": " + std::strerror(errno));
  }
  path_ = pattern + "/";
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace vormelda
