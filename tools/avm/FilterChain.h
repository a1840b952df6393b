#pragma once
// Turns the MEncoder filter options (-vf, -af, -ofps, -srate, subtitles)
// into the libavfilter steps of one input's filter graph.
#include "AvmOptions.h"

#include <string>
#include <utility>
#include <vector>

namespace avm {

// One filter with its options, set by name (so paths need no escaping).
struct FilterStep {
    std::string name;
    std::vector<std::pair<std::string, std::string>> options;
};

// What burns subtitles into the picture: a file (-sub) or a text track of
// the input (-sid).
struct SubtitleSource {
    std::string path;
    int trackPosition = -1;  // position among the input's subtitle tracks
    SubtitleStyle style;
};

struct VideoChainPlan {
    std::vector<tools::FilterSpec> userFilters;
    std::optional<AVRational> sourceRate;    // a decode script's fixed rate
    std::vector<SubtitleSource> subtitles;   // burned in one after the other
    std::string fontFamily;                  // the family of style.fontFile
    double displayAspect = 4.0 / 3.0;        // of the output, for the text size
    double timeShift = 0;                    // seconds the timestamps lie past the source's
    AVRational outputRate{25, 1};
    double startTime = 0;                    // where the first output frame belongs
    int width = 0, height = 0;               // forced size (later join inputs), 0 = free
    AVRational sampleAspect{0, 1};           // forced with the size
    std::string pixelFormat;
};

struct AudioChainPlan {
    std::vector<tools::FilterSpec> userFilters;
    std::int64_t firstSample = 0;  // where the first sample belongs, in output samples
    int sampleRate = 0;
    std::string sampleFormat;
    std::string channelLayout;
};

// Throws ToolError for a filter or parameter avm does not offer.
std::vector<FilterStep> VideoSteps(const VideoChainPlan& plan);
std::vector<FilterStep> AudioSteps(const AudioChainPlan& plan);

// The sample rate a chain's user filters set (-af resample=), or 0.
int ResampleRate(const std::vector<tools::FilterSpec>& audioFilters);

// The libass style override for the MEncoder subtitle settings.
std::string SubtitleForceStyle(const SubtitleStyle& style, const std::string& fontFamily, double displayAspect);

}  // namespace avm
