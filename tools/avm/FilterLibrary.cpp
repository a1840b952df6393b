#include "FilterLibrary.h"

#include "common/ToolError.h"

#include <dlfcn.h>

extern "C" {
#include <libavfilter/version.h>
#include <libavutil/macros.h>
}

#include <string>
#include <type_traits>

namespace avm {

namespace {

// The library of the headers avm was built with: same major version, same ABI.
constexpr const char* kFilterLibraryName = "libavfilter.so." AV_STRINGIFY(LIBAVFILTER_VERSION_MAJOR);

FilterLibrary Load()
{
    void* library = dlopen(kFilterLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw tools::ToolError(std::string("cannot load ") + kFilterLibraryName +
                               ", which converting needs: " + dlerror());
    auto symbol = [library](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        if (!function)
            throw tools::ToolError(std::string(kFilterLibraryName) + " lacks " + name);
    };
    FilterLibrary filters{};
    symbol(filters.getByName, "avfilter_get_by_name");
    symbol(filters.graphAlloc, "avfilter_graph_alloc");
    symbol(filters.graphAllocFilter, "avfilter_graph_alloc_filter");
    symbol(filters.graphCreateFilter, "avfilter_graph_create_filter");
    symbol(filters.graphConfig, "avfilter_graph_config");
    symbol(filters.graphFree, "avfilter_graph_free");
    symbol(filters.initStr, "avfilter_init_str");
    symbol(filters.link, "avfilter_link");
    symbol(filters.sourceAddFrame, "av_buffersrc_add_frame_flags");
    symbol(filters.sourceClose, "av_buffersrc_close");
    symbol(filters.sinkGetFrame, "av_buffersink_get_frame");
    symbol(filters.sinkWidth, "av_buffersink_get_w");
    symbol(filters.sinkHeight, "av_buffersink_get_h");
    symbol(filters.sinkFormat, "av_buffersink_get_format");
    symbol(filters.sinkAspect, "av_buffersink_get_sample_aspect_ratio");
    symbol(filters.sinkTimeBase, "av_buffersink_get_time_base");
    return filters;
}

}  // namespace

const FilterLibrary& Filters()
{
    static const FilterLibrary filters = Load();
    return filters;
}

}  // namespace avm
