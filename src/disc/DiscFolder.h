#pragma once
#include "app/Notice.h"
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"

#include <string>

namespace disc {

// Chooses and creates the folder that receives a DVD or a VCD/SVCD image:
// output folder + disc label, or the first free "<that>_1", "<that>_2", ...
// A DVD folder gets VIDEO_TS and AUDIO_TS. Profiles that make no image are
// left alone.
app::Outcome PrepareDiscFolder(const DiscJob& job, DiscState& state);

// Removes the disc folder unless the step's result_code says success, with
// whatever a tool left in it: the folder was made new for this step
// (PrepareDiscFolder never reuses one), so nothing of the user's is in it.
void RemoveFailedDiscFolder(const DiscRun& run, const std::string& discFolder);

}  // namespace disc
