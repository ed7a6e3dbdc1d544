// vormelda-datagen [OUTPUT_FOLDER] [--contact-sheet FILE] [--icons FOLDER] [--windows-icon FILE]:
// writes the game's data files into OUTPUT_FOLDER, the contact sheet of every sprite as the PNG
// file FILE, the program's icons below FOLDER (hicolor/SIZExSIZE/apps/vormelda.png), and the
// Windows program's icon as an .ico file.
#include <cstdio>
#include <exception>
#include <string>

#include "contact_sheet.hpp"
#include "datagen.hpp"

int main(int argc, char** argv) {
  std::string folder;
  std::string contactSheet;
  std::string icons;
  std::string windowsIcon;
  bool ok = argc > 1;
  for (int i = 1; i < argc && ok; ++i) {
    const std::string arg = argv[i];
    if (arg == "--contact-sheet" && i + 1 < argc && contactSheet.empty()) {
      contactSheet = argv[++i];
    } else if (arg == "--icons" && i + 1 < argc && icons.empty()) {
      icons = argv[++i];
    } else if (arg == "--windows-icon" && i + 1 < argc && windowsIcon.empty()) {
      windowsIcon = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && folder.empty()) {
      folder = arg;
    } else {
      ok = false;
    }
  }
  if (!ok) {
    std::fprintf(stderr,
                 "usage: %s [OUTPUT_FOLDER] [--contact-sheet FILE] [--icons FOLDER] "
                 "[--windows-icon FILE]\n",
                 argv[0]);
    return 2;
  }
  try {
    if (!folder.empty()) vormelda::datagen::GenerateAll(folder);
    if (!contactSheet.empty()) vormelda::datagen::WriteContactSheet(contactSheet);
    if (!icons.empty()) vormelda::datagen::WriteIcons(icons);
    if (!windowsIcon.empty()) vormelda::datagen::WriteWindowsIcon(windowsIcon);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vormelda-datagen: %s\n", e.what());
    return 1;
  }
  return 0;
}
