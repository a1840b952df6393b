// avm: the engine tool that probes and converts media for the program.
// It reads MEncoder option syntax, finds its orders and reports its outcome
// in the shared status record named after -sfm, and sends progress to the
// program's window.
#include "AvmOptions.h"
#include "Identify.h"
#include "Libav.h"
#include "MediaFacts.h"
#include "Transcoder.h"
#include "common/CpuShare.h"
#include "common/ProgressSender.h"
#include "common/StopSignals.h"
#include "common/ToolError.h"
#include "common/ToolLog.h"
#include "common/ToolRecord.h"

#include <filesystem>

namespace {

std::string RecordName(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "-sfm")
            return args[i + 1];
    return "";
}

// Writes the facts of the input and decodes its first picture and sound.
avm::TranscodeOutcome Identify(const avm::AvmOptions& options, tools::ToolRecord& record,
                               const avm::TranscodeHooks& hooks)
{
    avm::InputMedia input(options.inputs.front(), options.recordName);
    avm::WriteMediaFacts(input, record.Data());
    return avm::DecodeFirstFrames(input, hooks);
}

int Run(tools::ToolRecord& record, const std::vector<std::string>& args)
{
    avm::AvmOptions options = avm::ParseAvmOptions(args);
    avm::TranscodeHooks hooks;
    hooks.stopRequested = [&record] { return tools::StopSignalled() || record.AbortRequested(); };
    hooks.threads = record.ThreadCount();
    avm::TranscodeOutcome outcome = avm::TranscodeOutcome::Complete;
    if (options.identify) {
        outcome = Identify(options, record, hooks);
    } else {
        // A probe record without -identify: the facts, then a test conversion.
        bool probe = record.IsProbeRun();
        if (probe) {
            avm::InputMedia input(options.inputs.front(), options.recordName);
            avm::WriteMediaFacts(input, record.Data());
        }
        tools::ProgressSender progress(record.Name(), record.NotifyWindow());
        double total = record.ProcessSeconds() > 0 ? record.ProcessSeconds() : options.lengthSeconds.value_or(0);
        if (!probe)
            hooks.progress = [&](double seconds) { progress.Report(0, tools::PercentTimes100(seconds, total)); };
        avm::Transcoder transcoder(options, hooks);
        outcome = transcoder.Run();
        if (outcome == avm::TranscodeOutcome::Complete && !probe)
            progress.Report(0, 10000, true);
    }
    if (outcome == avm::TranscodeOutcome::Stopped) {
        tools::LogLine(options.identify ? "stopped on request"
                                        : "stopped on request; the unfinished output was removed");
        record.WriteResult(engine::kResultStopped);
        return 0;
    }
    record.WriteResult(engine::kResultSuccess);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    tools::CatchStopSignals();
    std::string name = argc > 0 && argv[0][0] ? std::filesystem::path(argv[0]).filename().string() : "avm";
    tools::SetLogName(name);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    avm::CaptureLibraryLog();

    tools::ToolRecord record;
    if (!record.Open(RecordName(args))) {
        tools::LogLine("cannot open the status record named by -sfm \"" + RecordName(args) + "\"");
        return 1;
    }
    tools::StopIfProgramEnded(record.NotifyWindow());
    // Before the libraries start their threads, which inherit the priority.
    if (!tools::LowerPriorityForCpuUsage(record.CpuUsage()))
        tools::LogLine("cannot lower the priority for the CPU usage setting");
    try {
        return Run(record, args);
    } catch (const tools::ToolError& error) {
        tools::LogLine(error.what());
    } catch (const std::exception& error) {
        tools::LogLine(std::string("unexpected failure: ") + error.what());
    }
    record.WriteResult(engine::kResultFailed);
    return 1;
}
