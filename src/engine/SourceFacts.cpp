#include "SourceFacts.h"

#include "app/Utilities.h"
#include "lang/LanguageNames.h"

#include <cstdio>

namespace engine {

namespace {

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Format(const char* format, int value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A fixed-size text field of the record, which may lack its terminator.
std::string FieldText(const char* field, std::size_t size)
{
    std::size_t length = 0;
    while (length < size && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

}  // namespace

SourceFacts DescribeSource(const SourceItem& item, bool hideUnreliable)
{
    SourceFacts facts;
    facts.location = item.path;
    facts.duration = app::SecondsToClock(item.duration);
    facts.fileSize = app::FileSizeText(item.path);
    facts.videoCodec = item.videoCodec;
    facts.videoBitrate = Format("%d kbps", item.videoBitrate);
    facts.frameSize = Format("%d", item.width) + "x" + Format("%d", item.height);
    facts.frameRate = Format("%.3f", item.frameRate);
    facts.audioCodec = item.audioCodec;
    facts.audioBitrate = Format("%d kbps", item.audioBitrate);
    facts.sampleRate = Format("%d", item.sampleRate);
    facts.channels = Format("%d", item.channels);
    if (hideUnreliable && item.decodeViaDirectShow == 1) {
        const std::string unknown = "UNKNOW";
        facts.videoCodec = facts.videoBitrate = facts.frameRate = unknown;
        facts.audioCodec = facts.audioBitrate = unknown;
    }
    return facts;
}

std::string TrackLine(const TrackEntry& track)
{
    return std::to_string(track.track_id) + "   " +
           lang::LanguageName(FieldText(track.language, sizeof track.language)) + "   " +
           FieldText(track.title, sizeof track.title);
}

std::vector<std::string> TrackLines(const SourceItem& item, std::int32_t kind)
{
    std::vector<std::string> lines;
    for (const TrackEntry& track : item.tracks) {
        if (track.kind == kTrackEnd)
            break;
        if (track.kind == kind)
            lines.push_back(TrackLine(track));
    }
    return lines;
}

bool HasTracks(const SourceItem& item)
{
    return item.tracks[0].kind != kTrackEnd;
}

}  // namespace engine
