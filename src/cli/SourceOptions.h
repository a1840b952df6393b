#pragma once
// The options given before a file on the command line, applied to the
// probed source as the split, subtitle and properties windows would.
#include "CliOptions.h"
#include "engine/SourceItem.h"

namespace app {
class UserDialogs;
}

namespace cli {

// Whether the request names a subtitle file or track, which only the
// edition with subtitle features offers.
bool AsksForSubtitles(const SourceRequest& request);

// False, after telling the user why, when an option does not suit the source.
bool ApplySourceOptions(const SourceRequest& request, engine::SourceItem& item, app::UserDialogs& dialogs);

}  // namespace cli
