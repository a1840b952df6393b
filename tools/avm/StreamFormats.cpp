#include "StreamFormats.h"

#include "common/ToolError.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <cmath>
#include <cstdlib>
#include <string>

namespace avm {

using tools::ToolError;

namespace {

bool Takes(const AVCodec* codec, AVPixelFormat wanted)
{
    for (const AVPixelFormat* format = codec->pix_fmts; *format != AV_PIX_FMT_NONE; ++format)
        if (*format == wanted)
            return true;
    return false;
}

bool KeepsDeepColour(AVCodecID codec)
{
    return codec == AV_CODEC_ID_HEVC || codec == AV_CODEC_ID_AV1 || codec == AV_CODEC_ID_VP9;
}

int BitDepth(AVPixelFormat format)
{
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    return descriptor ? descriptor->comp[0].depth : 8;
}

}  // namespace

AVPixelFormat ChoosePixelFormat(const AVCodec* codec, AVPixelFormat source, int depth)
{
    if (!codec->pix_fmts)
        return AV_PIX_FMT_YUV420P;
    bool deep = depth == 10 || (depth == 0 && source != AV_PIX_FMT_NONE && BitDepth(source) > 8);
    if (deep && KeepsDeepColour(codec->id) && Takes(codec, AV_PIX_FMT_YUV420P10LE))
        return AV_PIX_FMT_YUV420P10LE;
    if (Takes(codec, AV_PIX_FMT_YUV420P))
        return AV_PIX_FMT_YUV420P;
    return codec->pix_fmts[0];
}

AVRational FitFrameRate(const AVCodec* codec, AVRational wanted, bool asked)
{
    if (!codec->supported_framerates)
        return wanted;
    int nearest = av_find_nearest_q_idx(wanted, codec->supported_framerates);
    AVRational best = codec->supported_framerates[nearest];
    double error = std::fabs(av_q2d(best) / av_q2d(wanted) - 1);
    if (error > 0.001 && asked)
        throw ToolError(std::string("the ") + codec->name + " encoder cannot write " + std::to_string(av_q2d(wanted)) +
                        " frames per second");
    return best;
}

int FitSampleRate(const AVCodec* codec, int wanted, bool asked)
{
    if (!codec->supported_samplerates)
        return wanted;
    int best = codec->supported_samplerates[0];
    for (const int* rate = codec->supported_samplerates; *rate != 0; ++rate) {
        if (*rate == wanted)
            return wanted;
        if (std::abs(*rate - wanted) < std::abs(best - wanted))
            best = *rate;
    }
    if (codec->id == AV_CODEC_ID_OPUS)
        return 48000;
    if (asked)
        throw ToolError(std::string("the ") + codec->name + " encoder cannot write " + std::to_string(wanted) + " Hz");
    return best;
}

int FitChannels(const AVCodec* codec, int wanted, bool asked)
{
    if (!codec->ch_layouts)
        return wanted;
    for (const AVChannelLayout* layout = codec->ch_layouts; layout->nb_channels != 0; ++layout)
        if (layout->nb_channels == wanted)
            return wanted;
    if (asked)
        throw ToolError(std::string("the ") + codec->name + " encoder cannot write " + std::to_string(wanted) +
                        " channels");
    for (const AVChannelLayout* layout = codec->ch_layouts; layout->nb_channels != 0; ++layout)
        if (layout->nb_channels == 2)
            return 2;
    return codec->ch_layouts[0].nb_channels;
}

AVSampleFormat ChooseSampleFormat(const AVCodec* codec)
{
    return codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
}

}  // namespace avm
