#pragma once
#include "disc/DiscJob.h"

#include <string>

namespace app {
class UserDialogs;
}

namespace disc {

// Chooses and creates the folder that receives a DVD or a VCD/SVCD image:
// output folder + disc label, or the first free "<that>_1", "<that>_2", ...
// A DVD folder gets VIDEO_TS and AUDIO_TS. Profiles that make no image are
// left alone. Returns 1, or 0 after telling the user "DVD image failed" or
// "VCD image failed".
int PrepareDiscFolder(const DiscJob& job, DiscState& state, app::UserDialogs& dialogs);

// Removes the disc folder of a step that did not succeed, with whatever a
// tool left in it: the folder was made new for this step (PrepareDiscFolder
// never reuses one), so nothing of the user's is in it.
void RemoveFailedDiscFolder(const std::string& discFolder);

}  // namespace disc
