#pragma once
// What a disc step reads and tells while the job runs its tools: the status
// record the tools report through and where its notices go.
#include "protocol/EngineRecord.h"

namespace app {
class Reporter;
}

namespace disc {

struct DiscRun {
    engine::EngineRecord& record;
    app::Reporter& reporter;
};

// Marks the disc step failed (result_code 99) when it stops before its tool
// could run, so that the job does not report the conversion's success for a
// disc that was not made.
void MarkDiscStepFailed(DiscRun& run);

// Whether the tool run that just ended made its part of the disc.
bool RunSucceeded(const DiscRun& run);

}  // namespace disc
