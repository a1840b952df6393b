#pragma once
// A linear filter graph: source, steps, sink.
#include "FilterChain.h"
#include "FilterLibrary.h"
#include "Libav.h"

namespace avm {

class FilterGraph {
public:
    // A video graph fed with frames like the decoder's, in `timeBase`.
    void BuildVideo(const AVCodecContext* decoder, AVRational timeBase, const std::vector<FilterStep>& steps,
                    int threads);
    // An audio graph fed with frames like the decoder's.
    void BuildAudio(const AVCodecContext* decoder, AVRational timeBase, const std::vector<FilterStep>& steps,
                    int threads);

    // Feeds a frame.
    void Push(AVFrame* frame);
    // Ends the input at `endPts` (source time base), so that the last frame
    // keeps its duration.
    void Close(std::int64_t endPts);
    // The next filtered frame; false when none is ready or the graph is drained.
    bool Pull(AVFrame* frame);

    bool Built() const { return graph_ != nullptr; }
    // What comes out: picture size, pixel format, sample aspect ratio, time base.
    int Width() const { return Filters().sinkWidth(sink_); }
    int Height() const { return Filters().sinkHeight(sink_); }
    AVPixelFormat PixelFormat() const { return static_cast<AVPixelFormat>(Filters().sinkFormat(sink_)); }
    AVRational SampleAspectRatio() const { return Filters().sinkAspect(sink_); }
    AVRational TimeBase() const { return Filters().sinkTimeBase(sink_); }

private:
    void Build(const char* sourceName, const std::string& sourceArgs, const char* sinkName,
               const std::vector<FilterStep>& steps, int threads);

    struct GraphFree {
        void operator()(AVFilterGraph* graph) const { Filters().graphFree(&graph); }
    };

    std::unique_ptr<AVFilterGraph, GraphFree> graph_;
    AVFilterContext* source_ = nullptr;
    AVFilterContext* sink_ = nullptr;
};

}  // namespace avm
