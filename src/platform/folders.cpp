#include "platform/folders.hpp"

#include <SDL.h>

#include <filesystem>

#include "platform/system.hpp"

namespace vormelda {

namespace {

// Without the separators at its end, but for a root.
std::string WithoutTrailingSeparators(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace

std::string ExecutableFolder() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) {
    std::error_code ec;
    return Utf8Of(std::filesystem::current_path(ec));
  }
  std::string folder(base);
  SDL_free(base);
  return WithoutTrailingSeparators(folder);
}

std::string FindDataFolder(const std::string& programFolder) {
  const std::filesystem::path program = PathOf(programFolder);
  for (const auto& candidate : {program, program / ".." / "share" / "vormelda"}) {
    std::error_code ec;
    if (std::filesystem::is_directory(candidate / "Picture", ec)) {
      const auto found = std::filesystem::canonical(candidate, ec);
      return Utf8Of(ec ? candidate : found);
    }
  }
  return programFolder;
}

std::optional<std::string> PreferenceFolder() {
  char* path = SDL_GetPrefPath("", "vormelda");
  if (path == nullptr) return std::nullopt;
  std::string folder(path);
  SDL_free(path);
  return WithoutTrailingSeparators(folder);
}

std::string PlayerFolderFor(const std::string& dataFolder, bool dataFolderWritable,
                            const std::optional<std::string>& preferenceFolder) {
  if (dataFolderWritable || !preferenceFolder) return dataFolder;
  return *preferenceFolder;
}

}  // namespace vormelda
