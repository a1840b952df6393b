#pragma once
// The speed choice of the encoders that have speed presets (x264, x265,
// SVT-AV1, VP9): which templates it concerns and what it adds to avm's
// command line, where avm turns it into the encoder's own presets.
#include "app/JobSettings.h"
#include "engine/CommandLine.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileChoice.h"

namespace engine {

// Whether the video encoder of the template the choice picks (-ovc x264,
// x265, svtav1 or vpx) has speed presets.
bool HasSpeedPresets(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice);

// {"-speed", "faster"} or {"-speed", "better"} for such a template;
// nothing for Balanced, which keeps the profile's own settings, nor for
// an encoder without presets.
Arguments SpeedArguments(app::EncodeSpeed speed, const profiles::OutputProfile& profile,
                         const profiles::ProfileChoice& choice);

}  // namespace engine
