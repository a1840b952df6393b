#include "DiscFolder.h"

#include "app/Reporter.h"
#include "app/Utilities.h"
#include "engine/PartialOutput.h"
#include "profiles/ProfileKind.h"

#include <filesystem>

namespace disc {

app::Outcome PrepareDiscFolder(const DiscJob& job, DiscState& state)
{
    const profiles::ProfileKind kind = profiles::ParseProfileKind(job.profileShortName);
    if (!kind.discImage)
        return app::Outcome::Success();
    state.finalName = {job.outputFolder, job.discLabel, ""};
    while (app::DirectoryExists(state.finalName.Path()))
        ++state.finalName.number;
    state.discFolder = engine::PartialPathFor(state.finalName);

    // Created here and now, or the step fails: a folder that appeared since
    // the look above (or one this user cannot enter) is not taken over, so
    // CompleteDiscFolder never removes anything of the user's. A file under
    // the chosen name fails the step too.
    const app::Notice failure{kind.dvdImage ? app::NoticeId::DvdImageFailed : app::NoticeId::VcdImageFailed};
    std::error_code error;
    if (app::FileExists(state.finalName.Path()) || !app::CreateDirectoryPath(job.outputFolder) ||
        !std::filesystem::create_directory(state.discFolder, error))
        return failure;
    if (kind.dvdImage && (!std::filesystem::create_directory(state.discFolder + "/VIDEO_TS", error) ||
                          !std::filesystem::create_directory(state.discFolder + "/AUDIO_TS", error))) {
        std::filesystem::remove_all(state.discFolder, error);
        return failure;
    }
    return app::Outcome::Success();
}

void CompleteDiscFolder(DiscRun& run, DiscState& state, const app::Notice& failure)
{
    if (state.discFolder.empty())
        return;
    if (engine::LoadField(run.record.result_code) == engine::kResultSuccess) {
        if (std::optional<std::string> made = engine::CommitPartial(state.discFolder, state.finalName)) {
            state.madeFolder = std::move(*made);
            return;
        }
        run.reporter.Report(failure);
        MarkDiscStepFailed(run);
    }
    std::error_code error;
    std::filesystem::remove_all(state.discFolder, error);
}

}  // namespace disc
