#pragma once
// The disc steps of a conversion job: after the sources were converted into
// the working folder, DVD-folder profiles author a DVD and VCD/SVCD-image
// profiles make a BIN/CUE image, in the output folder under the disc label.
#include "engine/ConversionJob.h"

#include <functional>
#include <string>

namespace app {
class UserDialogs;
}

namespace engine {
class EngineLauncher;
class EngineStatusBlock;
}  // namespace engine

namespace disc {

struct JobDiscContext {
    engine::EngineLauncher& launcher;
    engine::EngineStatusBlock& block;
    app::UserDialogs& dialogs;
    std::function<void()> pump;
    std::function<std::string()> outputFolder;  // ends with '/'
};

// Gives the job its two disc steps; they read the current profile, its
// choices and the disc label from the settings when they run.
void InstallDiscSteps(engine::ConversionJob& job, JobDiscContext context);

}  // namespace disc
