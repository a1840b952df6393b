#pragma once
// The container of the output (-of, -lavfopts, -mpegopts) and, for the MPEG
// disc formats, the settings a disc player expects of the streams in it.
#include "AvmOptions.h"

extern "C" {
#include <libavcodec/codec_id.h>
}

#include <string>

namespace avm {

// Stream and muxer settings of one MPEG program-stream flavour, as the
// ffmpeg program's -target presets choose them.
struct MpegTarget {
    std::string name;      // mpeg1, mpeg2, xvcd, xsvcd, dvd; "" for none
    int packetSize = 0;    // muxer packet size in bytes, 0 = muxer default
    int muxRate = 0;       // bits per second, 0 = muxer default
    double preload = 0;    // seconds, 0 = muxer default
    int gopPal = 0, gopNtsc = 0;
    int bufferSize = 0;    // VBV buffer in bits
    int maxRate = 0, minRate = 0, bitRate = 0;
    bool scanOffset = false;
    int audioSampleRate = 0, audioBitRate = 0;
};

struct OutputFormat {
    std::string muxer;  // libavformat muxer name
    MpegTarget target;
    bool fastStart = false;  // -lavfopts faststart: the MP4 index goes in front
};

// Throws ToolError for a container or flavour avm cannot write.
OutputFormat ChooseOutputFormat(const AvmOptions& options);

// Throws ToolError when the container cannot hold a stream of this codec
// (WebM: VP8, VP9, AV1, Vorbis and Opus only).
void CheckCodecFits(const OutputFormat& format, AVCodecID codec);

}  // namespace avm
