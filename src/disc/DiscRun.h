#pragma once
// What a disc step uses to run its tool: the launcher, the status record the
// tool reports through, the user dialogs and the window's message pump.
#include "engine/EngineLauncher.h"
#include "protocol/EngineRecord.h"

#include <functional>
#include <string>

namespace app {
class UserDialogs;
}

namespace disc {

struct DiscRun {
    engine::EngineLauncher& launcher;
    engine::EngineRecord& record;
    app::UserDialogs& dialogs;
    std::function<void()> pump;
};

// Presets result_code to "not reported", starts the tool and waits for it in
// slices of sliceMs. False when the tool did not start (the launcher has
// told the user).
bool RunDiscTool(DiscRun& run, const std::string& toolPath, const std::string& arguments, int sliceMs);

// Marks the disc step failed (result_code 99) when it stops before its tool
// could run, so that the job does not report the conversion's success for a
// disc that was not made.
void MarkDiscStepFailed(DiscRun& run);

// A message box with the text of key (section "MainDialog") and the
// application name as caption.
void ShowDiscMessage(DiscRun& run, const char* key);

}  // namespace disc
