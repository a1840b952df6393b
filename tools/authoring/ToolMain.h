#pragma once
// The frame both disc tools run in: the status record named after -sfm,
// progress to the window, the outcome in result_code.
#include "authoring/HelperRun.h"
#include "common/ToolRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace authoring {

// The value of "-sfm" in arguments; "" when there is none.
std::string RecordNameArgument(const std::vector<std::string>& arguments);

// What a disc tool's work gets: the record, and hooks that report progress
// (when sendProgress is set) and watch abort_request and the stop signals.
struct ToolContext {
    tools::ToolRecord& record;
    HelperHooks hooks;
};

// Catches the stop signals (see common/StopSignals.h), opens the record
// named after -sfm, presets result_code to "not reported", stops at once
// when the run's program has ended, runs work and writes the result it
// returns. A tools::ToolError from work is logged and gives 99. Returns the
// process exit code (0 only for success).
int RunAuthoringTool(const std::string& logName, const std::vector<std::string>& arguments,
                const std::function<int(ToolContext&)>& work);

// The result_code for a helper's outcome.
int ResultFor(HelperOutcome outcome);

}  // namespace authoring
