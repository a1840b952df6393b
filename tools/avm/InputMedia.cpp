#include "InputMedia.h"

#include "ContainedInput.h"
#include "DecodeScript.h"
#include "common/ToolError.h"

#include <algorithm>

namespace avm {

using tools::ToolError;

InputMedia::InputMedia(const std::string& path, const std::string& recordName) : mediaPath_(path)
{
    AVDictionary* options = nullptr;
    if (auto script = ReadOwnDecodeScript(path, recordName)) {
        mediaPath_ = script->sourcePath;
        forcedRate_ = script->frameRate;
        av_dict_set(&options, "fflags", "+genpts+discardcorrupt+igndts", 0);
        av_dict_set(&options, "err_detect", "ignore_err", 0);
        av_dict_set(&options, "probesize", "50000000", 0);
        av_dict_set(&options, "analyzeduration", "20000000", 0);
    }
    context_ = OpenContained(mediaPath_, options);
    Check(avformat_find_stream_info(context_.get(), nullptr), "cannot read the streams of " + mediaPath_);
    if (VideoStream() < 0 && StreamsOf(AVMEDIA_TYPE_AUDIO).empty())
        throw ToolError(mediaPath_ + " holds neither picture nor sound");
}

std::vector<int> InputMedia::StreamsOf(AVMediaType type) const
{
    std::vector<int> streams;
    for (unsigned i = 0; i < context_->nb_streams; ++i) {
        const AVStream* stream = context_->streams[i];
        if (stream->codecpar->codec_type != type)
            continue;
        // Cover art is a picture stream of one frame, not the video.
        if (type == AVMEDIA_TYPE_VIDEO && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        streams.push_back(static_cast<int>(i));
    }
    return streams;
}

int InputMedia::VideoStream() const
{
    int best = av_find_best_stream(context_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (best >= 0 && !(context_->streams[best]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        return best;
    std::vector<int> streams = StreamsOf(AVMEDIA_TYPE_VIDEO);
    return streams.empty() ? -1 : streams.front();
}

int InputMedia::AudioStream(int position) const
{
    std::vector<int> streams = StreamsOf(AVMEDIA_TYPE_AUDIO);
    if (position < 0)
        return streams.empty() ? -1 : streams.front();
    if (position >= static_cast<int>(streams.size()))
        throw ToolError("audio track " + std::to_string(position) + " does not exist in " + mediaPath_ + " (it has " +
                        std::to_string(streams.size()) + ")");
    return streams[position];
}

double InputMedia::StartSeconds() const
{
    return context_->start_time == AV_NOPTS_VALUE ? 0.0 : context_->start_time / double(AV_TIME_BASE);
}

double InputMedia::DurationSeconds() const
{
    return context_->duration <= 0 ? 0.0 : context_->duration / double(AV_TIME_BASE);
}

void InputMedia::SeekTo(double seconds)
{
    auto target = static_cast<std::int64_t>((StartSeconds() + seconds) * AV_TIME_BASE);
    // A file that cannot seek is read from its start; frames before the
    // start point are dropped after decoding either way.
    if (avformat_seek_file(context_.get(), -1, INT64_MIN, target, target, 0) < 0)
        avformat_seek_file(context_.get(), -1, INT64_MIN, context_->start_time, context_->start_time, 0);
}

void InputMedia::CheckNotCutOff(double reached, double expected) const
{
    if (expected > 0 && reached < CutOffPoint(expected))
        throw ToolError(mediaPath_ + " is damaged or cut off: it ends after " + std::to_string(int(reached)) +
                        " of its " + std::to_string(int(expected)) + " seconds");
}

double CutOffPoint(double expected)
{
    return expected - std::max(2.0, 0.1 * expected);
}

CodecContextPtr OpenDecoder(const AVStream* stream, int threads, bool tolerant)
{
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        throw ToolError(std::string("no decoder for ") + avcodec_get_name(stream->codecpar->codec_id));
    CodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder)
        throw ToolError("out of memory");
    Check(avcodec_parameters_to_context(decoder.get(), stream->codecpar), "cannot set up the decoder");
    decoder->pkt_timebase = stream->time_base;
    decoder->thread_count = threads;
    if (tolerant) {
        decoder->err_recognition = 0;
        decoder->flags2 |= AV_CODEC_FLAG2_SHOW_ALL;
    }
    Check(avcodec_open2(decoder.get(), codec, nullptr),
          std::string("cannot open the ") + avcodec_get_name(stream->codecpar->codec_id) + " decoder");
    return decoder;
}

}  // namespace avm
