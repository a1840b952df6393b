#include "platform/DurableFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace platform {

namespace fs = std::filesystem;

namespace {

bool SyncOne(const std::string& path, bool folder)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

bool WriteAll(int fd, const std::string& data)
{
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool SyncToDisk(const std::string& path)
{
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(path, error)))
        return SyncOne(path, false);
    bool synced = true;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        const fs::file_status status = it->symlink_status(error);
        if (fs::is_regular_file(status) || fs::is_directory(status))
            synced = SyncOne(it->path().string(), fs::is_directory(status)) && synced;
    }
    return !error && SyncOne(path, true) && synced;
}

bool SyncFolderEntries(const std::string& folder)
{
    return SyncOne(folder.empty() ? "." : folder, true);
}

int RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link cannot replace a file
    // either; where links are missing too, the rename follows a look.
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode)) {
        if (::link(from.c_str(), to.c_str()) == 0)
            return ::unlink(from.c_str()) == 0 ? 0 : errno;
        if (errno == EEXIST)
            return EEXIST;
    }
    if (::lstat(to.c_str(), &info) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::size_t NameLimit(const std::string& folder)
{
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

bool ReplaceFileContents(const std::string& path, const std::string& data, unsigned mode)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderEntries(fs::path(path).parent_path().string());
    return true;
}

}  // namespace platform
