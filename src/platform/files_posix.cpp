// The game's files on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/files.hpp"
#include "platform/files_system.hpp"
#include "platform/system.hpp"

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

}  // namespace

namespace files {

ReadHandle::~ReadHandle() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool ReadHandle::Open(const std::string& path, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno == ENOENT ? "file not found" : "not readable";
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    error = "not a regular file";
    return false;
  }
  handle_ = fd;
  size_ = static_cast<uint64_t>(info.st_size);
  return true;
}

int64_t ReadHandle::Read(uint8_t* into, size_t bytes) {
  for (;;) {
    const ssize_t n = read(static_cast<int>(handle_), into, bytes);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

std::vector<std::string> RegularFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    struct stat info {};
    const std::string path = folder + "/" + entry->d_name;
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.push_back(entry->d_name);
  }
  closedir(dir);
  return names;
}

void RemoveFile(const std::string& path) {
  unlink(path.c_str());
}

}  // namespace files

bool IsWritableFolder(const std::string& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

namespace {

// Where a file's content really lives: a symbolic link (to a synchronised folder, say) is
// followed to the file it names, even one not made yet, so that the link stays a link.
std::string LinkTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path at = PathOf(path);
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(at, ec); ++hops) {
    const fs::path to = fs::read_symlink(at, ec);
    if (ec) break;
    at = to.is_absolute() ? to : at.parent_path() / to;
  }
  return Utf8Of(at);
}

}  // namespace

bool ReplaceFileSafely(const std::string& file, std::string_view content) {
  const std::string path = LinkTarget(file);
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
  PlayerFilesChanged();
  return true;
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
