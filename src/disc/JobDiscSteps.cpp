#include "JobDiscSteps.h"

#include "DvdAuthoring.h"
#include "VcdImaging.h"
#include "engine/EngineStatusBlock.h"
#include "profiles/ProfileMarkers.h"

namespace disc {

namespace {

DiscJob MakeDiscJob(const engine::JobSpec& spec, const std::string& workingFolder, const std::string& recordName)
{
    return {spec.profile.profile_shortname, spec.settings.outputFolder, spec.settings.discLabel, workingFolder,
            recordName};
}

DvdTitleSettings MakeTitleSettings(const engine::JobSpec& spec)
{
    DvdTitleSettings title;
    title.dvdChapter = spec.settings.dvdChapterRow;
    title.tvType = spec.choice.video_tvtype;
    title.aspectEntry = spec.profile.video_aspect.At(spec.choice.video_aspect);
    title.width = spec.profile.video_width.At(spec.choice.video_size);
    title.height = spec.profile.video_height.At(spec.choice.video_size);
    title.audioCodecEntry = spec.profile.audio_codec.At(spec.choice.audio_codec);
    return title;
}

}  // namespace

void InstallDiscSteps(engine::ConversionJob& job, engine::EngineStatusBlock& block, app::Reporter& reporter)
{
    job.SetDiscSteps([&job, &block, &reporter](const engine::JobSpec& spec, const std::string& workingFolder)
                         -> std::unique_ptr<engine::ToolSequence> {
        DiscRun run{*block.Data(), reporter};
        const DiscJob discJob = MakeDiscJob(spec, workingFolder, block.Name());
        if (profiles::IsVcdImage(spec.profile))
            return std::make_unique<VcdImaging>(discJob, run);
        job.SetDvdTotal(static_cast<std::uint32_t>(SumVobMegabytes(workingFolder)));
        return std::make_unique<DvdAuthoring>(discJob, MakeTitleSettings(spec), run);
    });
}

}  // namespace disc
