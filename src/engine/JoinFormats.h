#pragma once
// What a join needs of its sources and parts.
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"

#include <string>
#include <vector>

namespace app {
class UserDialogs;
}

namespace engine {

// Sources joined as they are must share frame size, sample rate and codecs.
bool SameJoinFormat(const SourceItem& a, const SourceItem& b);

// 1 when the ticked sources (in list order) can be joined with the profile;
// 0 after telling the user that an unconverted join needs one format.
int CheckJoinFormats(const profiles::OutputProfile& profile, const std::vector<const SourceItem*>& ticked,
                     app::UserDialogs& dialogs);

}  // namespace engine
