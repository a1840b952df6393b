#pragma once
// libavfilter, loaded when the first filter graph is built rather than when
// avm starts: it and the libraries it pulls in take about 15 ms to load, a
// fifth of a probe, and a probe (-identify) filters nothing.
#include <cstdint>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace avm {

struct FilterLibrary {
    decltype(&avfilter_get_by_name) getByName;
    decltype(&avfilter_graph_alloc) graphAlloc;
    decltype(&avfilter_graph_alloc_filter) graphAllocFilter;
    decltype(&avfilter_graph_create_filter) graphCreateFilter;
    decltype(&avfilter_graph_config) graphConfig;
    decltype(&avfilter_graph_free) graphFree;
    decltype(&avfilter_init_str) initStr;
    decltype(&avfilter_link) link;
    decltype(&av_buffersrc_add_frame_flags) sourceAddFrame;
    decltype(&av_buffersrc_close) sourceClose;
    decltype(&av_buffersink_get_frame) sinkGetFrame;
    decltype(&av_buffersink_get_w) sinkWidth;
    decltype(&av_buffersink_get_h) sinkHeight;
    decltype(&av_buffersink_get_format) sinkFormat;
    decltype(&av_buffersink_get_sample_aspect_ratio) sinkAspect;
    decltype(&av_buffersink_get_time_base) sinkTimeBase;
};

// The library's functions, loaded on the first call; throws ToolError when
// libavfilter cannot be loaded.
const FilterLibrary& Filters();

}  // namespace avm
