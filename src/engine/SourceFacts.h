#pragma once
// Texts that describe a probed source: its media facts as the properties
// window shows them and the lines of its audio and subtitle tracks.
#include "engine/SourceItem.h"

#include <string>
#include <vector>

namespace engine {

struct SourceFacts {
    std::string location, duration, fileSize;
    std::string videoCodec, videoBitrate, frameSize, frameRate;
    std::string audioCodec, audioBitrate, sampleRate, channels;
};

// With hideUnreliable set, the values the decode script cannot report
// (codecs, bit rates, frame rate) read "UNKNOW" for sources read through it.
SourceFacts DescribeSource(const SourceItem& item, bool hideUnreliable);

// "%d   %s   %s": track id, language name, title.
std::string TrackLine(const TrackEntry& track);

// Lines of the tracks of one kind, in table order up to the end marker.
std::vector<std::string> TrackLines(const SourceItem& item, std::int32_t kind);

bool HasTracks(const SourceItem& item);

}  // namespace engine
