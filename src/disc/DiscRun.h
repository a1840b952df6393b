#pragma once
// What a disc step reads and tells while the job runs its tools: the status
// record the tools report through and the user dialogs.
#include "protocol/EngineRecord.h"

namespace app {
class UserDialogs;
}

namespace disc {

struct DiscRun {
    engine::EngineRecord& record;
    app::UserDialogs& dialogs;
};

// Marks the disc step failed (result_code 99) when it stops before its tool
// could run, so that the job does not report the conversion's success for a
// disc that was not made.
void MarkDiscStepFailed(DiscRun& run);

// A message box with the text of key (section "MainDialog") and the
// application name as caption.
void ShowDiscMessage(DiscRun& run, const char* key);

// Whether the tool run that just ended made its part of the disc.
bool RunSucceeded(const DiscRun& run);

}  // namespace disc
