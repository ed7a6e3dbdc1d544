#include "platform/folders.hpp"

#include <SDL.h>
#include <unistd.h>

#include <filesystem>

namespace vormelda {

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

std::string FindDataFolder(const std::string& programFolder) {
  const std::filesystem::path program(programFolder);
  for (const auto& candidate : {program, program / ".." / "share" / "vormelda"}) {
    std::error_code ec;
    if (std::filesystem::is_directory(candidate / "Picture", ec)) {
      const auto found = std::filesystem::canonical(candidate, ec);
      return ec ? candidate.string() : found.string();
    }
  }
  return programFolder;
}

bool IsWritableFolder(const std::string& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::string> PreferenceFolder() {
  char* path = SDL_GetPrefPath("", "vormelda");
  if (path == nullptr) return std::nullopt;
  std::string folder(path);
  SDL_free(path);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string PlayerFolderFor(const std::string& dataFolder, bool dataFolderWritable,
                            const std::optional<std::string>& preferenceFolder) {
  if (dataFolderWritable || !preferenceFolder) return dataFolder;
  return *preferenceFolder;
}

}  // namespace vormelda
