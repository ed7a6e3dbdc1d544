// vormelda: the game in its window.
#include <exception>
#include <string>

#include "platform/folders.hpp"
#include "platform/sdl_platform.hpp"
#include "shell/startup.hpp"

int main() {
  using namespace vormelda;
  std::unique_ptr<Platform> host;
  StartLoadingPictures();  // while the window and its renderer are made
  try {
    host = MakeSdlPlatform(SdlOptions{});
  } catch (const std::exception& e) {
    ShowSdlFatalError(std::string("vormelda: ") + e.what(), kGameTitle);
    return 1;
  }
  Launch.appFolder = FindDataFolder(ExecutableFolder());
  Launch.playerFolder =
      PlayerFolderFor(Launch.appFolder, IsWritableFolder(Launch.appFolder), PreferenceFolder());
  SetHost(host.get());
  int status = RunProgram();
  SetHost(nullptr);
  return status;
}
