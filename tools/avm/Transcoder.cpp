#include "Transcoder.h"

#include "ColourDescription.h"
#include "ContainedInput.h"
#include "EncoderOptions.h"
#include "FontFamily.h"
#include "MuxerRates.h"
#include "QualityEncoders.h"
#include "StreamFormats.h"
#include "common/ToolError.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
}

#include <cmath>
#include <filesystem>

namespace avm {

using tools::ToolError;

namespace {

struct StopRequested {};

// Frames of a source within half a millisecond of the start point count as
// inside it (timestamps are rounded to their time base).
constexpr double kTimeSlack = 0.0005;

AVRational SourceFrameRate(const InputMedia& input, const AVStream* stream)
{
    if (auto forced = input.ForcedFrameRate())
        return *forced;
    for (AVRational rate : {stream->avg_frame_rate, stream->r_frame_rate})
        if (rate.num > 0 && rate.den > 0 && av_q2d(rate) >= 1 && av_q2d(rate) <= 120)
            return rate;
    return {25, 1};
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

Transcoder::Transcoder(const AvmOptions& options, TranscodeHooks hooks)
    : options_(options), hooks_(std::move(hooks)), format_(ChooseOutputFormat(options))
{
}

Transcoder::~Transcoder()
{
    RemoveOutput();
}

TranscodeOutcome Transcoder::Run()
{
    for (const std::string& input : options_.inputs)
        if (SameFile(input, options_.output))
            throw ToolError("the output " + options_.output + " would overwrite an input");
    Check(avformat_alloc_output_context2(&output_, nullptr, format_.muxer.c_str(), options_.output.c_str()),
          "cannot set up the " + format_.muxer + " muxer");
    try {
        for (std::size_t i = 0; i < options_.inputs.size(); ++i)
            ProcessInput(i);
        Finish();
    } catch (const StopRequested&) {
        RemoveOutput();
        return TranscodeOutcome::Stopped;
    } catch (...) {
        RemoveOutput();
        throw;
    }
    return TranscodeOutcome::Complete;
}

void Transcoder::ProcessInput(std::size_t number)
{
    InputMedia input(options_.inputs[number], options_.recordName);
    InputTrack video, audio;
    video.isVideo = true;
    video.output = &video_;
    audio.output = &audio_;
    if (!options_.noVideo)
        video.index = input.VideoStream();
    if (!options_.noSound)
        audio.index = input.AudioStream(options_.audioPosition);
    if (number == 0) {
        hasVideo_ = video.index >= 0;
        hasAudio_ = audio.index >= 0;
        if (!hasVideo_ && !hasAudio_)
            throw ToolError(input.MediaPath() + " has nothing to convert with these options");
    }
    if (!hasVideo_)
        video.index = -1;
    if (!hasAudio_)
        audio.index = -1;

    const bool copyVideo = options_.videoEncoder == VideoEncoder::Copy;
    const bool copyAudio = options_.audioEncoder == AudioEncoder::Copy;
    AVFormatContext* context = input.Context();
    if (video.index >= 0 && !copyVideo)
        video.decoder = OpenDecoder(context->streams[video.index], hooks_.threads, input.Tolerant());
    if (audio.index >= 0 && !copyAudio)
        audio.decoder = OpenDecoder(context->streams[audio.index], hooks_.threads, input.Tolerant());
    if (options_.startSeconds > 0)
        input.SeekTo(options_.startSeconds);

    segmentOffset_ = WrittenSeconds();
    segmentBase_ = options_.startSeconds;
    // A copied picture starts at a key frame; its time becomes the base.
    baseKnown_ = !(video.index >= 0 && copyVideo);

    if (number == 0) {
        SetUpOutput(input, video.index >= 0 ? &video : nullptr, audio.index >= 0 ? &audio : nullptr);
    } else {
        if (video.index >= 0 && copyVideo)
            CheckCopyMatches(context->streams[video.index], video_, number);
        if (audio.index >= 0 && copyAudio)
            CheckCopyMatches(context->streams[audio.index], audio_, number);
        if (video.index >= 0 && !copyVideo)
            BuildVideoGraph(input, video, true);
    }

    PacketPtr packet = NewPacket();
    double reached = 0;
    bool hitEndOfFile = false;
    while ((video.index >= 0 && !video.done) || (audio.index >= 0 && !audio.done)) {
        CheckStop();
        if (av_read_frame(context, packet.get()) < 0) {
            hitEndOfFile = true;
            break;
        }
        InputTrack* track = packet->stream_index == video.index   ? &video
                            : packet->stream_index == audio.index ? &audio
                                                                  : nullptr;
        if (track && !track->done) {
            if (packet->pts != AV_NOPTS_VALUE)
                reached = std::max(reached, SourceSeconds(input, context->streams[track->index], packet->pts));
            HandlePacket(input, *track, packet.get());
        }
        av_packet_unref(packet.get());
    }
    if (hitEndOfFile && !input.Tolerant())
        CheckNotCutOff(input, reached);
    for (InputTrack* track : {&video, &audio}) {
        if (track->decoder)
            DecodePacket(input, *track, nullptr);
        if (track->graph.Built()) {
            track->graph.Close(track->endPts);
            DrainGraph(*track);
        }
    }
}

void Transcoder::CheckNotCutOff(const InputMedia& input, double reached) const
{
    double expected = input.DurationSeconds();
    if (options_.lengthSeconds)
        expected = std::min(expected, options_.startSeconds + *options_.lengthSeconds);
    input.CheckNotCutOff(reached, expected);
}

void Transcoder::SetUpOutput(InputMedia& input, InputTrack* video, InputTrack* audio)
{
    if (video) {
        if (options_.videoEncoder == VideoEncoder::Copy)
            AddCopiedStream(input.Context()->streams[video->index], video_);
        else
            SetUpVideoEncoder(input, *video);
    }
    if (audio) {
        if (options_.audioEncoder == AudioEncoder::Copy)
            AddCopiedStream(input.Context()->streams[audio->index], audio_);
        else
            SetUpAudioEncoder(*audio);
    }
    WriteHeader();
}

void Transcoder::SetUpVideoEncoder(InputMedia& input, InputTrack& video)
{
    const AVCodec* codec = FindVideoEncoder(options_);
    CheckCodecFits(format_, codec->id);
    const AVStream* source = input.Context()->streams[video.index];
    AVRational wanted = options_.outputFrameRate.value_or(SourceFrameRate(input, source));
    frameRate_ = FitFrameRate(codec, wanted, options_.outputFrameRate.has_value());
    pixelFormat_ = ChoosePixelFormat(codec, video.decoder->pix_fmt, RequestedBitDepth(options_));
    if (!options_.subtitleStyle.fontFile.empty() && (!options_.subtitleFile.empty() || options_.subtitlePosition >= 0))
        fontFamily_ = FontFamily(options_.subtitleStyle.fontFile);
    BuildVideoGraph(input, video, false);

    CodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!encoder)
        throw ToolError("out of memory");
    encoder->width = video.graph.Width();
    encoder->height = video.graph.Height();
    encoder->pix_fmt = video.graph.PixelFormat();
    encoder->time_base = av_inv_q(frameRate_);
    encoder->framerate = frameRate_;
    AVRational aspect = video.graph.SampleAspectRatio();
    if (auto display = RequestedDisplayAspect(options_))
        av_reduce(&aspect.num, &aspect.den, std::int64_t(display->num) * encoder->height,
                  std::int64_t(display->den) * encoder->width, 65535);
    encoder->sample_aspect_ratio = aspect.num > 0 ? aspect : AVRational{1, 1};
    encoder->thread_count = hooks_.threads;
    if (output_->oformat->flags & AVFMT_GLOBALHEADER)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const bool describesColour = CarriesColourDescription(codec->id);
    HdrLevels levels;
    if (describesColour) {
        CopyColourDescription(video.decoder.get(), encoder.get());
        levels = ReadHdrLevels(options_.inputs.front(), options_.recordName, video.index);
    }
    bool pal = av_cmp_q(frameRate_, {25, 1}) == 0 || av_cmp_q(frameRate_, {50, 1}) == 0;
    ApplyVideoOptions(encoder.get(), options_, format_.target, pal);
    SetEncoderHdrLevels(encoder.get(), levels);
    video_.stream = OpenEncoder(encoder.get(), codec, "video");
    AddHdrSideData(levels, video_.stream);
    video_.stream->avg_frame_rate = frameRate_;
    video_.stream->sample_aspect_ratio = encoder->sample_aspect_ratio;
    if (!options_.fourcc.empty())
        video_.stream->codecpar->codec_tag =
            MKTAG(options_.fourcc[0], options_.fourcc[1], options_.fourcc[2], options_.fourcc[3]);
    video_.encoder = std::move(encoder);
}

// Opens the encoder and adds its stream to the output.
AVStream* Transcoder::OpenEncoder(AVCodecContext* encoder, const AVCodec* codec, const char* kind)
{
    Check(avcodec_open2(encoder, codec, nullptr), std::string("cannot open the ") + codec->name + " encoder");
    CheckNothingIgnored(codec->name);
    AVStream* stream = avformat_new_stream(output_, nullptr);
    if (!stream)
        throw ToolError("out of memory");
    Check(avcodec_parameters_from_context(stream->codecpar, encoder),
          std::string("cannot describe the ") + kind + " stream");
    if (WritesProgramStream(format_.muxer))
        PassRateControl(encoder, stream);
    stream->time_base = encoder->time_base;
    return stream;
}

void Transcoder::SetUpAudioEncoder(InputTrack& audio)
{
    const AVCodec* codec = FindAudioEncoder(options_);
    CheckCodecFits(format_, codec->id);
    const AVCodecContext* decoder = audio.decoder.get();
    int askedRate = options_.sampleRate > 0 ? options_.sampleRate : ResampleRate(options_.audioFilters);
    int rate = askedRate > 0 ? askedRate : format_.target.audioSampleRate;
    rate = FitSampleRate(codec, rate > 0 ? rate : decoder->sample_rate, rate > 0);
    int askedChannels = RequestedChannels(options_);
    int channels = FitChannels(codec, askedChannels > 0 ? askedChannels : decoder->ch_layout.nb_channels,
                               askedChannels > 0);

    CodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!encoder)
        throw ToolError("out of memory");
    encoder->sample_rate = rate;
    av_channel_layout_default(&encoder->ch_layout, channels);
    encoder->sample_fmt = ChooseSampleFormat(codec);
    encoder->time_base = {1, rate};
    encoder->thread_count = hooks_.threads;
    if (output_->oformat->flags & AVFMT_GLOBALHEADER)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ApplyAudioOptions(encoder.get(), options_, format_.target);
    audio_.stream = OpenEncoder(encoder.get(), codec, "audio");
    fifo_.reset(av_audio_fifo_alloc(encoder->sample_fmt, channels, encoder->frame_size > 0 ? encoder->frame_size : 1024));
    if (!fifo_)
        throw ToolError("out of memory");
    audio_.encoder = std::move(encoder);
}

void Transcoder::AddCopiedStream(const AVStream* source, OutputTrack& track)
{
    AVCodecID codec = source->codecpar->codec_id;
    CheckCodecFits(format_, codec);
    if (avformat_query_codec(output_->oformat, codec, FF_COMPLIANCE_NORMAL) == 0)
        throw ToolError(std::string("the ") + format_.muxer + " container cannot hold " + avcodec_get_name(codec) +
                        " by stream copy");
    track.stream = avformat_new_stream(output_, nullptr);
    if (!track.stream)
        throw ToolError("out of memory");
    Check(avcodec_parameters_copy(track.stream->codecpar, source->codecpar), "cannot copy the stream description");
    track.stream->codecpar->codec_tag = 0;
    if (WritesProgramStream(format_.muxer))
        PassRateControl(source, track.stream);
    if (&track == &video_ && !options_.fourcc.empty())
        track.stream->codecpar->codec_tag =
            MKTAG(options_.fourcc[0], options_.fourcc[1], options_.fourcc[2], options_.fourcc[3]);
    track.stream->time_base = source->time_base;
    track.stream->sample_aspect_ratio = source->sample_aspect_ratio;
    track.stream->avg_frame_rate = source->avg_frame_rate;
    track.copiedCodec = codec;
}

void Transcoder::CheckCopyMatches(const AVStream* source, const OutputTrack& track, std::size_t number)
{
    if (source->codecpar->codec_id != track.copiedCodec)
        throw ToolError("input " + std::to_string(number + 1) + " holds " + avcodec_get_name(source->codecpar->codec_id) +
                        " where the first holds " + avcodec_get_name(track.copiedCodec) +
                        "; stream copy cannot join them");
}

void Transcoder::WriteHeader()
{
    AVDictionary* muxerOptions = nullptr;
    if (format_.target.packetSize > 0)
        output_->packet_size = static_cast<unsigned>(format_.target.packetSize);
    if (format_.target.muxRate > 0)
        av_dict_set_int(&muxerOptions, "muxrate", format_.target.muxRate, 0);
    if (format_.target.preload > 0)
        av_dict_set_int(&muxerOptions, "preload", std::llround(format_.target.preload * AV_TIME_BASE), 0);
    if (format_.fastStart)
        av_dict_set(&muxerOptions, "movflags", "+faststart", 0);
    if (!(output_->oformat->flags & AVFMT_NOFILE))
        Check(avio_open(&output_->pb, LocalFileUrl(options_.output).c_str(), AVIO_FLAG_WRITE),
              "cannot create " + options_.output);
    int written = avformat_write_header(output_, &muxerOptions);
    av_dict_free(&muxerOptions);
    Check(written, "cannot start " + options_.output);
}

void Transcoder::BuildVideoGraph(InputMedia& input, InputTrack& video, bool forceSize)
{
    const AVStream* source = input.Context()->streams[video.index];
    VideoChainPlan plan;
    plan.userFilters = options_.videoFilters;
    plan.sourceRate = input.ForcedFrameRate();
    if (!options_.subtitleFile.empty()) {
        if (!std::filesystem::is_regular_file(options_.subtitleFile))
            throw ToolError("subtitle file " + options_.subtitleFile + " does not exist");
        // The subtitles filter opens the file itself, without limits: it
        // gets only a file that stands alone.
        OpenContained(options_.subtitleFile, nullptr);
        plan.subtitles.push_back({options_.subtitleFile, -1, options_.subtitleStyle});
    }
    if (options_.subtitlePosition >= 0) {
        std::vector<int> tracks = input.StreamsOf(AVMEDIA_TYPE_SUBTITLE);
        if (options_.subtitlePosition >= static_cast<int>(tracks.size()))
            throw ToolError("subtitle track " + std::to_string(options_.subtitlePosition) + " does not exist in " +
                            input.MediaPath());
        const AVCodecDescriptor* codec =
            avcodec_descriptor_get(input.Context()->streams[tracks[options_.subtitlePosition]]->codecpar->codec_id);
        if (!codec || !(codec->props & AV_CODEC_PROP_TEXT_SUB))
            throw ToolError("subtitle track " + std::to_string(options_.subtitlePosition) + " of " + input.MediaPath() +
                            " is not text; only text subtitles can be burned in");
        plan.subtitles.push_back({input.MediaPath(), options_.subtitlePosition, options_.subtitleStyle});
    }
    plan.fontFamily = fontFamily_;
    AVRational sourceAspect = source->codecpar->sample_aspect_ratio.num > 0 ? source->codecpar->sample_aspect_ratio
                                                                             : AVRational{1, 1};
    if (auto display = RequestedDisplayAspect(options_))
        plan.displayAspect = av_q2d(*display);
    else if (source->codecpar->height > 0)
        plan.displayAspect = av_q2d(sourceAspect) * source->codecpar->width / source->codecpar->height;
    plan.timeShift = SegmentShift(input);
    plan.outputRate = frameRate_;
    plan.startTime = video_.endSeconds;
    if (forceSize) {
        plan.width = video_.encoder->width;
        plan.height = video_.encoder->height;
        plan.sampleAspect = video_.encoder->sample_aspect_ratio;
    }
    plan.pixelFormat = av_get_pix_fmt_name(pixelFormat_);
    if (video.decoder->width <= 0 || video.decoder->height <= 0 || video.decoder->pix_fmt == AV_PIX_FMT_NONE)
        throw ToolError("the picture format of " + input.MediaPath() + " cannot be told");
    video.graph.BuildVideo(video.decoder.get(), source->time_base, VideoSteps(plan), hooks_.threads);
}

void Transcoder::BuildAudioGraph(InputMedia& input, InputTrack& audio)
{
    const AVCodecContext* encoder = audio_.encoder.get();
    AudioChainPlan plan;
    plan.userFilters = options_.audioFilters;
    plan.firstSample = queuedSamples_;
    plan.sampleRate = encoder->sample_rate;
    plan.sampleFormat = av_get_sample_fmt_name(encoder->sample_fmt);
    char layout[128] = {};
    av_channel_layout_describe(&encoder->ch_layout, layout, sizeof layout);
    plan.channelLayout = layout;
    audio.graph.BuildAudio(audio.decoder.get(), input.Context()->streams[audio.index]->time_base, AudioSteps(plan),
                           hooks_.threads);
}

void Transcoder::HandlePacket(InputMedia& input, InputTrack& track, AVPacket* packet)
{
    if (track.decoder)
        DecodePacket(input, track, packet);
    else
        CopyPacket(input, track, packet);
}

// Marks the track done once its media time passes the end of the trim.
bool Transcoder::ReachedTrimEnd(InputTrack& track, double seconds)
{
    if (!options_.lengthSeconds || seconds < options_.startSeconds + *options_.lengthSeconds - kTimeSlack)
        return false;
    track.done = true;
    return true;
}

void Transcoder::CopyPacket(InputMedia& input, InputTrack& track, AVPacket* packet)
{
    const AVStream* source = input.Context()->streams[track.index];
    std::int64_t timestamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (timestamp == AV_NOPTS_VALUE)
        return;
    double seconds = SourceSeconds(input, source, timestamp);
    if (ReachedTrimEnd(track, seconds))
        return;
    if (track.isVideo && !baseKnown_) {
        if (!(packet->flags & AV_PKT_FLAG_KEY))
            return;
        segmentBase_ = seconds;
        baseKnown_ = true;
    }
    // At the very start copied sound keeps the packet that ends where the
    // picture begins: an encoder's priming packet, which its decoder needs.
    const bool early = segmentOffset_ == 0
                           ? seconds + packet->duration * av_q2d(source->time_base) <= segmentBase_ - kTimeSlack
                           : seconds < segmentBase_ - kTimeSlack;
    if (!baseKnown_ || (!track.isVideo && early))
        return;

    OutputTrack& output = *track.output;
    std::int64_t offset = std::llround(SegmentShift(input) / av_q2d(source->time_base));
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts += offset;
    if (packet->dts != AV_NOPTS_VALUE)
        packet->dts += offset;
    av_packet_rescale_ts(packet, source->time_base, output.stream->time_base);
    if (packet->dts != AV_NOPTS_VALUE && output.lastDts != AV_NOPTS_VALUE && packet->dts <= output.lastDts) {
        packet->dts = output.lastDts + 1;
        if (packet->pts != AV_NOPTS_VALUE && packet->pts < packet->dts)
            packet->pts = packet->dts;
    }
    if (packet->dts != AV_NOPTS_VALUE)
        output.lastDts = packet->dts;
    std::int64_t end = (packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts) + packet->duration;
    output.endSeconds = std::max(output.endSeconds, end * av_q2d(output.stream->time_base));
    packet->stream_index = output.stream->index;
    packet->pos = -1;
    WritePacket(output, packet);
}

void Transcoder::DecodePacket(InputMedia& input, InputTrack& track, AVPacket* packet)
{
    // A packet the decoder rejects is skipped; damaged media keep what decodes.
    if (avcodec_send_packet(track.decoder.get(), packet) < 0 && packet)
        return;
    FramePtr frame = NewFrame();
    while (avcodec_receive_frame(track.decoder.get(), frame.get()) >= 0) {
        FilterFrame(input, track, frame.get());
        av_frame_unref(frame.get());
    }
}

void Transcoder::FilterFrame(InputMedia& input, InputTrack& track, AVFrame* frame)
{
    if (track.done || !baseKnown_)
        return;
    const AVStream* source = input.Context()->streams[track.index];
    std::int64_t timestamp = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
    if (timestamp == AV_NOPTS_VALUE)
        return;
    double seconds = SourceSeconds(input, source, timestamp);
    if (ReachedTrimEnd(track, seconds))
        return;
    double end = track.isVideo ? seconds : seconds + double(frame->nb_samples) / frame->sample_rate;
    if (track.isVideo ? seconds < segmentBase_ - kTimeSlack : end <= segmentBase_)
        return;
    if (!track.graph.Built())
        BuildAudioGraph(input, track);
    // The graph works on the output's clock: this input starts where the
    // previous one ended.
    std::int64_t shift = std::llround(SegmentShift(input) / av_q2d(source->time_base));
    frame->pts = timestamp + shift;
    std::int64_t duration = track.isVideo
                                ? (frame->pkt_duration > 0 ? frame->pkt_duration
                                                           : av_rescale_q(1, av_inv_q(SourceFrameRate(input, source)),
                                                                          source->time_base))
                                : av_rescale_q(frame->nb_samples, {1, frame->sample_rate}, source->time_base);
    track.endPts = frame->pts + duration;
    track.graph.Push(frame);
    DrainGraph(track);
}

void Transcoder::DrainGraph(InputTrack& track)
{
    FramePtr frame = NewFrame();
    while (track.graph.Pull(frame.get())) {
        if (track.isVideo) {
            frame->pts = av_rescale_q(frame->pts, track.graph.TimeBase(), video_.encoder->time_base);
            EncodeVideo(frame.get());
        } else {
            QueueAudio(frame.get());
        }
        av_frame_unref(frame.get());
    }
}

void Transcoder::EncodeVideo(AVFrame* frame)
{
    // Joined inputs can meet on the same frame slot; the earlier frame wins.
    if (video_.lastPts != AV_NOPTS_VALUE && frame->pts <= video_.lastPts)
        return;
    if (frame->pts * av_q2d(video_.encoder->time_base) >= SegmentLimit() - kTimeSlack)
        return;
    video_.lastPts = frame->pts;
    video_.endSeconds = (frame->pts + 1) * av_q2d(video_.encoder->time_base);
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    Encode(video_, frame);
}

void Transcoder::QueueAudio(AVFrame* frame)
{
    double start = double(queuedSamples_) / audio_.encoder->sample_rate;
    double room = (SegmentLimit() - start) * audio_.encoder->sample_rate;
    if (room < frame->nb_samples)
        frame->nb_samples = std::max(0, static_cast<int>(room));
    if (av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(frame->extended_data), frame->nb_samples) <
        frame->nb_samples)
        throw ToolError("out of memory");
    queuedSamples_ += frame->nb_samples;
    audio_.endSeconds = double(queuedSamples_) / audio_.encoder->sample_rate;
    EncodeQueuedAudio(false);
}

