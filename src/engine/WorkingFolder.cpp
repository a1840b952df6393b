#include "WorkingFolder.h"

#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "platform/Mounts.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileMarkers.h"

#include <unistd.h>

namespace engine {

namespace {

constexpr std::int32_t kDvdMB = 4435;
constexpr std::int32_t kCdMB = 750;

// Another local disk, writable by the user, with more than required free.
std::string RoomierDisk(const Disks& disks, const std::string& outputDisk, std::int32_t required)
{
    for (const std::string& mountPoint : disks.localMountPoints()) {
        if (mountPoint == outputDisk || ::access(mountPoint.c_str(), W_OK) != 0)
            continue;
        if (disks.freeSpaceMB(mountPoint) > required)
            return mountPoint;
    }
    return "";
}

}  // namespace

Disks Disks::System()
{
    return {app::FreeSpaceMB, platform::LocalDiskMountPoints, platform::MountPointOf};
}

std::int32_t RequiredDiscSpaceMB(const profiles::OutputProfile& profile, std::int32_t minutes,
                                 std::int32_t discCapacityMinutes)
{
    if (discCapacityMinutes <= 0)
        return 0;
    const std::int64_t discMB = profiles::IsDvdImage(profile) ? kDvdMB : kCdMB;
    return static_cast<std::int32_t>(std::int64_t{minutes} * discMB * 2 / discCapacityMinutes);
}

app::Outcome PrepareWorkingFolder(const WorkingFolderRequest& request, app::UserDialogs& dialogs, const Disks& disks,
                                  std::string& workingFolder)
{
    using app::NoticeId;
    workingFolder.clear();
    const std::string& output = request.outputFolder;
    if (!app::DirectoryExists(output) && !app::CreateDirectoryPath(output))
        return app::Notice{NoticeId::OutputFolderNotCreated};

    std::string parent = output;
    if (!profiles::IsDiscImage(request.profile)) {
        if (!request.joinerMode)
            return app::Outcome::Success();
    } else {
        const std::int32_t required =
            RequiredDiscSpaceMB(request.profile, request.minutes, request.discCapacityMinutes);
        const std::string disk = disks.mountPointOf(output);
        const std::int64_t free = disks.freeSpaceMB(output);
        if (free < required) {
            if (!dialogs.Question({NoticeId::DiscSpaceShort, {disk, std::to_string(required), std::to_string(free)}}))
                return app::Outcome::Declined();
        } else if (free != required && free < 2 * std::int64_t{required}) {
            std::string roomier = RoomierDisk(disks, disk, required);
            if (!roomier.empty())
                parent = roomier;
            else if (!dialogs.Question({NoticeId::DiscSpaceTight, {disk, std::to_string(2 * required)}}))
                return app::Outcome::Declined();
        }
    }

    workingFolder = app::MakeWorkingFolder(parent);
    if (workingFolder.empty())
        return app::Notice{NoticeId::WorkingFolderNotCreated, {parent + app::kWorkingFolderStem + "XXXXXX"}};
    return app::Outcome::Success();
}

}  // namespace engine
