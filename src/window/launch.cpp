#include "window/launch.hpp"

#include "platform/folders.hpp"

namespace vormelda {

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string AppPath() {
  return WithSlash(Launch.appFolder.empty() ? FindDataFolder(ExecutableFolder())
                                            : Launch.appFolder);
}

std::string PlayerPath() {
  return Launch.playerFolder.empty() ? AppPath() : WithSlash(Launch.playerFolder);
}

}  // namespace vormelda
