#include "VcdImaging.h"

#include "app/Reporter.h"
#include "app/Utilities.h"
#include "disc/DiscFolder.h"
#include "disc/VcdXmlWriter.h"
#include "engine/OutputNaming.h"
#include "engine/CommandLine.h"
#include "engine/EngineLauncher.h"
#include "profiles/ProfileKind.h"

namespace disc {

std::optional<engine::Arguments> BuildVcdArguments(const DiscJob& job, const std::string& xmlPath,
                                                   const std::string& discFolder)
{
    engine::Arguments arguments = engine::RecordNameArguments(job.recordName);
    arguments.insert(arguments.end(), {"-x", xmlPath, "-c", discFolder + "/VideoCD.cue", "-b",
                                       discFolder + "/VideoCD.bin", "-p"});
    if (engine::CommandText(arguments).size() >= kVcdArgumentLimit)
        return std::nullopt;
    return arguments;
}

VcdImaging::VcdImaging(DiscJob job, DiscRun run) : job_(std::move(job)), run_(run) {}

std::optional<engine::ToolCommand> VcdImaging::Next()
{
    if (runsStarted_++ > 0)
        return runsStarted_ == 2 ? Finish() : std::nullopt;
    if (const app::Outcome folder = PrepareDiscFolder(job_, state_); !folder) {
        app::ReportFailure(run_.reporter, folder);
        MarkDiscStepFailed(run_);
        return std::nullopt;
    }

    VcdXmlWriter writer;
    writer.SetKind(profiles::ParseProfileKind(job_.profileShortName).svcdImage ? VcdXmlWriter::kSvcd10 : VcdXmlWriter::kVcd20);
    writer.SetVolumeLabel(job_.discLabel);
    for (const std::string& file : engine::NumberedFiles(job_.workingFolder, ".mpg"))
        writer.AddSequenceItem(file);

    const std::string temp = app::TempDirectory();
    const std::string xmlPath = temp + "vcd.xml";
    if (temp.empty() || writer.WriteVcdXml(xmlPath) != 0 || !app::FileExists(xmlPath)) {
        run_.reporter.Report({app::NoticeId::VcdXmlFailed});
        MarkDiscStepFailed(run_);
        return Finish();
    }
    std::optional<engine::Arguments> arguments = BuildVcdArguments(job_, xmlPath, state_.discFolder);
    if (!arguments) {
        run_.reporter.Report({app::NoticeId::VcdImageFailed});
        MarkDiscStepFailed(run_);
        return Finish();
    }
    return engine::ToolCommand{engine::VcdToolPath(), std::move(*arguments)};
}

std::optional<engine::ToolCommand> VcdImaging::Finish()
{
    CompleteDiscFolder(run_, state_, {app::NoticeId::VcdImageFailed});
    return std::nullopt;
}

}  // namespace disc
