#include "ColourDescription.h"

#include "InputMedia.h"
#include "common/ToolError.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <cmath>
#include <cstring>

namespace avm {

using tools::ToolError;

namespace {

// Pictures decoded at most while looking for the levels.
constexpr int kPacketsToSearch = 100;

template <typename Value>
std::optional<Value> StreamSideData(const AVStream* stream, AVPacketSideDataType type)
{
    std::size_t size = 0;
    const std::uint8_t* data = av_stream_get_side_data(stream, type, &size);
    if (!data || size < sizeof(Value))
        return std::nullopt;
    Value value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <typename Value>
std::optional<Value> FrameSideData(const AVFrame* frame, AVFrameSideDataType type)
{
    const AVFrameSideData* data = av_frame_get_side_data(frame, type);
    if (!data || data->size < sizeof(Value))
        return std::nullopt;
    Value value;
    std::memcpy(&value, data->data, sizeof value);
    return value;
}

bool IsHdrTransfer(AVColorTransferCharacteristic transfer)
{
    return transfer == AVCOL_TRC_SMPTE2084 || transfer == AVCOL_TRC_ARIB_STD_B67;
}

void FromFirstPicture(InputMedia& input, int index, HdrLevels& levels)
{
    CodecContextPtr decoder = OpenDecoder(input.Context()->streams[index], 1, input.Tolerant());
    PacketPtr packet = NewPacket();
    FramePtr frame = NewFrame();
    for (int read = 0; read < kPacketsToSearch && av_read_frame(input.Context(), packet.get()) >= 0;) {
        bool ours = packet->stream_index == index;
        if (ours) {
            ++read;
            avcodec_send_packet(decoder.get(), packet.get());
        }
        av_packet_unref(packet.get());
        if (ours && avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            levels.mastering = FrameSideData<AVMasteringDisplayMetadata>(frame.get(),
                                                                         AV_FRAME_DATA_MASTERING_DISPLAY_METADATA);
            levels.light = FrameSideData<AVContentLightMetadata>(frame.get(), AV_FRAME_DATA_CONTENT_LIGHT_LEVEL);
            return;
        }
    }
}

// x265 counts chromaticity in 0.00002 and luminance in 0.0001 steps.
std::string X265MasterDisplay(const AVMasteringDisplayMetadata& m)
{
    auto chroma = [](AVRational value) { return std::to_string(std::lround(av_q2d(value) * 50000)); };
    auto point = [&](const AVRational* xy) { return "(" + chroma(xy[0]) + "," + chroma(xy[1]) + ")"; };
    auto light = [](AVRational value) { return std::to_string(std::llround(av_q2d(value) * 10000)); };
    // Primaries are stored red, green, blue; x265 wants green, blue, red.
    return "G" + point(m.display_primaries[1]) + "B" + point(m.display_primaries[2]) + "R" +
           point(m.display_primaries[0]) + "WP" + point(m.white_point) + "L(" + light(m.max_luminance) + "," +
           light(m.min_luminance) + ")";
}

// SVT-AV1 takes the same layout in plain numbers.
std::string SvtMasterDisplay(const AVMasteringDisplayMetadata& m)
{
    auto number = [](AVRational value) { return std::to_string(av_q2d(value)); };
    auto point = [&](const AVRational* xy) { return "(" + number(xy[0]) + "," + number(xy[1]) + ")"; };
    return "G" + point(m.display_primaries[1]) + "B" + point(m.display_primaries[2]) + "R" +
           point(m.display_primaries[0]) + "WP" + point(m.white_point) + "L(" + number(m.max_luminance) + "," +
           number(m.min_luminance) + ")";
}

// Adds key=value pairs to the encoder's parameter list option.
void AppendParameters(AVCodecContext* encoder, const char* option, const std::string& added)
{
    std::uint8_t* current = nullptr;
    std::string value;
    if (av_opt_get(encoder, option, AV_OPT_SEARCH_CHILDREN, &current) >= 0 && current)
        value = reinterpret_cast<char*>(current);
    av_free(current);
    value += (value.empty() ? "" : ":") + added;
    if (av_opt_set(encoder, option, value.c_str(), AV_OPT_SEARCH_CHILDREN) < 0)
        throw ToolError(std::string("cannot give the HDR levels to ") + encoder->codec->name);
}

}  // namespace

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

HdrLevels ReadHdrLevels(const std::string& path, const std::string& recordName, int index)
{
    InputMedia input(path, recordName);
    const AVStream* stream = input.Context()->streams[index];
    HdrLevels levels;
    levels.mastering = StreamSideData<AVMasteringDisplayMetadata>(stream, AV_PKT_DATA_MASTERING_DISPLAY_METADATA);
    levels.light = StreamSideData<AVContentLightMetadata>(stream, AV_PKT_DATA_CONTENT_LIGHT_LEVEL);
    if (!levels.mastering && !levels.light && IsHdrTransfer(stream->codecpar->color_trc))
        FromFirstPicture(input, index, levels);
    if (levels.mastering && !(levels.mastering->has_primaries && levels.mastering->has_luminance))
        levels.mastering.reset();
    return levels;
}

void SetEncoderHdrLevels(AVCodecContext* encoder, const HdrLevels& levels)
{
    const std::string name = encoder->codec->name;
    std::string params;
    auto add = [&params](const std::string& pair) { params += (params.empty() ? "" : ":") + pair; };
    if (name == "libx265") {
        if (levels.mastering)
            add("master-display=" + X265MasterDisplay(*levels.mastering));
        if (levels.light)
            add("max-cll=" + std::to_string(levels.light->MaxCLL) + "," + std::to_string(levels.light->MaxFALL));
    } else if (name == "libsvtav1") {
        if (levels.mastering)
            add("mastering-display=" + SvtMasterDisplay(*levels.mastering));
        if (levels.light)
            add("content-light=" + std::to_string(levels.light->MaxCLL) + "," + std::to_string(levels.light->MaxFALL));
    }
    if (!params.empty())
        AppendParameters(encoder, name == "libx265" ? "x265-params" : "svtav1-params", params);
}

void AddHdrSideData(const HdrLevels& levels, AVStream* output)
{
    auto add = [output](AVPacketSideDataType type, const void* value, std::size_t size) {
        std::uint8_t* copy = av_stream_new_side_data(output, type, size);
        if (!copy)
            throw ToolError("out of memory");
        std::memcpy(copy, value, size);
    };
    if (levels.mastering)
        add(AV_PKT_DATA_MASTERING_DISPLAY_METADATA, &*levels.mastering, sizeof *levels.mastering);
    if (levels.light)
        add(AV_PKT_DATA_CONTENT_LIGHT_LEVEL, &*levels.light, sizeof *levels.light);
}

}  // namespace avm
