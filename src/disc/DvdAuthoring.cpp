#include "DvdAuthoring.h"

#include "disc/DiscFolder.h"
#include "app/Utilities.h"
#include "engine/OutputNaming.h"
#include "engine/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace disc {

namespace {

constexpr int kDvdWaitSliceMs = 50;

}  // namespace

std::int64_t SumVobMegabytes(const std::string& workingFolder)
{
    std::int64_t bytes = 0;
    for (const std::string& file : engine::NumberedFiles(workingFolder, ".vob"))
        bytes += std::max<std::int64_t>(app::FileSize(file), 0);
    return bytes / 1048576;
}

std::string ChapterList(int dvdChapter)
{
    switch (dvdChapter) {
    case 0:
        return "";
    case 2:
        return "0,900,1800,2700,3600,4500,5400,6300,7200,8100,9000,9900,10800";
    case 3:
        return "0,1200,2400,3600,4800,6000,7200,8400,9600,10800,12000,13200";
    case 4:
        return "0,1800,3600,5400,7200,9000,10800,12600,14400";
    default:
        return "0,600,1200,1800,2400,3000,3600,4200,4800,5400,6000,6600,7200,7800,8400,9000,9600,10200,10800";
    }
}

std::string TvSystemWord(int tvType)
{
    return tvType == 0 ? "ntsc" : "pal";
}

std::string AspectText(const std::string& aspectEntry)
{
    std::size_t bracket = aspectEntry.find('(');
    return bracket == std::string::npos ? "" : aspectEntry.substr(0, bracket);
}

std::optional<std::string> BuildDvdTitleArguments(const DiscJob& job, const DvdTitleSettings& settings,
                                                  const std::string& discFolder)
{
    std::string audio = settings.audioCodecEntry;
    std::transform(audio.begin(), audio.end(), audio.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string text = engine::RecordNameOption(job.recordName) + " -o " + engine::QuoteArgument(discFolder) +
                       " -v " + TvSystemWord(settings.tvType) + "+" + std::to_string(settings.width) + "x" +
                       std::to_string(settings.height) + "+" + AspectText(settings.aspectEntry) + " -a " + audio +
                       "+en";
    const std::string chapters = ChapterList(settings.dvdChapter);
    for (const std::string& file : engine::NumberedFiles(job.workingFolder, ".vob")) {
        if (!chapters.empty())
            text += " -c " + chapters;
        text += " -f " + engine::QuoteArgument(file);
    }
    if (text.size() >= kDvdArgumentLimit)
        return std::nullopt;
    return text;
}

std::string BuildDvdContentsArguments(const DiscJob& job, const std::string& discFolder)
{
    return engine::RecordNameOption(job.recordName) + " -T -o " + engine::QuoteArgument(discFolder);
}

void RunDvdAuthoring(const DiscJob& job, const DvdTitleSettings& settings, DiscState& state, DiscRun& run)
{
    if (!PrepareDiscFolder(job, state, run.dialogs)) {
        MarkDiscStepFailed(run);
        return;
    }
    state.vobTotalMegabytes = SumVobMegabytes(job.workingFolder);

    std::optional<std::string> titleArguments = BuildDvdTitleArguments(job, settings, state.discFolder);
    if (!titleArguments) {
        ShowDiscMessage(run, "DVD image failed");
        MarkDiscStepFailed(run);
    } else if (RunDiscTool(run, engine::DvdToolPath(), *titleArguments, kDvdWaitSliceMs) &&
               engine::LoadField(run.record.abort_request) != 1 &&
               engine::LoadField(run.record.result_code) == engine::kResultSuccess) {
        RunDiscTool(run, engine::DvdToolPath(), BuildDvdContentsArguments(job, state.discFolder), kDvdWaitSliceMs);
    }
    if (engine::LoadField(run.record.result_code) != engine::kResultSuccess)
        RemoveFailedDiscFolder(state.discFolder);
}

}  // namespace disc
