#pragma once
// One source file of the list: what the probe found and what the user chose for it.
#include "protocol/EngineRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace engine {

struct SourceItem {
    std::string path;
    std::uint32_t duration = 0;  // seconds, as probed
    std::int32_t trimStart = 0;  // seconds
    std::int32_t trimEnd = 0;    // seconds
    std::int32_t trimStartMs = 0;  // milliseconds past trimStart, 0..999
    std::int32_t trimEndMs = 0;    // milliseconds past trimEnd, 0..999
    std::string videoCodec;
    std::string videoProfile;     // the codec's profile name ("High"); "" when unknown
    std::int32_t videoLevel = 0;  // as the codec codes it (H.264 31 = 3.1, HEVC 93 = 3.1); 0 when unknown
    double frameRate = 0;
    std::int32_t videoBitrate = 0;  // kbit/s
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string audioCodec;
    std::int32_t audioBitrate = 0;  // kbit/s
    std::int32_t sampleRate = 0;    // Hz
    std::int32_t channels = 0;
    bool soundOnly = false;  // the probe found sound and no picture
    std::string subtitleFile;  // burned in when it names an existing file
    std::string subtitleCodePage = "CP1252";
    std::string subtitleFont = "arial.ttf";  // file name in the fonts folder
    std::int32_t subtitleCharset = -1;       // index into the charset table; -1 = not chosen
    std::int32_t subtitleTextSize = 1;       // 3 small, 4 normal, 5 big; the probe sets 4
    std::array<TrackEntry, kMaxTracks> tracks{};
    std::int32_t audioTrack = -1;     // position among the audio tracks; -1 = none
    std::int32_t subtitleTrack = -1;  // position among the subtitle tracks; -1 = none
    std::int32_t decodeViaDirectShow = 0;  // 1 = read through the decode script
};

// The trimmed part in milliseconds: where it starts, ends and how long it lasts.
inline std::int64_t TrimStartMs(const SourceItem& item)
{
    return std::int64_t{item.trimStart} * 1000 + item.trimStartMs;
}
inline std::int64_t TrimEndMs(const SourceItem& item)
{
    return std::int64_t{item.trimEnd} * 1000 + item.trimEndMs;
}
inline std::int64_t TrimLengthMs(const SourceItem& item)
{
    return TrimEndMs(item) - TrimStartMs(item);
}

}  // namespace engine
