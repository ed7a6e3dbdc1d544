// The game's files on Windows, through the wide calls so that every name is the UTF-8 name the
// game uses (the certificates' Japanese names too). Files are opened in binary: no line ends are
// changed and no byte ends a read.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define NOGDI
#include <windows.h>

#include <filesystem>
#include <random>
#include <stdexcept>

#include "platform/files.hpp"
#include "platform/files_system.hpp"
#include "platform/system.hpp"
#include "platform/windows_text.hpp"

namespace vormelda {

namespace {

using windows::Utf8;
using windows::Wide;

HANDLE AsHandle(intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}

// Six letters or digits, as a temporary file or folder's name ends.
std::string RandomSuffix() {
  static std::mt19937 random{std::random_device{}() ^ GetCurrentProcessId()};
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i) suffix += kChars[random() % (sizeof kChars - 1)];
  return suffix;
}

bool WriteAll(HANDLE file, std::string_view content) {
  size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

namespace files {

ReadHandle::~ReadHandle() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool ReadHandle::Open(const std::string& path, std::string& error) {
  const std::wstring name = Wide(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD why = GetLastError();
    error = why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND ? "file not found"
                                                                       : "not readable";
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = "not a regular file";
    return false;
  }
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = "not readable";
    return false;
  }
  LARGE_INTEGER size{};
  // A device (CON, NUL, a pipe) is no disk file.
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    error = "not a regular file";
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  size_ = static_cast<uint64_t>(size.QuadPart);
  return true;
}

int64_t ReadHandle::Read(uint8_t* into, size_t bytes) {
  DWORD read = 0;
  const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes, 1 << 30));
  if (!ReadFile(AsHandle(handle_), into, chunk, &read, nullptr)) return -1;
  return read;
}

bool Exists(const std::string& path) {
  if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD why = GetLastError();
  return why != ERROR_FILE_NOT_FOUND && why != ERROR_PATH_NOT_FOUND;
}

std::vector<std::string> RegularFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Wide(folder + "/*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD notPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if ((found.dwFileAttributes & notPlain) == 0) names.push_back(Utf8(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void RemoveFile(const std::string& path) {
  DeleteFileW(Wide(path).c_str());
}

}  // namespace files

bool IsWritableFolder(const std::string& folder) {
  // Permissions on Windows are not told by a question: try to make a file, which goes at once.
  const std::wstring probe = Wide(folder + "/.vormelda-probe-" + RandomSuffix());
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool ReplaceFileSafely(const std::string& path, std::string_view content) {
  std::wstring temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    std::string name = path;
    name.append(kReplacementMark).append(RandomSuffix());
    temp = Wide(name);
    file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, content) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  // Replaces the old file in one step, and returns only once the move is on the disk.
  ok = ok && MoveFileExW(temp.c_str(), Wide(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  if (ok) PlayerFilesChanged();
  return ok;
}

TemporaryFolder::TemporaryFolder() {
  wchar_t base[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, base);
  if (length == 0 || length > MAX_PATH) {
    throw std::runtime_error("cannot find the folder for temporary files");
  }
  const std::string root = Utf8(std::wstring_view(base, length));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = root + "vormelda-" + RandomSuffix();
    if (CreateDirectoryW(Wide(folder).c_str(), nullptr)) {
      path_ = folder + "/";
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot make a temporary folder in " + root);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(Wide(path_)), ignored);
}

}  // namespace vormelda
