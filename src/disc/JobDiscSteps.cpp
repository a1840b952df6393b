#include "JobDiscSteps.h"

#include "DvdAuthoring.h"
#include "VcdImaging.h"
#include "app/SettingsStore.h"
#include "engine/EngineStatusBlock.h"

namespace disc {

namespace {

DiscJob MakeDiscJob(const JobDiscContext& context, const std::string& workingFolder)
{
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    return {profile ? profile->profile_shortname : "", context.outputFolder(), settings.DiscLabel, workingFolder,
            context.block.Name()};
}

DvdTitleSettings MakeTitleSettings()
{
    const app::SettingsStore& settings = app::Settings();
    DvdTitleSettings title;
    title.dvdChapter = settings.DVDChapter;
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    const profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    if (!profile || !choice)
        return title;
    title.tvType = choice->video_tvtype;
    title.aspectEntry = profile->video_aspect.At(choice->video_aspect);
    title.width = profile->video_width.At(choice->video_size);
    title.height = profile->video_height.At(choice->video_size);
    title.audioCodecEntry = profile->audio_codec.At(choice->audio_codec);
    return title;
}

}  // namespace

void InstallDiscSteps(engine::ConversionJob& job, JobDiscContext context)
{
    auto authorDvd = [&job, context](const std::string& workingFolder) {
        DiscRun run{context.launcher, *context.block.Data(), context.dialogs, context.pump};
        DiscState state;
        job.SetDvdTotal(static_cast<std::uint32_t>(SumVobMegabytes(workingFolder)));
        RunDvdAuthoring(MakeDiscJob(context, workingFolder), MakeTitleSettings(), state, run);
    };
    auto makeVcdImage = [context](const std::string& workingFolder) {
        DiscRun run{context.launcher, *context.block.Data(), context.dialogs, context.pump};
        DiscState state;
        RunVcdImaging(MakeDiscJob(context, workingFolder), state, run);
    };
    job.SetDiscSteps(authorDvd, makeVcdImage);
}

}  // namespace disc
