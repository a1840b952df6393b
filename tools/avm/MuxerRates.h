#pragma once
// The rate figures an MPEG program-stream muxer sizes its mux rate and, for
// a VCD, its padding from. The muxer reads each stream's rate-control
// properties (maximum rate, buffer size) and falls back on the average bit
// rate without them; the encoders keep those properties to themselves, so
// they are handed on to the output stream here.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

namespace avm {

// True for the libavformat muxers that write an MPEG program stream.
bool WritesProgramStream(const std::string& muxer);

// Gives the output stream the rate-control properties of its encoder,
// where they name a maximum rate.
void PassRateControl(const AVCodecContext* encoder, AVStream* stream);

// Gives the output stream the rate-control properties of the stream it is
// copied from, where they name a maximum rate.
void PassRateControl(const AVStream* source, AVStream* stream);

}  // namespace avm
