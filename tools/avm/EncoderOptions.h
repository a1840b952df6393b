#pragma once
// The encoders avm offers (-ovc, -oac) and what their option lists
// (-lavcopts, -x264encopts, -xvidencopts, -lameopts) set on them.
#include "AvmOptions.h"
#include "OutputFormat.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <optional>

namespace avm {

// The encoder for -ovc (nullptr for copy); throws for an unknown codec.
const AVCodec* FindVideoEncoder(const AvmOptions& options);
// The encoder for -oac (nullptr for copy); throws for an unknown codec.
const AVCodec* FindAudioEncoder(const AvmOptions& options);

// The display aspect the options ask for (lavcopts or xvidencopts aspect=).
std::optional<AVRational> RequestedDisplayAspect(const AvmOptions& options);
// The channel count the audio options ask for (lameopts mode=3 is mono).
int RequestedChannels(const AvmOptions& options);

// Applies the video option list to an allocated, not yet opened encoder.
// The caller has set size, pixel format, rates and thread count; options
// here override the MPEG target's defaults, and -speed overrides the
// list's preset. Throws ToolError on a key or value the encoder cannot take.
void ApplyVideoOptions(AVCodecContext* encoder, const AvmOptions& options, const MpegTarget& target, bool pal);
void ApplyAudioOptions(AVCodecContext* encoder, const AvmOptions& options, const MpegTarget& target);

// Throws when the opened encoder ignored an option it could not parse.
void CheckNothingIgnored(const std::string& encoderName);

}  // namespace avm
