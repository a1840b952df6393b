#include "OutputFolderCheck.h"

#include "PartialOutput.h"
#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace engine {

namespace {

app::Outcome Unusable(const std::string& folder, int error)
{
    return app::Notice{app::NoticeId::OutputFolderUnusable, {folder, std::strerror(error)}};
}

}  // namespace

app::Outcome CheckOutputFolder(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return Unusable(folder, errno);
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error)
            return Unusable(folder, error.value());
        if (::stat(folder.c_str(), &info) != 0)
            return Unusable(folder, errno);
    }
    if (!S_ISDIR(info.st_mode))
        return Unusable(folder, ENOTDIR);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return Unusable(folder, errno);
    const std::optional<std::uint64_t> free = platform::FreeBytes(folder);
    if (free && *free < kLeastFreeBytes)
        return Unusable(folder, ENOSPC);
    return app::Outcome::Success();
}

app::Outcome PrepareOutputFolder(const std::string& folder)
{
    app::Outcome usable = CheckOutputFolder(folder);
    if (usable)
        RemoveAbandonedPartials(folder);
    return usable;
}

}  // namespace engine
