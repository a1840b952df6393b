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

    if (kind.dvdImage) {
        if (!app::CreateDirectoryPath(state.discFolder + "/VIDEO_TS") ||
            !app::CreateDirectoryPath(state.discFolder + "/AUDIO_TS"))
            return app::Notice{app::NoticeId::DvdImageFailed};
    } else if (!app::CreateDirectoryPath(state.discFolder)) {
        return app::Notice{app::NoticeId::VcdImageFailed};
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
