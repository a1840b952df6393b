#pragma once
// What an encoder can take: picture format, frame rate, sample format,
// sample rate and channels, chosen from what the run asks for.
extern "C" {
#include <libavcodec/avcodec.h>
}

namespace avm {

// yuv420p when the encoder takes it, else its first format. HEVC, AV1 and
// VP9 encoders write yuv420p10le instead for a source of more than 8 bits,
// or when depth (0 = follow the source) asks for 10.
AVPixelFormat ChoosePixelFormat(const AVCodec* codec, AVPixelFormat source, int depth);

// The rate itself when the codec takes any rate or lists it. Otherwise the
// nearest listed rate when it lies within 0.1 %; when it does not, the
// nearest rate if the rate was only derived from the source, and a
// ToolError if the command line asked for it.
AVRational FitFrameRate(const AVCodec* codec, AVRational wanted, bool asked);

// The same rule for sample rates (derived rates take the nearest one).
// Opus plays everything at 48 kHz; a rate it lacks becomes 48000.
int FitSampleRate(const AVCodec* codec, int wanted, bool asked);

// The channel count itself when the codec takes it; a derived count falls
// back to stereo, then to the codec's first layout. Throws when asked for.
int FitChannels(const AVCodec* codec, int wanted, bool asked);

// The encoder's first sample format.
AVSampleFormat ChooseSampleFormat(const AVCodec* codec);

}  // namespace avm
