#include "ContainedInput.h"

#include "common/ToolError.h"

#include <string_view>

namespace avm {

namespace {

// Demuxers that open what a file names: other files (concat lists, HLS and
// DASH playlists, IMF compositions, numbered image sequences, the .sub
// beside a VobSub .idx, the chunks beside a Magic Lantern .mlv), network
// streams (SDP, RTSP, RTP, SAP), or run scripts and filter graphs that can
// read anything.
constexpr std::string_view kReachingDemuxers[] = {
    "concat", "hls",  "dash", "imf", "image2",   "vobsub",      "mlv",
    "sdp",    "rtsp", "rtp",  "sap", "avisynth", "vapoursynth", "lavfi",
};

bool IsReaching(std::string_view name)
{
    for (std::string_view reaching : kReachingDemuxers)
        if (name == reaching)
            return true;
    return false;
}

// The library's format_whitelist: every demuxer that reads only its own file.
const std::string& SelfContainedDemuxers()
{
    static const std::string names = [] {
        std::string list;
        void* state = nullptr;
        while (const AVInputFormat* format = av_demuxer_iterate(&state)) {
            if (!ReadsOnlyItsOwnFile(format->name))
                continue;
            list += (list.empty() ? "" : ",") + std::string(format->name);
        }
        return list;
    }();
    return names;
}

}  // namespace

std::string LocalFileUrl(const std::string& path)
{
    return "file:" + path;
}

bool ReadsOnlyItsOwnFile(const std::string& demuxerName)
{
    std::string_view rest = demuxerName;
    while (true) {
        const std::size_t comma = rest.find(',');
        if (IsReaching(rest.substr(0, comma)))
            return false;
        if (comma == std::string_view::npos)
            return true;
        rest.remove_prefix(comma + 1);
    }
}

InputPtr OpenContained(const std::string& path, AVDictionary* options)
{
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", SelfContainedDemuxers().c_str(), 0);
    AVFormatContext* context = nullptr;
    const int opened = avformat_open_input(&context, LocalFileUrl(path).c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened >= 0)
        return InputPtr(context);
    const std::string detail = TakeLibraryError();
    if (detail.find("not on whitelist") != std::string::npos)
        throw tools::ToolError(path +
                               " names further files or streams (a playlist, list or sequence); only the "
                               "files given are read");
    throw tools::ToolError("cannot open " + path + ": " + ErrorText(opened) +
                           (detail.empty() ? "" : " (" + detail + ")"));
}

}  // namespace avm
