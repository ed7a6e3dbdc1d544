// The files beside the program, read and written the way a game whose folder anyone can fill must
// do it: only a regular file is read (a folder, a pipe or a device in its place is unreadable),
// never past a bound and never waiting for a writer; a file is replaced whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vormelda {

struct FileContent {
  bool ok = false;
  std::vector<uint8_t> bytes;
  std::string error;  // why not, for a report: "not a regular file", "larger than 16 MiB", ...
};

// The whole file; a file larger than limit bytes is refused unread.
FileContent ReadWholeFile(const std::string& path, size_t limit);
// At most the first limit bytes of the file.
FileContent ReadFileStart(const std::string& path, size_t limit);
// Whether path names a regular file that opens for reading, or one on its way.
bool CanOpenRegularFile(const std::string& path);
// A file the system is still fetching (the browser fetches the music after the game has started)
// is on its way: it counts as there, and a sound opened from it plays once it has arrived. The
// system marks it on its way, then arrived, whether or not it could be fetched.
void SetFileOnItsWay(const std::string& path, bool onItsWay);
bool FileOnItsWay(const std::string& path);
// Whether this process may create files in the folder.
bool IsWritableFolder(const std::string& folder);

// Replaces a file without ever leaving it half-written: the content goes to a temporary file in
// the same folder, named after the target with kReplacementMark and six more characters, which
// is flushed and renamed over the target. A symbolic link is followed: the file it names is
// replaced and the link stays. On failure the temporary file is removed, the old file stays, and
// false is returned.
bool ReplaceFileSafely(const std::string& path, std::string_view content);
inline constexpr std::string_view kReplacementMark = ".vormelda-new-";

// Copies a small file (at most 64 KiB) to where nothing of that name is yet: a file already
// there, or a folder, is never touched. True when it copied.
bool CopyFileIfAbsent(const std::string& from, const std::string& to);

// Removes what replacements of these files in this folder left behind when the program was
// killed half-way: regular files named after one of them, kReplacementMark and six characters.
// Nothing else is touched.
void RemoveStaleReplacements(const std::string& folder, std::span<const std::string_view> names);

// A new, private folder among the system's temporary files ($TMPDIR, else /tmp), removed with all
// it holds when this goes: where a replay keeps the player's files it makes.
class TemporaryFolder {
 public:
  TemporaryFolder();  // throws std::runtime_error when no folder can be made
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& Path() const { return path_; }  // with a trailing "/"

 private:
  std::string path_;
};

}  // namespace vormelda
