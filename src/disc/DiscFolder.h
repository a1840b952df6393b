#pragma once
#include "app/Notice.h"
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"

#include <string>

namespace disc {

// Chooses the folder that receives a DVD or a VCD/SVCD image: output folder
// + disc label, or the first free "<that>_1", "<that>_2", ...; and creates
// its partial folder (engine::PartialPathFor), where the tools write. A
// DVD folder gets VIDEO_TS and AUDIO_TS. Profiles that make no image are
// left alone.
app::Outcome PrepareDiscFolder(const DiscJob& job, DiscState& state);

// At the end of the disc step: when the step's result_code says success,
// the partial folder gets the final name (the next free one if that was
// taken meanwhile); otherwise, or when the rename fails (result_code 99 and
// failure is reported), it is removed with whatever a tool left in it: it
// was made new for this step, so nothing of the user's is in it.
void CompleteDiscFolder(DiscRun& run, DiscState& state, const app::Notice& failure);

}  // namespace disc
