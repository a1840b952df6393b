#pragma once
// The avm command line, checked and turned into typed settings.
#include "common/CommandLine.h"

extern "C" {
#include <libavutil/rational.h>
}

#include <optional>
#include <string>
#include <vector>

namespace avm {

// How burned-in subtitles look (-subcp, -font, -subpos, -subwidth,
// -subfont-text-scale).
struct SubtitleStyle {
    std::string codePage;
    std::string fontFile;
    int position = 100;    // percent of the height where the text's bottom sits
    int width = 100;       // percent of the width the text may use
    double textScale = 4;  // text height relative to the picture size
};

// -ovc and -oac; None while the option is missing. Vpx is VP9.
enum class VideoEncoder { None, Lavc, X264, Xvid, X265, SvtAv1, Vpx, Copy };
enum class AudioEncoder { None, Lavc, Mp3Lame, Pcm, Copy };
// -speed: the presets of the encoders that have them (x264, x265, SVT-AV1,
// VP9); Balanced keeps the option lists' own. Other encoders ignore it.
enum class EncoderSpeed { Balanced, Faster, Better };

struct AvmOptions {
    std::string recordName;
    std::vector<std::string> inputs;
    std::string output;

    double startSeconds = 0;                  // -ss
    std::optional<double> lengthSeconds;      // -endpos
    int audioPosition = -1;                   // -aid: position among the audio tracks
    int subtitlePosition = -1;                // -sid: position among the subtitle tracks
    std::string subtitleFile;                 // -sub
    SubtitleStyle subtitleStyle;

    VideoEncoder videoEncoder = VideoEncoder::None;  // -ovc
    AudioEncoder audioEncoder = AudioEncoder::None;  // -oac
    EncoderSpeed speed = EncoderSpeed::Balanced;     // -speed
    std::vector<tools::SubOption> lavcOpts, x264Opts, xvidOpts, x265Opts, svtav1Opts, vpxOpts, lameOpts, lavfOpts,
        mpegOpts;
    std::vector<tools::FilterSpec> videoFilters, audioFilters;
    std::optional<AVRational> outputFrameRate;  // -ofps
    int sampleRate = 0;                       // -srate
    int channels = 0;                         // -channels
    std::string container = "avi";            // -of
    std::string fourcc;                       // -ffourcc
    bool noSound = false;
    bool noVideo = false;
    // -identify: write the media facts and decode the first picture and
    // sound, nothing else; no output is named then.
    bool identify = false;
};

// Throws ToolError for an unknown option or a value that cannot be honoured.
AvmOptions ParseAvmOptions(const std::vector<std::string>& args);

// Whole numbers and decimals in option values; throw ToolError naming `what`.
int ParseInteger(const std::string& text, const std::string& what);
double ParseNumber(const std::string& text, const std::string& what);

// "90", "1:30", "00:01:30.5" -> seconds.
double ParseTime(const std::string& text, const std::string& what);

// "25", "29.97", "30000/1001", "23.976025" -> a rate; decimals that lie
// within 0.01 % of a 1000/1001 rate become that exact fraction.
AVRational ParseFrameRate(const std::string& text, const std::string& what);

}  // namespace avm
