#pragma once
// Thin POSIX wrappers for files, folders and disk space. Paths are UTF-8.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Folder of the running executable, ending with '/'.
std::string ExecutableDirectory();

// The user's home folder ($HOME, else the password database), ending with '/'.
std::string HomeDirectory();

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
bool MakeDirectory(const std::string& path);

// Bytes available to an unprivileged user on the file system holding path.
std::optional<std::uint64_t> FreeBytes(const std::string& path);
// Why the file cannot be opened for reading: the system's error number
// (ENOENT, EACCES ...); 0 when it can.
int ReadError(const std::string& path);

// Size of a regular file in bytes.
std::optional<std::uint64_t> FileBytes(const std::string& path);

// Removes a folder and everything in it; false when anything stayed behind.
bool RemoveTree(const std::string& path);
bool RemoveFile(const std::string& path);

// A private folder of this user: created (with missing parents) with mode
// 0700, or accepted when it already exists as a real folder owned by this
// user. path need not end with '/'.
bool MakePrivateDirectory(const std::string& path);

// Copies from to a new file to with the given mode; false, leaving nothing
// behind, when to exists already or the copy fails. The target appears whole
// or not at all.
bool CopyToNewFile(const std::string& from, const std::string& to, unsigned mode);

// Renames, falling back to copy + delete when the target is on another file system.
bool MoveFile(const std::string& from, const std::string& to);

}  // namespace platform
