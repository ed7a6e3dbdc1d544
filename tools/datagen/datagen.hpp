// The data generator: writes every picture, sound and music file the game reads.
#pragma once

#include <string>
#include <vector>

namespace vormelda::datagen {

// The files written, relative to the output folder, in the order they are written.
const std::vector<std::string>& OutputFiles();

// Writes all files under `folder` (creating Picture/ and Music/). Throws std::runtime_error
// on a write error. The same files, byte for byte, on every run.
void GenerateAll(const std::string& folder);

// The sizes of the program's icons, and where they go below a folder:
// hicolor/SIZExSIZE/apps/vormelda.png, as the icon theme wants them.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// Writes the icons, drawn from the ship, below `folder`.
void WriteIcons(const std::string& folder);
// The sizes in the Windows icon, and the icon file itself: each size a PNG inside.
inline constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 64, 256};
void WriteWindowsIcon(const std::string& file);

}  // namespace vormelda::datagen
