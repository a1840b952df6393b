#include "DiscFolder.h"

#include "app/Utilities.h"
#include "profiles/ProfileKind.h"

#include <filesystem>

namespace disc {

app::Outcome PrepareDiscFolder(const DiscJob& job, DiscState& state)
{
    const profiles::ProfileKind kind = profiles::ParseProfileKind(job.profileShortName);
    if (!kind.discImage)
        return app::Outcome::Success();
    const std::string base = job.outputFolder + job.discLabel;
    state.discFolder = base;
    for (int n = 1; app::DirectoryExists(state.discFolder); ++n)
        state.discFolder = base + "_" + std::to_string(n);

    // Created here and now, or the step fails: a folder that appeared since
    // the look above (or one this user cannot enter) is not taken over, so
    // RemoveFailedDiscFolder never removes anything of the user's.
    const app::Notice failure{kind.dvdImage ? app::NoticeId::DvdImageFailed : app::NoticeId::VcdImageFailed};
    std::error_code error;
    if (!app::CreateDirectoryPath(job.outputFolder) || !std::filesystem::create_directory(state.discFolder, error))
        return failure;
    if (kind.dvdImage && (!std::filesystem::create_directory(state.discFolder + "/VIDEO_TS", error) ||
                          !std::filesystem::create_directory(state.discFolder + "/AUDIO_TS", error))) {
        std::filesystem::remove_all(state.discFolder, error);
        return failure;
    }
    return app::Outcome::Success();
}

void RemoveFailedDiscFolder(const DiscRun& run, const std::string& discFolder)
{
    if (engine::LoadField(run.record.result_code) == engine::kResultSuccess)
        return;
    std::error_code error;
    std::filesystem::remove_all(discFolder, error);
}

}  // namespace disc
