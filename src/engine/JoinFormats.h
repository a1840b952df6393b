#pragma once
// What a join needs of its sources and parts.
#include "app/Notice.h"
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"

#include <string>
#include <vector>

namespace engine {

// Sources joined as they are must share frame size, sample rate and codecs.
bool SameJoinFormat(const SourceItem& a, const SourceItem& b);

// Whether the ticked sources (in list order) can be joined with the
// profile; an unconverted join needs one format.
app::Outcome CheckJoinFormats(const profiles::OutputProfile& profile, const std::vector<const SourceItem*>& ticked);

}  // namespace engine
