#include "platform/PrivateTempFolder.h"

#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

bool IsOwnPrivateFolder(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 0077) == 0;
}

std::string Prepare(const std::string& path)
{
    if (!MakePrivateDirectory(path))
        return "";
    if (!IsOwnPrivateFolder(path))
        return "";
    return path + "/";
}

}  // namespace

std::string PrivateTempFolder(const std::string& sharedName)
{
    if (sharedName.empty() || sharedName.find('/') != std::string::npos || sharedName == "." || sharedName == "..")
        return "";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsDirectory(runtime)) {
        std::string folder = Prepare(std::string(runtime) + "/" + sharedName);
        if (!folder.empty())
            return folder;
    }
    std::string folder = Prepare("/tmp/" + sharedName + "-" + std::to_string(::getuid()));
    if (!folder.empty())
        return folder;
    // Another user can take that name in /tmp, but nobody else can write in
    // this user's home: its cache folder is the last resort.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const std::string cacheHome = cache && cache[0] == '/' ? std::string(cache) : HomeDirectory() + ".cache";
    return Prepare(cacheHome + "/" + sharedName);
}

}  // namespace platform
