#include "FilterGraph.h"

#include "common/ToolError.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace avm {

using tools::ToolError;

void FilterGraph::BuildVideo(const AVCodecContext* decoder, AVRational timeBase, const std::vector<FilterStep>& steps,
                             int threads)
{
    AVRational aspect = decoder->sample_aspect_ratio.num > 0 ? decoder->sample_aspect_ratio : AVRational{1, 1};
    std::string args = "video_size=" + std::to_string(decoder->width) + "x" + std::to_string(decoder->height) +
                       ":pix_fmt=" + std::to_string(decoder->pix_fmt) + ":time_base=" + std::to_string(timeBase.num) +
                       "/" + std::to_string(timeBase.den) + ":pixel_aspect=" + std::to_string(aspect.num) + "/" +
                       std::to_string(aspect.den);
    Build("buffer", args, "buffersink", steps, threads);
}

void FilterGraph::BuildAudio(const AVCodecContext* decoder, AVRational timeBase, const std::vector<FilterStep>& steps,
                             int threads)
{
    AVChannelLayout layout{};
    if (decoder->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, decoder->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&layout, &decoder->ch_layout);
    char layoutText[128] = {};
    av_channel_layout_describe(&layout, layoutText, sizeof layoutText);
    av_channel_layout_uninit(&layout);
    std::string args = "time_base=" + std::to_string(timeBase.num) + "/" + std::to_string(timeBase.den) +
                       ":sample_rate=" + std::to_string(decoder->sample_rate) +
                       ":sample_fmt=" + av_get_sample_fmt_name(decoder->sample_fmt) + ":channel_layout=" + layoutText;
    Build("abuffer", args, "abuffersink", steps, threads);
}

void FilterGraph::Build(const char* sourceName, const std::string& sourceArgs, const char* sinkName,
                        const std::vector<FilterStep>& steps, int threads)
{
    const FilterLibrary& filters = Filters();
    graph_.reset(filters.graphAlloc());
    if (!graph_)
        throw ToolError("out of memory");
    graph_->nb_threads = threads;
    Check(filters.graphCreateFilter(&source_, filters.getByName(sourceName), "in", sourceArgs.c_str(), nullptr,
                                    graph_.get()),
          "cannot create the filter graph's input");
    Check(filters.graphCreateFilter(&sink_, filters.getByName(sinkName), "out", nullptr, nullptr, graph_.get()),
          "cannot create the filter graph's output");
    AVFilterContext* previous = source_;
    for (const FilterStep& step : steps) {
        const AVFilter* filter = filters.getByName(step.name.c_str());
        if (!filter)
            throw ToolError("the " + step.name + " filter is missing from this FFmpeg");
        AVFilterContext* context = filters.graphAllocFilter(graph_.get(), filter, nullptr);
        if (!context)
            throw ToolError("out of memory");
        for (const auto& [key, value] : step.options)
            Check(av_opt_set(context, key.c_str(), value.c_str(), AV_OPT_SEARCH_CHILDREN),
                  "cannot set " + key + "=" + value + " on the " + step.name + " filter");
        Check(filters.initStr(context, nullptr), "cannot start the " + step.name + " filter");
        Check(filters.link(previous, 0, context, 0), "cannot link the " + step.name + " filter");
        previous = context;
    }
    Check(filters.link(previous, 0, sink_, 0), "cannot link the filter graph's output");
    Check(filters.graphConfig(graph_.get(), nullptr), "cannot set up the filter graph");
}

void FilterGraph::Push(AVFrame* frame)
{
    Check(Filters().sourceAddFrame(source_, frame, AV_BUFFERSRC_FLAG_KEEP_REF), "filtering failed");
}

void FilterGraph::Close(std::int64_t endPts)
{
    Check(Filters().sourceClose(source_, endPts, AV_BUFFERSRC_FLAG_PUSH), "filtering failed");
}

bool FilterGraph::Pull(AVFrame* frame)
{
    int result = Filters().sinkGetFrame(sink_, frame);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
        return false;
    Check(result, "filtering failed");
    return true;
}

}  // namespace avm