void Transcoder::EncodeQueuedAudio(bool final)
{
    AVCodecContext* encoder = audio_.encoder.get();
    bool fixedSize = encoder->frame_size > 0 && !(encoder->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    int frameSize = fixedSize ? encoder->frame_size : 1024;
    bool shortLastFrame = encoder->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    while (av_audio_fifo_size(fifo_.get()) >= frameSize || (final && av_audio_fifo_size(fifo_.get()) > 0)) {
        int samples = std::min(av_audio_fifo_size(fifo_.get()), frameSize);
        FramePtr frame = NewFrame();
        frame->nb_samples = fixedSize && !shortLastFrame ? frameSize : samples;
        frame->format = encoder->sample_fmt;
        frame->sample_rate = encoder->sample_rate;
        Check(av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout), "out of memory");
        Check(av_frame_get_buffer(frame.get(), 0), "out of memory");
        // The last frame of a fixed-size encoder is filled up with silence.
        if (frame->nb_samples > samples)
            av_samples_set_silence(frame->extended_data, samples, frame->nb_samples - samples,
                                   encoder->ch_layout.nb_channels, encoder->sample_fmt);
        av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->extended_data), samples);
        frame->pts = sentSamples_;
        sentSamples_ += frame->nb_samples;
        Encode(audio_, frame.get());
    }
}

