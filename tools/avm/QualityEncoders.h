#pragma once
// The encoders of today's formats and their option lists: -x265encopts
// (HEVC), -svtav1encopts (AV1), -vpxencopts (VP9). Each encodes at
// constant quality with crf=, at an average rate with bitrate=.
#include "AvmOptions.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <vector>

namespace avm {

// Apply a list to an allocated, not yet opened encoder whose size, pixel
// format, rates and thread count are set. Throw ToolError for a key or value
// the encoder cannot take.
void ApplyX265(AVCodecContext* encoder, const std::vector<tools::SubOption>& list);
void ApplySvtAv1(AVCodecContext* encoder, const std::vector<tools::SubOption>& list);
void ApplyVpx(AVCodecContext* encoder, const std::vector<tools::SubOption>& list);

// The bit depth the options demand (-x265encopts profile=main 8,
// profile=main10 10), 0 when they leave it to the source.
int RequestedBitDepth(const AvmOptions& options);

}  // namespace avm
