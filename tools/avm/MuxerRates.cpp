#include "MuxerRates.h"

#include "common/ToolError.h"

#include <cstring>

namespace avm {

namespace {

// Properties without a maximum rate are left out: the muxer would take
// them for an unbounded stream and write a mux rate of hundreds of
// megabits, where the average bit rate gives the true one.
void AttachBounded(const std::uint8_t* properties, std::size_t size, AVStream* stream)
{
    if (size < sizeof(AVCPBProperties) || reinterpret_cast<const AVCPBProperties*>(properties)->max_bitrate <= 0)
        return;
    std::uint8_t* copy = av_stream_new_side_data(stream, AV_PKT_DATA_CPB_PROPERTIES, size);
    if (!copy)
        throw tools::ToolError("out of memory");
    std::memcpy(copy, properties, size);
}

}  // namespace

bool WritesProgramStream(const std::string& muxer)
{
    return muxer == "mpeg" || muxer == "vob" || muxer == "vcd" || muxer == "svcd" || muxer == "dvd";
}

void PassRateControl(const AVCodecContext* encoder, AVStream* stream)
{
    for (int i = 0; i < encoder->nb_coded_side_data; ++i) {
        const AVPacketSideData& data = encoder->coded_side_data[i];
        if (data.type == AV_PKT_DATA_CPB_PROPERTIES)
            AttachBounded(data.data, data.size, stream);
    }
}

void PassRateControl(const AVStream* source, AVStream* stream)
{
    std::size_t size = 0;
    if (const std::uint8_t* properties = av_stream_get_side_data(source, AV_PKT_DATA_CPB_PROPERTIES, &size))
        AttachBounded(properties, size, stream);
}

}  // namespace avm
