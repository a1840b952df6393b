#include "StreamFormats.h"

#include "common/ToolError.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace avm {

using tools::ToolError;

AVPixelFormat ChoosePixelFormat(const AVCodec* codec)
{
    if (!codec->pix_fmts)
        return AV_PIX_FMT_YUV420P;
    for (const AVPixelFormat* format = codec->pix_fmts; *format != AV_PIX_FMT_NONE; ++format)
        if (*format == AV_PIX_FMT_YUV420P)
            return *format;
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
