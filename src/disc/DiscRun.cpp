#include "DiscRun.h"


namespace disc {

void MarkDiscStepFailed(DiscRun& run)
{
    engine::StoreField(run.record.result_code, engine::kResultFailed);
}

bool RunSucceeded(const DiscRun& run)
{
    return engine::LoadField(run.record.abort_request) != 1 &&
           engine::LoadField(run.record.result_code) == engine::kResultSuccess;
}

}  // namespace disc
