#pragma once
// The video bit rate a conversion asks of the encoder. A profile's rates are
// meant for its own frame sizes; where the picture keeps the source's size
// or takes a custom one, the chosen rate is sized to that picture, so that
// small pictures do not get the bits of large ones.
#include "engine/FrameSize.h"
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileChoice.h"

#include <cstdint>

namespace engine {

// The picture the encoder writes: sourceSize (the source's, or when joining
// the first source's) for an Original entry of a non-disc profile, the
// user's size for Custom, and the entry's own size otherwise.
FrameSize OutputFrameSize(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice,
                          FrameSize sourceSize);

// The size the profile's rates are meant for: its largest listed size, at
// most 1920x1080, or 1280x720 when it lists none.
FrameSize NominalFrameSize(const profiles::OutputProfile& profile);

// kbit/s for __video_bitrate__ and for judging whether the source's picture
// fits. A listed size, a disc profile or an unknown output size keeps the
// chosen quality's rate. Otherwise that rate is scaled by the output's pixels
// against NominalFrameSize, held between the codec's floor and the chosen
// rate, and, when the source's own rate is known, kept within 1.5 times it.
std::int32_t EffectiveVideoBitrate(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice,
                                   const SourceItem& source, FrameSize output);

}  // namespace engine
