#pragma once
#include "disc/DiscJob.h"

#include <string>
#include <vector>

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

// Removes the disc folder again when nothing was written into it (an empty
// VIDEO_TS and AUDIO_TS may be there); a folder that holds any file stays.
void RemoveEmptyDiscFolder(const std::string& discFolder);

// "<workingFolder>001.<extension>", "002", ... up to the first that does not exist.
std::vector<std::string> NumberedFiles(const std::string& workingFolder, const std::string& extension);

}  // namespace disc
