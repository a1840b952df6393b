#pragma once
// What it takes for a finished file to be there after a crash: its data on
// the disk before its name appears, and a name that never replaces another.
#include <cstddef>
#include <string>

namespace platform {

// Flushes a file, or a folder with everything in it, to the disk; false
// when anything could not be flushed.
bool SyncToDisk(const std::string& path);

// Flushes the entries of a folder (names made, renamed or removed).
bool SyncFolderEntries(const std::string& folder);

// Renames a file or folder within its file system, failing with EEXIST
// when `to` exists (also an empty folder, which rename(2) would replace).
// 0 on success, else the errno value.
int RenameWithoutReplacing(const std::string& from, const std::string& to);

// Writes data to path through a new file in the same folder that takes the
// name only once its data is on the disk, so that after a crash path holds
// the old text or the whole new one. The new file gets mode. False when
// anything failed; path is then as it was.
bool ReplaceFileContents(const std::string& path, const std::string& data, unsigned mode);
// The longest file name, in bytes, the folder's file system takes.
std::size_t NameLimit(const std::string& folder);

}  // namespace platform
