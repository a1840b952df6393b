#include "ColourDescription.h"

#include "common/ToolError.h"

#include <cstring>

namespace avm {

bool CarriesColourDescription(AVCodecID codec)
{
    return codec == AV_CODEC_ID_HEVC || codec == AV_CODEC_ID_AV1 || codec == AV_CODEC_ID_VP9;
}

void CopyColourDescription(const AVCodecContext* source, AVCodecContext* encoder)
{
    encoder->color_primaries = source->color_primaries;
    encoder->color_trc = source->color_trc;
    encoder->colorspace = source->colorspace;
    encoder->color_range = source->color_range;
    encoder->chroma_sample_location = source->chroma_sample_location;
}

void CopyHdrSideData(const AVStream* source, AVStream* output)
{
    for (AVPacketSideDataType type : {AV_PKT_DATA_MASTERING_DISPLAY_METADATA, AV_PKT_DATA_CONTENT_LIGHT_LEVEL}) {
        std::size_t size = 0;
        const std::uint8_t* data = av_stream_get_side_data(source, type, &size);
        if (!data)
            continue;
        std::uint8_t* copy = av_stream_new_side_data(output, type, size);
        if (!copy)
            throw tools::ToolError("out of memory");
        std::memcpy(copy, data, size);
    }
}

}  // namespace avm
