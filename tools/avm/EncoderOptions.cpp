#include "EncoderOptions.h"

#include "Libav.h"
#include "QualityEncoders.h"
#include "SpeedPresets.h"
#include "SubOptionValues.h"
#include "common/ToolError.h"

#include <map>

namespace avm {

using tools::SubOption;
using tools::ToolError;

namespace {

const std::vector<SubOption>& VideoOptionList(const AvmOptions& options)
{
    if (options.videoEncoder == VideoEncoder::X264)
        return options.x264Opts;
    if (options.videoEncoder == VideoEncoder::Xvid)
        return options.xvidOpts;
    if (options.videoEncoder == VideoEncoder::X265)
        return options.x265Opts;
    if (options.videoEncoder == VideoEncoder::SvtAv1)
        return options.svtav1Opts;
    if (options.videoEncoder == VideoEncoder::Vpx)
        return options.vpxOpts;
    return options.lavcOpts;
}

std::int64_t Kbits(const std::string& text, const std::string& what)
{
    std::int64_t value = ParseInteger(text, what);
    if (value < 0)
        throw ToolError(what + " must not be negative");
    return value * 1000;
}

void FixedQuantizer(AVCodecContext* encoder, const std::string& text, const std::string& what)
{
    double quantizer = ParseNumber(text, what);
    if (quantizer < 1 || quantizer > 31)
        throw ToolError(what + " must lie between 1 and 31");
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = static_cast<int>(FF_QP2LAMBDA * quantizer);
}

// -lavcopts keys that are plain encoder options under another name.
const std::map<std::string, std::string> kLavcRenamed = {
    {"vqmin", "qmin"},          {"vqmax", "qmax"},          {"keyint", "g"},
    {"vmax_b_frames", "bf"},    {"mbd", "mbd"},             {"trell", "trellis"},
    {"last_pred", "last_pred"}, {"preme", "preme"},         {"dia", "dia_size"},
    {"predia", "pre_dia_size"}, {"cmp", "cmp"},             {"subcmp", "subcmp"},
    {"precmp", "precmp"},       {"mbcmp", "mbcmp"},         {"ildctcmp", "ildctcmp"},
    {"vb_strategy", "b_strategy"}, {"sc_threshold", "sc_threshold"}, {"lumi_mask", "lumi_mask"},
    {"dark_mask", "dark_mask"}, {"scplx_mask", "scplx_mask"}, {"tcplx_mask", "tcplx_mask"},
    {"p_mask", "p_mask"},       {"vqcomp", "qcomp"},        {"vqblur", "qblur"},
    {"vqdiff", "qdiff"},        {"vb_qfactor", "b_qfactor"}, {"vi_qfactor", "i_qfactor"},
    {"vb_qoffset", "b_qoffset"}, {"vi_qoffset", "i_qoffset"}, {"vstrict", "strict"},
    {"nr", "noise_reduction"},  {"qns", "quantizer_noise_shaping"}, {"keyint_min", "keyint_min"},
    {"mpeg_quant", "mpeg_quant"}, {"dc", "dc"},             {"threads", "threads"},
};

// -lavcopts switches that set one flag.
const std::map<std::string, std::pair<std::string, std::string>> kLavcFlags = {
    {"v4mv", {"flags", "+mv4"}},   {"qpel", {"flags", "+qpel"}},      {"ilme", {"flags", "+ilme"}},
    {"ildct", {"flags", "+ildct"}}, {"psnr", {"flags", "+psnr"}},     {"vglobal", {"flags", "+global_header"}},
    {"mv0", {"mpv_flags", "+mv0"}}, {"cbp", {"mpv_flags", "+cbp_rd"}}, {"naq", {"mpv_flags", "+naq"}},
};

void ApplyLavcVideo(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    for (const SubOption& option : list) {
        const std::string origin = Origin("-lavcopts", option);
        const std::string& key = option.key;
        if (key == "vcodec" || key == "acodec" || key == "abitrate" || key == "aspect" || key == "autoaspect")
            continue;
        if (key == "vbitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "vqscale")
            FixedQuantizer(encoder, option.value, origin);
        else if (key == "vrc_maxrate")
            encoder->rc_max_rate = Kbits(option.value, origin);
        else if (key == "vrc_minrate")
            encoder->rc_min_rate = Kbits(option.value, origin);
        else if (key == "vrc_buf_size")
            encoder->rc_buffer_size = static_cast<int>(Kbits(option.value, origin));
        else if (key == "vhq")
            Set(encoder, "mbd", "rd", origin);
        else if (auto renamed = kLavcRenamed.find(key); renamed != kLavcRenamed.end() && option.hasValue)
            Set(encoder, renamed->second, option.value, origin);
        else if (auto flag = kLavcFlags.find(key); flag != kLavcFlags.end() && !option.hasValue)
            Set(encoder, flag->second.first, flag->second.second, origin);
        else
            throw ToolError("unsupported " + origin);
    }
}

void ApplyX264(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    std::string params;
    for (const SubOption& option : list) {
        const std::string origin = Origin("-x264encopts", option);
        const std::string& key = option.key;
        if (key == "bitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "crf" || key == "qp" || key == "preset" || key == "tune" || key == "profile")
            Set(encoder, key, option.value, origin);
        else if (key == "threads")
            Set(encoder, "threads", option.value, origin);
        else if (key == "global_header" && !option.hasValue)
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        else if (key == "pass" || key == "turbo")
            throw ToolError("unsupported " + origin + " (avm encodes in one pass)");
        else {
            // x264 reads its own option names (and MEncoder's spellings of
            // them); an option it rejects is caught after the encoder opens.
            std::string name = key == "level_idc" ? "level" : key;
            if (!params.empty())
                params += ':';
            params += name + "=" + (option.hasValue ? option.value : "1");
        }
    }
    if (!params.empty())
        Set(encoder, "x264-params", params, "-x264encopts");
}

void ApplyXvid(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    for (const SubOption& option : list) {
        const std::string origin = Origin("-xvidencopts", option);
        const std::string& key = option.key;
        if (key == "aspect" || key == "autoaspect")
            continue;
        if (key == "bitrate")
            encoder->bit_rate = BitRate(option.value, origin);
        else if (key == "fixed_quant")
            FixedQuantizer(encoder, option.value, origin);
        else if (key == "max_key_interval")
            Set(encoder, "g", option.value, origin);
        else if (key == "max_bframes")
            Set(encoder, "bf", option.value, origin);
        else if (key == "threads")
            Set(encoder, "threads", option.value, origin);
        else if (key == "me_quality")
            Set(encoder, "me_quality", option.value, origin);
        else if (key == "trellis" && !option.hasValue)
            Set(encoder, "trellis", "1", origin);
        else if (key == "notrellis" && !option.hasValue)
            Set(encoder, "trellis", "0", origin);
        else if (key == "qpel" && !option.hasValue)
            Set(encoder, "flags", "+qpel", origin);
        else if (key == "gmc" && !option.hasValue)
            Set(encoder, "gmc", "1", origin);
        else if (key == "lumi_mask" && !option.hasValue)
            Set(encoder, "lumi_aq", "1", origin);
        else if (key == "interlacing" && !option.hasValue)
            Set(encoder, "flags", "+ildct", origin);
        else if (key == "closed_gop" && !option.hasValue)
            Set(encoder, "flags", "+cgop", origin);
        else if (key == "vhq" && option.hasValue)
            Set(encoder, "mbd", ParseInteger(option.value, origin) > 0 ? "rd" : "simple", origin);
        else if (key == "quant_type" && (option.value == "mpeg" || option.value == "h263"))
            Set(encoder, "mpeg_quant", option.value == "mpeg" ? "1" : "0", origin);
        else
            throw ToolError("unsupported " + origin);
    }
}

void ApplyLame(AVCodecContext* encoder, const std::vector<SubOption>& list)
{
    std::string method = "vbr";
    std::optional<std::string> bitRate;
    double quality = 4;
    for (const SubOption& option : list) {
        const std::string origin = Origin("-lameopts", option);
        const std::string& key = option.key;
        if ((key == "cbr" || key == "abr") && !option.hasValue)
            method = key;
        else if (key == "vbr" && option.hasValue)
            method = ParseInteger(option.value, origin) == 0 ? "cbr" : ParseInteger(option.value, origin) == 3 ? "abr" : "vbr";
        else if (key == "br")
            bitRate = option.value;
        else if (key == "q") {
            quality = ParseNumber(option.value, origin);
            if (quality < 0 || quality > 9)
                throw ToolError(origin + " must lie between 0 and 9");
        } else if (key == "aq")
            Set(encoder, "compression_level", option.value, origin);
        else if (key == "mode") {
            int mode = ParseInteger(option.value, origin);
            if (mode == 0 || mode == 1)
                Set(encoder, "joint_stereo", mode == 1 ? "1" : "0", origin);
            else if (mode != 3)
                throw ToolError("unsupported " + origin + " (stereo 0, joint stereo 1 and mono 3 are possible)");
        } else
            throw ToolError("unsupported " + Origin("-lameopts", option));
    }
    if (method == "vbr") {
        if (bitRate)
            throw ToolError("-lameopts br= needs cbr or abr");
        encoder->flags |= AV_CODEC_FLAG_QSCALE;
        encoder->global_quality = static_cast<int>(FF_QP2LAMBDA * quality);
        return;
    }
    encoder->bit_rate = Kbits(bitRate.value_or("128"), "-lameopts br");
    if (method == "abr")
        Set(encoder, "abr", "1", "-lameopts abr");
}

}  // namespace

const AVCodec* FindVideoEncoder(const AvmOptions& options)
{
    if (options.videoEncoder == VideoEncoder::Copy)
        return nullptr;
    std::string name;
    if (options.videoEncoder == VideoEncoder::X264)
        name = "libx264";
    else if (options.videoEncoder == VideoEncoder::Xvid)
        name = "libxvid";
    else if (options.videoEncoder == VideoEncoder::X265)
        name = "libx265";
    else if (options.videoEncoder == VideoEncoder::SvtAv1)
        name = "libsvtav1";
    else if (options.videoEncoder == VideoEncoder::Vpx)
        name = "libvpx-vp9";
    else if (options.videoEncoder == VideoEncoder::Lavc)
        name = Lookup(options.lavcOpts, "vcodec").value_or("mpeg4");
    else
        throw ToolError("no video encoder chosen (-ovc)");
    if (name == "xvid")
        name = "libxvid";
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec || codec->type != AVMEDIA_TYPE_VIDEO)
        throw ToolError("unknown video codec " + name);
    return codec;
}

const AVCodec* FindAudioEncoder(const AvmOptions& options)
{
    std::string name;
    if (options.audioEncoder == AudioEncoder::Copy)
        return nullptr;
    if (options.audioEncoder == AudioEncoder::Mp3Lame)
        name = "libmp3lame";
    else if (options.audioEncoder == AudioEncoder::Pcm)
        name = "pcm_s16le";
    else if (options.audioEncoder == AudioEncoder::Lavc)
        name = Lookup(options.lavcOpts, "acodec").value_or("mp2");
    else
        throw ToolError("no audio encoder chosen (-oac)");
    static const std::map<std::string, std::string> aliases = {
        {"mp3", "libmp3lame"}, {"vorbis", "libvorbis"}, {"opus", "libopus"}};
    if (auto alias = aliases.find(name); alias != aliases.end())
        name = alias->second;
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec || codec->type != AVMEDIA_TYPE_AUDIO)
        throw ToolError("unknown audio codec " + name);
    return codec;
}

std::optional<AVRational> RequestedDisplayAspect(const AvmOptions& options)
{
    std::optional<std::string> text = Lookup(VideoOptionList(options), "aspect");
    if (!text)
        return std::nullopt;
    AVRational aspect = ParseFrameRate(*text, "aspect=");
    if (aspect.num <= 0 || av_q2d(aspect) < 0.2 || av_q2d(aspect) > 5)
        throw ToolError("aspect=" + *text + " is out of range");
    return aspect;
}

int RequestedChannels(const AvmOptions& options)
{
    if (options.channels > 0)
        return options.channels;
    if (options.audioEncoder == AudioEncoder::Mp3Lame && Lookup(options.lameOpts, "mode") == "3")
        return 1;
    return 0;
}

void ApplyVideoOptions(AVCodecContext* encoder, const AvmOptions& options, const MpegTarget& target, bool pal)
{
    if (!target.name.empty() && target.bufferSize > 0) {
        encoder->gop_size = pal ? target.gopPal : target.gopNtsc;
        encoder->rc_buffer_size = target.bufferSize;
        encoder->rc_max_rate = target.maxRate;
        encoder->rc_min_rate = target.minRate;
        encoder->bit_rate = target.bitRate;
        if (target.scanOffset)
            Set(encoder, "scan_offset", "1", "-mpegopts format=" + target.name);
    }
    if (options.videoEncoder == VideoEncoder::X264)
        ApplyX264(encoder, options.x264Opts);
    else if (options.videoEncoder == VideoEncoder::Xvid)
        ApplyXvid(encoder, options.xvidOpts);
    else if (options.videoEncoder == VideoEncoder::X265)
        ApplyX265(encoder, options.x265Opts);
    else if (options.videoEncoder == VideoEncoder::SvtAv1)
        ApplySvtAv1(encoder, options.svtav1Opts);
    else if (options.videoEncoder == VideoEncoder::Vpx)
        ApplyVpx(encoder, options.vpxOpts);
    else
        ApplyLavcVideo(encoder, options.lavcOpts);
    ApplySpeed(encoder, options);
}

void ApplyAudioOptions(AVCodecContext* encoder, const AvmOptions& options, const MpegTarget& target)
{
    if (target.audioBitRate > 0)
        encoder->bit_rate = target.audioBitRate;
    if (options.audioEncoder == AudioEncoder::Mp3Lame) {
        ApplyLame(encoder, options.lameOpts);
    } else if (options.audioEncoder == AudioEncoder::Lavc) {
        if (auto bitRate = Lookup(options.lavcOpts, "abitrate"))
            encoder->bit_rate = BitRate(*bitRate, "-lavcopts abitrate");
        else if (target.audioBitRate == 0)
            encoder->bit_rate = 224000;
    }
}

void CheckNothingIgnored(const std::string& encoderName)
{
    if (LibraryRejectedAnOption())
        throw ToolError("the " + encoderName + " encoder rejected one of its options: " + TakeLibraryError());
}

}  // namespace avm
