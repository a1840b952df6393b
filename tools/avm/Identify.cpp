#include "Identify.h"

#include "common/ToolError.h"

#include <algorithm>

namespace avm {

using tools::ToolError;

namespace {

struct DecodedStream {
    int index = -1;
    CodecContextPtr decoder;
    bool decoded = false;

    bool Missing() const { return index >= 0 && !decoded; }
};

// Sends packet (nullptr drains the decoder) and notes whether a frame came
// out; a packet the decoder rejects is skipped, as a conversion skips it.
void Decode(DecodedStream& stream, const AVPacket* packet)
{
    if (avcodec_send_packet(stream.decoder.get(), packet) < 0 && packet)
        return;
    FramePtr frame = NewFrame();
    while (avcodec_receive_frame(stream.decoder.get(), frame.get()) >= 0) {
        stream.decoded = true;
        av_frame_unref(frame.get());
    }
}

}  // namespace

TranscodeOutcome DecodeFirstFrames(InputMedia& input, const TranscodeHooks& hooks)
{
    AVFormatContext* context = input.Context();
    DecodedStream video, audio;
    video.index = input.VideoStream();
    audio.index = input.AudioStream(-1);
    for (DecodedStream* stream : {&video, &audio})
        if (stream->index >= 0)
            stream->decoder = OpenDecoder(context->streams[stream->index], hooks.threads, input.Tolerant());

    const double expected = std::min(input.DurationSeconds(), kIdentifiedSeconds);
    const double mustReach = input.Tolerant() ? 0 : CutOffPoint(expected);
    double reached = 0;
    int packets = 0;
    bool endOfFile = false;
    PacketPtr packet = NewPacket();
    while ((video.Missing() || audio.Missing() || reached < mustReach) && packets < kIdentifyPacketLimit) {
        if (hooks.stopRequested && hooks.stopRequested())
            return TranscodeOutcome::Stopped;
        if (av_read_frame(context, packet.get()) < 0) {
            endOfFile = true;
            break;
        }
        ++packets;
        DecodedStream* stream = packet->stream_index == video.index   ? &video
                                : packet->stream_index == audio.index ? &audio
                                                                      : nullptr;
        if (stream) {
            const std::int64_t timestamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (timestamp != AV_NOPTS_VALUE)
                reached = std::max(
                    reached, timestamp * av_q2d(context->streams[stream->index]->time_base) - input.StartSeconds());
            if (stream->Missing())
                Decode(*stream, packet.get());
        }
        av_packet_unref(packet.get());
    }
    for (DecodedStream* stream : {&video, &audio})
        if (stream->Missing())
            Decode(*stream, nullptr);

    if (endOfFile && !input.Tolerant())
        input.CheckNotCutOff(reached, expected);
    const std::string where =
        endOfFile ? input.MediaPath() : "the first " + std::to_string(packets) + " packets of " + input.MediaPath();
    if (video.Missing())
        throw ToolError("no picture could be decoded from " + where);
    if (video.index < 0 && audio.Missing())
        throw ToolError("no sound could be decoded from " + where);
    return TranscodeOutcome::Complete;
}

}  // namespace avm
