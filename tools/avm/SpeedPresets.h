#pragma once
// What -speed sets on the encoders that have speed presets. Balanced sets
// nothing: the option lists (the profiles) keep their own presets.
#include "AvmOptions.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <optional>

namespace avm {

// The encoder option and its value for a speed: x264 and x265 "preset"
// (veryfast / medium, their default / slow), SVT-AV1 "preset" (10 / the
// profiles' 8 / 6), VP9 "cpu-used" (6 / the profiles' 4 / 2). None for
// Balanced and for the other encoders.
struct SpeedSetting {
    const char* option;
    const char* value;
};
std::optional<SpeedSetting> SpeedSettingFor(VideoEncoder encoder, EncoderSpeed speed);

// Sets the speed's option after the option list's, which it overrides.
void ApplySpeed(AVCodecContext* encoder, const AvmOptions& options);

}  // namespace avm
