#include "platform/PrivateTempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
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
    if (runtime && runtime[0] == '/') {
        std::string folder = Prepare(std::string(runtime) + "/" + sharedName);
        if (!folder.empty())
            return folder;
    }
    return Prepare("/tmp/" + sharedName + "-" + std::to_string(::getuid()));
}

}  // namespace platform
