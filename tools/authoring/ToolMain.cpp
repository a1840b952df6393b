#include "ToolMain.h"

#include "common/CpuShare.h"
#include "common/ProgressSender.h"
#include "common/StopSignals.h"
#include "common/ToolError.h"
#include "common/ToolLog.h"
#include "protocol/EngineRecord.h"

namespace authoring {

std::string RecordNameArgument(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-sfm")
            return arguments[i + 1];
    }
    return "";
}

int ResultFor(HelperOutcome outcome)
{
    switch (outcome) {
    case HelperOutcome::Completed:
        return engine::kResultSuccess;
    case HelperOutcome::Stopped:
        return engine::kResultStopped;
    default:
        return engine::kResultFailed;
    }
}

int RunAuthoringTool(const std::string& logName, const std::vector<std::string>& arguments,
                const std::function<int(ToolContext&)>& work)
{
    tools::CatchStopSignals();
    tools::SetLogName(logName);
    tools::ToolRecord record;
    if (!record.Open(RecordNameArgument(arguments))) {
        tools::LogLine("no status record named after -sfm");
        return 1;
    }
    record.WriteResult(engine::kResultNotReported);
    tools::StopIfProgramEnded(record.NotifyWindow());
    // dvdauthor and vcdxbuild inherit the priority.
    tools::LowerPriorityForCpuUsage(record.CpuUsage());

    tools::ProgressSender sender(record.Name(), record.NotifyWindow());
    int lastStage = -1;
    ToolContext context{record,
                        {nullptr, [&record] { return tools::StopSignalled() || record.AbortRequested(); },
                         [&sender, &lastStage](const HelperProgress& progress) {
                             sender.Report(progress.stage, progress.value,
                                           progress.stage != lastStage || progress.value == 100);
                             lastStage = progress.stage;
                         }}};
    int result = engine::kResultFailed;
    try {
        result = work(context);
    } catch (const tools::ToolError& error) {
        tools::LogLine(error.what());
    }
    record.WriteResult(result);
    return result == engine::kResultSuccess ? 0 : 1;
}

}  // namespace authoring
