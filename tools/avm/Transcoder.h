#pragma once
// One run: every input in turn through demux, decode, filter, encode (or
// stream copy) into one output file with continuous timestamps.
#include "AvmOptions.h"
#include "FilterGraph.h"
#include "InputMedia.h"
#include "Libav.h"
#include "OutputFormat.h"

#include <functional>
#include <memory>

extern "C" {
#include <libavutil/audio_fifo.h>
}

namespace avm {

struct TranscodeHooks {
    std::function<bool()> stopRequested;
    std::function<void(double writtenSeconds)> progress;
    int threads = 1;
};

enum class TranscodeOutcome { Complete, Stopped };

class Transcoder {
public:
    Transcoder(const AvmOptions& options, TranscodeHooks hooks);
    ~Transcoder();
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    // Writes the output. Throws ToolError on failure; a stopped or failed run
    // leaves no output file behind.
    TranscodeOutcome Run();

private:
    // One stream of the output file.
    struct OutputTrack {
        AVStream* stream = nullptr;
        CodecContextPtr encoder;  // null when the stream is copied
        AVCodecID copiedCodec = AV_CODEC_ID_NONE;
        std::int64_t lastPts = AV_NOPTS_VALUE;  // encoder time base
        std::int64_t lastDts = AV_NOPTS_VALUE;  // stream time base, copies
        double endSeconds = 0;                  // end of what has been written
        std::int64_t packets = 0;
    };

    // One used stream of the input being read.
    struct InputTrack {
        int index = -1;
        OutputTrack* output = nullptr;
        CodecContextPtr decoder;
        FilterGraph graph;
        bool done = false;
        bool isVideo = false;
        std::int64_t endPts = AV_NOPTS_VALUE;  // end of the last frame filtered, source time base
    };

    struct AudioFifoFree {
        void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
    };

    void ProcessInput(std::size_t number);
    // Throws when an input ended clearly before the length it declares.
    void CheckNotCutOff(const InputMedia& input, double reached) const;
    void SetUpOutput(InputMedia& input, InputTrack* video, InputTrack* audio);
    void SetUpVideoEncoder(InputMedia& input, InputTrack& video);
    void SetUpAudioEncoder(InputTrack& audio);
    bool ReachedTrimEnd(InputTrack& track, double seconds);
    AVStream* OpenEncoder(AVCodecContext* encoder, const AVCodec* codec, const char* kind);
    void AddCopiedStream(const AVStream* source, OutputTrack& track);
    void CheckCopyMatches(const AVStream* source, const OutputTrack& track, std::size_t number);
    void WriteHeader();

    void BuildVideoGraph(InputMedia& input, InputTrack& video, bool forceSize);
    void BuildAudioGraph(InputMedia& input, InputTrack& audio);

    void HandlePacket(InputMedia& input, InputTrack& track, AVPacket* packet);
    void CopyPacket(InputMedia& input, InputTrack& track, AVPacket* packet);
    void DecodePacket(InputMedia& input, InputTrack& track, AVPacket* packet);
    void FilterFrame(InputMedia& input, InputTrack& track, AVFrame* frame);
    void DrainGraph(InputTrack& track);
    void EncodeVideo(AVFrame* frame);
    void QueueAudio(AVFrame* frame);
    void EncodeQueuedAudio(bool final);
    void Encode(OutputTrack& track, AVFrame* frame);
    void WritePacket(OutputTrack& track, AVPacket* packet);
    void Finish();
    void CheckStop();
    void RemoveOutput();

    double WrittenSeconds() const;
    // Seconds from a timestamp of the input being read to the output's clock.
    double SegmentShift(const InputMedia& input) const;
    // Output second where the input being read must end (-endpos).
    double SegmentLimit() const;
    double SourceSeconds(const InputMedia& input, const AVStream* stream, std::int64_t timestamp) const;

    const AvmOptions& options_;
    TranscodeHooks hooks_;
    OutputFormat format_;

    AVFormatContext* output_ = nullptr;
    OutputTrack video_, audio_;
    bool hasVideo_ = false, hasAudio_ = false;
    AVRational frameRate_{25, 1};
    AVPixelFormat pixelFormat_ = AV_PIX_FMT_YUV420P;
    std::string fontFamily_;

    std::unique_ptr<AVAudioFifo, AudioFifoFree> fifo_;
    std::int64_t queuedSamples_ = 0;  // samples ever put into the fifo
    std::int64_t sentSamples_ = 0;    // samples handed to the encoder

    // State of the input being read.
    double segmentOffset_ = 0;     // where its first frame belongs in the output
    double segmentBase_ = 0;       // source second that lands on segmentOffset_
    bool baseKnown_ = false;
    bool stopped_ = false;
};

}  // namespace avm