void Transcoder::Encode(OutputTrack& track, AVFrame* frame)
{
    AVCodecContext* encoder = track.encoder.get();
    Check(avcodec_send_frame(encoder, frame), std::string("the ") + encoder->codec->name + " encoder failed");
    PacketPtr packet = NewPacket();
    while (true) {
        int received = avcodec_receive_packet(encoder, packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        Check(received, std::string("the ") + encoder->codec->name + " encoder failed");
        av_packet_rescale_ts(packet.get(), encoder->time_base, track.stream->time_base);
        packet->stream_index = track.stream->index;
        WritePacket(track, packet.get());
    }
}

void Transcoder::WritePacket(OutputTrack& track, AVPacket* packet)
{
    Check(av_interleaved_write_frame(output_, packet), "cannot write " + options_.output);
    ++track.packets;
    if (hooks_.progress)
        hooks_.progress(WrittenSeconds());
}

void Transcoder::Finish()
{
    CheckStop();
    if (audio_.encoder) {
        EncodeQueuedAudio(true);
        Encode(audio_, nullptr);
    }
    if (video_.encoder)
        Encode(video_, nullptr);
    if (hasVideo_ && video_.packets == 0)
        throw ToolError("no picture could be read from " + options_.inputs.front());
    if (video_.packets == 0 && audio_.packets == 0)
        throw ToolError("nothing could be read from " + options_.inputs.front());
    Check(av_write_trailer(output_), "cannot finish " + options_.output);
    if (output_->pb)
        Check(avio_closep(&output_->pb), "cannot finish " + options_.output);
    avformat_free_context(output_);
    output_ = nullptr;
}

void Transcoder::CheckStop()
{
    if (hooks_.stopRequested && hooks_.stopRequested())
        throw StopRequested{};
}

void Transcoder::RemoveOutput()
{
    if (!output_)
        return;
    bool created = output_->pb != nullptr;
    if (output_->pb)
        avio_closep(&output_->pb);
    avformat_free_context(output_);
    output_ = nullptr;
    if (created) {
        std::error_code error;
        std::filesystem::remove(options_.output, error);
    }
}

double Transcoder::WrittenSeconds() const
{
    return std::max(video_.endSeconds, audio_.endSeconds);
}

double Transcoder::SegmentShift(const InputMedia& input) const
{
    return segmentOffset_ - segmentBase_ - input.StartSeconds();
}

double Transcoder::SegmentLimit() const
{
    return options_.lengthSeconds ? segmentOffset_ + *options_.lengthSeconds : HUGE_VAL;
}

double Transcoder::SourceSeconds(const InputMedia& input, const AVStream* stream, std::int64_t timestamp) const
{
    return timestamp * av_q2d(stream->time_base) - input.StartSeconds();
}

}  // namespace avm
