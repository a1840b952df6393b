#include "VcdImaging.h"

#include "app/Utilities.h"
#include "disc/DiscFolder.h"
#include "disc/VcdXmlWriter.h"
#include "engine/OutputNaming.h"
#include "engine/CommandLine.h"
#include "profiles/ProfileMarkers.h"

namespace disc {

namespace {

constexpr int kVcdWaitSliceMs = 10;

}  // namespace

std::optional<std::string> BuildVcdArguments(const DiscJob& job, const std::string& xmlPath,
                                             const std::string& discFolder)
{
    std::string text = engine::RecordNameOption(job.recordName) + " -x " + engine::QuoteArgument(xmlPath) + " -c " +
                       engine::QuoteArgument(discFolder + "/VideoCD.cue") + " -b " +
                       engine::QuoteArgument(discFolder + "/VideoCD.bin") + " -p";
    if (text.size() >= kVcdArgumentLimit)
        return std::nullopt;
    return text;
}

void RunVcdImaging(const DiscJob& job, DiscState& state, DiscRun& run)
{
    if (!PrepareDiscFolder(job, state, run.dialogs)) {
        MarkDiscStepFailed(run);
        return;
    }

    VcdXmlWriter writer;
    writer.SetKind(profiles::IsSvcdImage(job.profileShortName) ? VcdXmlWriter::kSvcd10 : VcdXmlWriter::kVcd20);
    writer.SetVolumeLabel(job.discLabel);
    for (const std::string& file : engine::NumberedFiles(job.workingFolder, ".mpg"))
        writer.AddSequenceItem(file);

    const std::string temp = app::TempDirectory();
    const std::string xmlPath = temp + "vcd.xml";
    if (temp.empty() || writer.WriteVcdXml(xmlPath) != 0 || !app::FileExists(xmlPath)) {
        ShowDiscMessage(run, "Create XML failed");
        MarkDiscStepFailed(run);
    } else if (std::optional<std::string> arguments = BuildVcdArguments(job, xmlPath, state.discFolder); !arguments) {
        ShowDiscMessage(run, "VCD image failed");
        MarkDiscStepFailed(run);
    } else {
        RunDiscTool(run, engine::VcdToolPath(), *arguments, kVcdWaitSliceMs);
    }
    if (engine::LoadField(run.record.result_code) != engine::kResultSuccess)
        RemoveFailedDiscFolder(state.discFolder);
}

}  // namespace disc
