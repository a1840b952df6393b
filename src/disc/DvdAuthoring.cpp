#include "DvdAuthoring.h"

#include "disc/DiscFolder.h"
#include "app/Reporter.h"
#include "app/Utilities.h"
#include "engine/OutputNaming.h"
#include "engine/CommandLine.h"
#include "engine/EngineLauncher.h"

#include <algorithm>
#include <cctype>

namespace disc {

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

std::optional<engine::Arguments> BuildDvdTitleArguments(const DiscJob& job, const DvdTitleSettings& settings,
                                                        const std::string& discFolder)
{
    std::string audio = settings.audioCodecEntry;
    std::transform(audio.begin(), audio.end(), audio.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    engine::Arguments arguments = engine::RecordNameArguments(job.recordName);
    arguments.insert(arguments.end(), {"-o", discFolder});
    // The aspect text may end in a blank; like the words of a template, the
    // video and audio words are taken without it.
    engine::AppendWords(arguments, "-v " + TvSystemWord(settings.tvType) + "+" + std::to_string(settings.width) + "x" +
                                       std::to_string(settings.height) + "+" + AspectText(settings.aspectEntry) +
                                       " -a " + audio + "+en");
    const std::string chapters = ChapterList(settings.dvdChapter);
    for (const std::string& file : engine::NumberedFiles(job.workingFolder, ".vob")) {
        if (!chapters.empty())
            arguments.insert(arguments.end(), {"-c", chapters});
        arguments.insert(arguments.end(), {"-f", file});
    }
    if (engine::CommandText(arguments).size() >= kDvdArgumentLimit)
        return std::nullopt;
    return arguments;
}

engine::Arguments BuildDvdContentsArguments(const DiscJob& job, const std::string& discFolder)
{
    engine::Arguments arguments = engine::RecordNameArguments(job.recordName);
    arguments.insert(arguments.end(), {"-T", "-o", discFolder});
    return arguments;
}

DvdAuthoring::DvdAuthoring(DiscJob job, DvdTitleSettings settings, DiscRun run)
    : job_(std::move(job)), settings_(std::move(settings)), run_(run)
{
}

std::optional<engine::ToolCommand> DvdAuthoring::Next()
{
    switch (runsStarted_++) {
    case 0: {
        if (const app::Outcome folder = PrepareDiscFolder(job_, state_); !folder) {
            app::ReportFailure(run_.reporter, folder);
            MarkDiscStepFailed(run_);
            return std::nullopt;
        }
        state_.vobTotalMegabytes = SumVobMegabytes(job_.workingFolder);
        std::optional<engine::Arguments> arguments = BuildDvdTitleArguments(job_, settings_, state_.discFolder);
        if (!arguments) {
            run_.reporter.Report({app::NoticeId::DvdImageFailed});
            MarkDiscStepFailed(run_);
            return Finish();
        }
        return engine::ToolCommand{engine::DvdToolPath(), std::move(*arguments)};
    }
    case 1:
        if (RunSucceeded(run_))
            return engine::ToolCommand{engine::DvdToolPath(), BuildDvdContentsArguments(job_, state_.discFolder)};
        return Finish();
    case 2:
        return Finish();
    default:
        return std::nullopt;
    }
}

std::optional<engine::ToolCommand> DvdAuthoring::Finish()
{
    CompleteDiscFolder(run_, state_, {app::NoticeId::DvdImageFailed});
    return std::nullopt;
}

}  // namespace disc
