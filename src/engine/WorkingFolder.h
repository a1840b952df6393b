#pragma once
// Before a job: the output folder exists, and a job that collects
// intermediate files (joins, disc images) gets a working folder of its own,
// made new (app::MakeWorkingFolder) on a disk with room for them.
#include "app/Notice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace app {
class UserDialogs;
}

namespace profiles {
struct OutputProfile;
}

namespace engine {

// What the job knows when it prepares.
struct WorkingFolderRequest {
    std::string outputFolder;  // ends with '/'
    const profiles::OutputProfile& profile;
    bool joinerMode = false;
    std::int32_t minutes = 0;              // length of the ticked sources
    std::int32_t discCapacityMinutes = 0;  // of the chosen disc kind and quality
};

// The disks the choice looks at; the real ones unless a test says otherwise.
struct Disks {
    std::function<std::int64_t(const std::string& path)> freeSpaceMB;
    std::function<std::vector<std::string>()> localMountPoints;
    std::function<std::string(const std::string& path)> mountPointOf;

    static Disks System();
};

// Megabytes a disc job needs: the converted files plus the image, scaled by
// the share of a disc the sources fill. 0 when the capacity is unknown.
std::int32_t RequiredDiscSpaceMB(const profiles::OutputProfile& profile, std::int32_t minutes,
                                 std::int32_t discCapacityMinutes);

// 1 to go on, with workingFolder set to the folder just made ("" when the
// job needs none); 0 after the user was told why the job cannot start, or
// chose not to. Nothing that existed before is reused or removed.
app::Outcome PrepareWorkingFolder(const WorkingFolderRequest& request, app::UserDialogs& dialogs, const Disks& disks,
                                  std::string& workingFolder);

}  // namespace engine
