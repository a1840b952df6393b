#pragma once
// The colour description of a picture (primaries, transfer, matrix, range)
// and its HDR levels (mastering display, content light), carried from the
// source into the output for the codecs that describe HDR pictures.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mastering_display_metadata.h>
}

#include <optional>
#include <string>

namespace avm {

// HEVC, AV1 and VP9.
bool CarriesColourDescription(AVCodecID codec);

// The source's description on an encoder that is not yet opened.
void CopyColourDescription(const AVCodecContext* source, AVCodecContext* encoder);

struct HdrLevels {
    std::optional<AVMasteringDisplayMetadata> mastering;
    std::optional<AVContentLightMetadata> light;
};

// The levels of the picture stream `index` of the file: from its container,
// else from its first decoded picture (HEVC and AV1 hold them in the
// stream). recordName opens the file as the run does.
HdrLevels ReadHdrLevels(const std::string& path, const std::string& recordName, int index);

// The levels in the encoder's own stream (x265 and SVT-AV1 parameters), on
// an encoder that is not yet opened.
void SetEncoderHdrLevels(AVCodecContext* encoder, const HdrLevels& levels);

// The levels as side data of the output stream, for the container.
void AddHdrSideData(const HdrLevels& levels, AVStream* output);

}  // namespace avm
