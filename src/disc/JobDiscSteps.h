#pragma once
// The disc steps of a conversion job: after the sources were converted into
// the working folder, DVD-folder profiles author a DVD and VCD/SVCD-image
// profiles make a BIN/CUE image, in the output folder under the disc label.
#include "engine/ConversionJob.h"

namespace app {
class Reporter;
}

namespace engine {
class EngineStatusBlock;
}

namespace disc {

// Gives the job its disc steps; they read the job's profile, choices and
// disc label from its JobSpec and hand their notices to reporter.
void InstallDiscSteps(engine::ConversionJob& job, engine::EngineStatusBlock& block, app::Reporter& reporter);

}  // namespace disc
