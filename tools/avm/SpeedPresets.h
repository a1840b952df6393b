#pragma once
// What -speed sets on the encoders that have speed presets. Balanced sets
// nothing: the option lists (the profiles) keep their own presets.
#include "AvmOptions.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <vector>

namespace avm {

struct EncoderSetting {
    const char* option;
    const char* value;
};

// The encoder options a speed sets, Faster / (Balanced) / Better:
// x264 and x265 preset veryfast / medium, their default / slow; SVT-AV1
// preset 10 / the profiles' 8 / 6; VP9 deadline realtime with cpu-used 4 /
// the profiles' good with cpu-used 4 / good with cpu-used 2. (libvpx's good
// deadline gets no faster above cpu-used 4; realtime at 4 takes about half
// the time for a few percent more bytes.) None for Balanced and for the
// other encoders.
std::vector<EncoderSetting> SpeedSettingsFor(VideoEncoder encoder, EncoderSpeed speed);

// Sets the speed's options after the option list's, which they override.
void ApplySpeed(AVCodecContext* encoder, const AvmOptions& options);

}  // namespace avm
