#include "OutputFormat.h"

#include "common/ToolError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <map>

namespace avm {

using tools::ToolError;

namespace {

MpegTarget TargetFor(const std::string& flavour)
{
    MpegTarget target;
    target.name = flavour;
    if (flavour == "xvcd") {
        target.packetSize = 2324;
        target.muxRate = 1411200;
        target.preload = 0.44;
        target.gopPal = 15;
        target.gopNtsc = 18;
        target.bufferSize = 327680;
        // "x"VCD: the extended flavour that also takes lower, variable rates.
        target.maxRate = target.bitRate = 1150000;
        target.audioSampleRate = 44100;
        target.audioBitRate = 224000;
    } else if (flavour == "xsvcd") {
        target.packetSize = 2324;
        target.gopPal = target.gopNtsc = 12;
        target.bufferSize = 1835008;
        target.maxRate = 2516000;
        target.bitRate = 2040000;
        target.scanOffset = true;
        target.audioSampleRate = 44100;
        target.audioBitRate = 224000;
    } else if (flavour == "dvd") {
        target.packetSize = 2048;
        target.muxRate = 10080000;
        target.gopPal = 15;
        target.gopNtsc = 18;
        target.bufferSize = 1835008;
        target.maxRate = 9000000;
        target.bitRate = 6000000;
        target.audioSampleRate = 48000;
        target.audioBitRate = 448000;
    } else if (flavour != "mpeg1" && flavour != "mpeg2") {
        throw ToolError("unsupported -mpegopts format=" + flavour);
    }
    return target;
}

std::string MpegMuxer(const std::string& flavour)
{
    static const std::map<std::string, std::string> muxers = {
        {"mpeg1", "mpeg"}, {"mpeg2", "vob"}, {"xvcd", "vcd"}, {"xsvcd", "svcd"}, {"dvd", "dvd"}};
    return muxers.at(flavour);
}

// -lavfopts format= names, with the MEncoder spellings and file
// extensions that differ from the muxer names.
std::string LavfMuxer(const std::string& name)
{
    static const std::map<std::string, std::string> renamed = {{"wmv", "asf"}, {"mkv", "matroska"}, {"m4a", "ipod"}};
    auto found = renamed.find(name);
    std::string muxer = found != renamed.end() ? found->second : name;
    if (!av_guess_format(muxer.c_str(), nullptr, nullptr))
        throw ToolError("unsupported -lavfopts format=" + name);
    return muxer;
}

}  // namespace

OutputFormat ChooseOutputFormat(const AvmOptions& options)
{
    OutputFormat format;
    std::string flavour = "mpeg1";
    bool flavourGiven = false;
    for (const tools::SubOption& option : options.mpegOpts) {
        if (option.key == "format" && option.hasValue) {
            flavour = option.value;
            flavourGiven = true;
        } else {
            throw ToolError("unsupported -mpegopts option " + option.key);
        }
    }
    std::string lavfFormat;
    for (const tools::SubOption& option : options.lavfOpts) {
        if (option.key == "format" && option.hasValue)
            lavfFormat = option.value;
        else if (option.key == "faststart" && !option.hasValue)
            format.fastStart = true;
        else
            throw ToolError("unsupported -lavfopts option " + option.key);
    }

    if (options.container == "mpeg") {
        format.target = TargetFor(flavour);
        format.muxer = MpegMuxer(flavour);
    } else if (options.container == "lavf") {
        if (!lavfFormat.empty()) {
            format.muxer = LavfMuxer(lavfFormat);
        } else {
            const AVOutputFormat* guessed = av_guess_format(nullptr, options.output.c_str(), nullptr);
            if (!guessed)
                throw ToolError("-of lavf without a format, and none fits the name " + options.output);
            format.muxer = guessed->name;
        }
    } else {
        format.muxer = "avi";
    }
    if (flavourGiven && options.container != "mpeg")
        throw ToolError("-mpegopts needs -of mpeg");
    if (!options.lavfOpts.empty() && options.container != "lavf")
        throw ToolError("-lavfopts needs -of lavf");
    if (format.fastStart && format.muxer != "mp4" && format.muxer != "mov" && format.muxer != "ipod" &&
        format.muxer != "3gp")
        throw ToolError("-lavfopts faststart needs an MP4, MOV, M4A or 3GP output, not " + format.muxer);
    return format;
}

void CheckCodecFits(const OutputFormat& format, AVCodecID codec)
{
    if (format.muxer != "webm")
        return;
    for (AVCodecID allowed :
         {AV_CODEC_ID_VP8, AV_CODEC_ID_VP9, AV_CODEC_ID_AV1, AV_CODEC_ID_VORBIS, AV_CODEC_ID_OPUS})
        if (codec == allowed)
            return;
    throw ToolError(std::string("WebM holds only VP8, VP9 or AV1 video and Vorbis or Opus audio, not ") +
                    avcodec_get_name(codec));
}

}  // namespace avm
