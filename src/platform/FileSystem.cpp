#include "platform/FileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

std::string ExecutableDirectory()
{
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string HomeDirectory()
{
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && *variable)
        home = variable;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    if (home.empty() || home.back() != '/')
        home += '/';
    return home;
}

bool PathExists(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && IsDirectory(path));
}

std::optional<std::uint64_t> FreeBytes(const std::string& path)
{
    struct statvfs info;
    if (path.empty() || ::statvfs(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

int ReadError(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return errno;
    ::close(file);
    return 0;
}

std::optional<std::uint64_t> FileBytes(const std::string& path)
{
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

bool RemoveTree(const std::string& path)
{
    std::error_code error;
    fs::remove_all(path, error);
    return !error && !PathExists(path);
}

bool RemoveFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool MakePrivateDirectory(const std::string& path)
{
    std::error_code error;
    const fs::path folder = fs::path(path).lexically_normal();
    const fs::path parent = folder.has_filename() ? folder.parent_path() : folder.parent_path().parent_path();
    if (!parent.empty() && !IsDirectory(parent.string())) {
        fs::create_directories(parent, error);
        if (error)
            return false;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

bool CopyToNewFile(const std::string& from, const std::string& to, unsigned mode)
{
    if (PathExists(to))
        return false;
    std::string temp = to + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    ::close(fd);
    std::error_code error;
    fs::copy_file(from, temp, fs::copy_options::overwrite_existing, error);
    // A hard link fails when the target exists, so a file written meanwhile is kept.
    bool done = !error && ::chmod(temp.c_str(), mode) == 0 && ::link(temp.c_str(), to.c_str()) == 0;
    ::unlink(temp.c_str());
    return done;
}

bool MoveFile(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::none, error);
    if (error) {
        fs::remove(to, error);
        return false;
    }
    return RemoveFile(from);
}

}  // namespace platform
