#include "WorkingFolder.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "platform/Mounts.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileMarkers.h"

#include <unistd.h>

#include <cstdio>

namespace engine {

namespace {

constexpr std::int32_t kDvdMB = 4435;
constexpr std::int32_t kCdMB = 750;

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    int length = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}

bool Ask(app::UserDialogs& dialogs, const std::string& text)
{
    return dialogs.Question(text, app::Application().appName);
}

void Tell(app::UserDialogs& dialogs, const std::string& text)
{
    dialogs.Message(text, app::Application().appName);
}

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

int PrepareWorkingFolder(const WorkingFolderRequest& request, app::UserDialogs& dialogs, const Disks& disks,
                         std::string& workingFolder)
{
    workingFolder.clear();
    const std::string& output = request.outputFolder;
    if (!app::DirectoryExists(output) && !app::CreateDirectoryPath(output)) {
        Tell(dialogs, lang::Text("MainDialog", "Create folder failed"));
        return 0;
    }

    std::string folder = output + kWorkingFolderName;
    if (!profiles::IsDiscImage(request.profile)) {
        if (!request.joinerMode)
            return 1;
    } else {
        const std::int32_t required =
            RequiredDiscSpaceMB(request.profile, request.minutes, request.discCapacityMinutes);
        const std::string disk = disks.mountPointOf(output);
        const char* d = disk.c_str();
        const std::int64_t free = disks.freeSpaceMB(output);
        if (free < required) {
            if (!Ask(dialogs, Format("There is not enough free space on dirive %s.\n\nAbout required space on dirive "
                                     "%s is %d MB.\nFree space on drive %s is %lld MB.\n\nPlease make sure there is "
                                     "enough free space on drive %s, then click \"Yes\" button to continue, or click "
                                     "\"No\" button to cancel the job.\n",
                                     d, d, required, d, static_cast<long long>(free), d)))
                return 0;
        } else if (free != required && free < 2 * std::int64_t{required}) {
            std::string roomier = RoomierDisk(disks, disk, required);
            if (!roomier.empty()) {
                folder = roomier + kWorkingFolderName;
            } else if (!Ask(dialogs, Format("There is not enough free space on drive %s.\nAbout required space on "
                                            "dirive %s is %d MB.\n\nPlease make sure there is enough free space on "
                                            "drive %s, then click \"Yes\" button to continue, or click \"No\" button "
                                            "to cancel the job.\n",
                                            d, d, 2 * required, d))) {
                return 0;
            }
        }
    }

    if (app::FileExists(folder) && !app::DeleteFolder(folder)) {
        Tell(dialogs, "Failed to delete the temporary folder:" + folder + "\nPlease delete it by yourself.\n");
        return 0;
    }
    if (!app::CreateDirectoryPath(folder)) {
        Tell(dialogs, "Failed to create the temporary folder:" + folder + "\n");
        return 0;
    }
    workingFolder = folder;
    return 1;
}

}  // namespace engine
