#pragma once
// The colour description of a picture (primaries, transfer, matrix, range)
// and its HDR side data, carried from the source into the output for the
// codecs that describe HDR pictures.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace avm {

// HEVC, AV1 and VP9.
bool CarriesColourDescription(AVCodecID codec);

// The source's description on an encoder that is not yet opened.
void CopyColourDescription(const AVCodecContext* source, AVCodecContext* encoder);

// Mastering display and content light levels of the source stream, on the
// output stream before the header is written.
void CopyHdrSideData(const AVStream* source, AVStream* output);

}  // namespace avm
