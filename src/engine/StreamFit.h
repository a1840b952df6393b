#pragma once
// Whether a source's picture or sound already is what the chosen profile
// would make of it, so that the encoder can copy the stream as it is
// instead of encoding it again.
#include "app/JobSettings.h"
#include "engine/CommandLine.h"
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileChoice.h"

#include <string>

namespace engine {

// The streams a conversion copies.
struct StreamCopy {
    bool video = false;
    bool audio = false;
    bool operator==(const StreamCopy&) const = default;
};

// What a filled-in template encodes, in the codec names the probe reports
// ("h264", "hevc", "aac", "mp3"); "copy" for a stream the template copies
// anyway, "" when the template names no such encoder.
struct TemplateStreams {
    std::string videoCodec;
    std::string videoProfile;  // "baseline", "main", "high", "main10"; "" when the template sets none
    std::string videoLevel;    // as the template writes it ("31", "4.1"); "" when it sets none
    std::string audioCodec;
    int sampleRate = 0;  // -srate; 0 when absent
    int channels = 0;    // -channels; 0 when absent
};

TemplateStreams ReadTemplateStreams(const Arguments& filledTemplate);

struct CopyQuestion {
    const SourceItem& source;
    const profiles::OutputProfile& profile;
    const profiles::ProfileChoice& choice;
    const app::JobSettings& settings;
    bool joinerMode = false;
};

// The streams of the source that fit the profile and the choices as they
// are: none while the setting is off, for joins and disc output, and for
// templates that copy anyway. A picture fits when the row is neither
// trimmed nor given subtitles, the source is read directly, its size, rate
// and aspect are kept, its codec is the template's with a known bit rate
// within the chosen quality's (not the rate sized to the picture: a copy
// keeps the source's own bits, so it never grows the file) and within the
// profile and level the template asks for. Sound fits when its codec,
// sample rate and channels are the template's, its known bit rate is within
// the chosen one (any for FLAC), the volume is kept, the row is not trimmed
// and the first track is used.
StreamCopy ChooseStreamCopy(const CopyQuestion& question);

}  // namespace engine
