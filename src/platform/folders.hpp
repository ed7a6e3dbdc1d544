// Where the program's data and the player's files are: the data beside the program in a build,
// or in share/vormelda of the prefix it is installed in; the player's files with the data where
// the player may write there, else in the player's own folder.
#pragma once

#include <optional>
#include <string>

namespace vormelda {

// The folder of the running program.
std::string ExecutableFolder();

// The data folder for a program in this folder: the folder itself when it holds the pictures (a
// build), else ../share/vormelda when that does (an install in games/ or bin/), else the folder.
std::string FindDataFolder(const std::string& programFolder);

// The player's own folder for the game's files ($XDG_DATA_HOME/vormelda, usually
// ~/.local/share/vormelda), made if need be; empty when there is none.
std::optional<std::string> PreferenceFolder();

// Where the player's files (the high score, the certificates) go: with the data when that folder
// is writable, as in a build; else the player's own folder, when there is one.
std::string PlayerFolderFor(const std::string& dataFolder, bool dataFolderWritable,
                            const std::optional<std::string>& preferenceFolder);

}  // namespace vormelda
