#include "AvmOptions.h"

#include "common/ToolError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace avm {

using tools::ToolError;

namespace {

constexpr std::array kOptions = {
    tools::OptionSpec{"sfm", true},
    tools::OptionSpec{"o", true},
    tools::OptionSpec{"ss", true},
    tools::OptionSpec{"endpos", true},
    tools::OptionSpec{"aid", true},
    tools::OptionSpec{"sid", true},
    tools::OptionSpec{"sub", true},
    tools::OptionSpec{"subcp", true},
    tools::OptionSpec{"font", true},
    tools::OptionSpec{"subpos", true},
    tools::OptionSpec{"subwidth", true},
    tools::OptionSpec{"subfont-text-scale", true},
    tools::OptionSpec{"ovc", true},
    tools::OptionSpec{"oac", true},
    tools::OptionSpec{"of", true},
    tools::OptionSpec{"lavcopts", true},
    tools::OptionSpec{"x264encopts", true},
    tools::OptionSpec{"xvidencopts", true},
    tools::OptionSpec{"x265encopts", true},
    tools::OptionSpec{"svtav1encopts", true},
    tools::OptionSpec{"vpxencopts", true},
    tools::OptionSpec{"lameopts", true},
    tools::OptionSpec{"lavfopts", true},
    tools::OptionSpec{"mpegopts", true},
    tools::OptionSpec{"vf", true},
    tools::OptionSpec{"af", true},
    tools::OptionSpec{"ofps", true},
    tools::OptionSpec{"srate", true},
    tools::OptionSpec{"channels", true},
    tools::OptionSpec{"ffourcc", true},
    tools::OptionSpec{"idx", false},
    tools::OptionSpec{"noodml", false},
    tools::OptionSpec{"nosound", false},
    tools::OptionSpec{"novideo", false},
    tools::OptionSpec{"identify", false},
    tools::OptionSpec{"speed", true},
};

const std::array<std::pair<std::string, VideoEncoder>, 7> kVideoEncoders = {{
    {"lavc", VideoEncoder::Lavc},
    {"x264", VideoEncoder::X264},
    {"xvid", VideoEncoder::Xvid},
    {"x265", VideoEncoder::X265},
    {"svtav1", VideoEncoder::SvtAv1},
    {"vpx", VideoEncoder::Vpx},
    {"copy", VideoEncoder::Copy},
}};
const std::array<std::pair<std::string, AudioEncoder>, 4> kAudioEncoders = {{
    {"lavc", AudioEncoder::Lavc},
    {"mp3lame", AudioEncoder::Mp3Lame},
    {"pcm", AudioEncoder::Pcm},
    {"copy", AudioEncoder::Copy},
}};
const std::array<std::pair<std::string, EncoderSpeed>, 3> kSpeeds = {{
    {"faster", EncoderSpeed::Faster},
    {"balanced", EncoderSpeed::Balanced},
    {"better", EncoderSpeed::Better},
}};
const std::array<std::string, 3> kContainers = {"avi", "mpeg", "lavf"};

[[noreturn]] void RefuseValue(const std::string& value, const std::string& what)
{
    throw ToolError("unsupported value \"" + value + "\" for " + what);
}

template <std::size_t N>
const std::string& OneOf(const std::string& value, const std::array<std::string, N>& allowed, const std::string& what)
{
    for (const std::string& candidate : allowed)
        if (candidate == value)
            return candidate;
    RefuseValue(value, what);
}

template <typename Choice, std::size_t N>
Choice ChoiceNamed(const std::string& value, const std::array<std::pair<std::string, Choice>, N>& choices,
                   const std::string& what)
{
    for (const auto& [name, choice] : choices)
        if (name == value)
            return choice;
    RefuseValue(value, what);
}

int Percent(const std::string& text, const std::string& what)
{
    int value = ParseInteger(text, what);
    if (value < 0 || value > 100)
        throw ToolError(what + " must lie between 0 and 100, not " + text);
    return value;
}

}  // namespace

int ParseInteger(const std::string& text, const std::string& what)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw ToolError("bad whole number \"" + text + "\" for " + what);
    return value;
}

double ParseNumber(const std::string& text, const std::string& what)
{
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw ToolError("bad number \"" + text + "\" for " + what);
    return value;
}

double ParseTime(const std::string& text, const std::string& what)
{
    double seconds = 0;
    std::string::size_type begin = 0;
    int fields = 0;
    while (true) {
        auto colon = text.find(':', begin);
        std::string field = text.substr(begin, colon - begin);
        if (++fields > 3)
            throw ToolError("bad time \"" + text + "\" for " + what);
        seconds = seconds * 60 + ParseNumber(field, what);
        if (colon == std::string::npos)
            break;
        begin = colon + 1;
    }
    if (seconds < 0)
        throw ToolError("negative time \"" + text + "\" for " + what);
    return seconds;
}

AVRational ParseFrameRate(const std::string& text, const std::string& what)
{
    AVRational rate{0, 1};
    auto slash = text.find('/');
    if (slash != std::string::npos) {
        rate = {ParseInteger(text.substr(0, slash), what), ParseInteger(text.substr(slash + 1), what)};
    } else {
        double value = ParseNumber(text, what);
        rate = av_d2q(value, 1000000);
        for (int base : {15, 24, 30, 48, 50, 60, 120}) {
            double fraction = base * 1000.0 / 1001.0;
            if (std::fabs(value - fraction) < fraction * 1e-4)
                rate = {base * 1000, 1001};
        }
    }
    if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 1000)
        throw ToolError("frame rate \"" + text + "\" for " + what + " is out of range");
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, 1000000);
    return rate;
}

AvmOptions ParseAvmOptions(const std::vector<std::string>& args)
{
    tools::CommandLine line = tools::ParseCommandLine(args, kOptions);
    AvmOptions options;
    options.inputs = line.inputs;
    for (const tools::CommandOption& option : line.options) {
        const std::string& name = option.name;
        const std::string& value = option.value;
        const std::string what = "-" + name;
        if (name == "sfm")
            options.recordName = value;
        else if (name == "o")
            options.output = value;
        else if (name == "ss")
            options.startSeconds = ParseTime(value, what);
        else if (name == "endpos")
            options.lengthSeconds = ParseTime(value, what);
        else if (name == "aid")
            options.audioPosition = ParseInteger(value, what);
        else if (name == "sid")
            options.subtitlePosition = ParseInteger(value, what);
        else if (name == "sub")
            options.subtitleFile = value;
        else if (name == "subcp")
            options.subtitleStyle.codePage = value;
        else if (name == "font")
            options.subtitleStyle.fontFile = value;
        else if (name == "subpos")
            options.subtitleStyle.position = Percent(value, what);
        else if (name == "subwidth")
            options.subtitleStyle.width = Percent(value, what);
        else if (name == "subfont-text-scale") {
            options.subtitleStyle.textScale = ParseNumber(value, what);
            if (options.subtitleStyle.textScale <= 0 || options.subtitleStyle.textScale > 100)
                throw ToolError("-subfont-text-scale must lie above 0 and up to 100, not " + value);
        } else if (name == "ovc")
            options.videoEncoder = ChoiceNamed(value, kVideoEncoders, what);
        else if (name == "oac")
            options.audioEncoder = ChoiceNamed(value, kAudioEncoders, what);
        else if (name == "of")
            options.container = OneOf(value, kContainers, what);
        else if (name == "lavcopts")
            options.lavcOpts = tools::ParseSubOptions(value);
        else if (name == "x264encopts")
            options.x264Opts = tools::ParseSubOptions(value);
        else if (name == "xvidencopts")
            options.xvidOpts = tools::ParseSubOptions(value);
        else if (name == "x265encopts")
            options.x265Opts = tools::ParseSubOptions(value);
        else if (name == "svtav1encopts")
            options.svtav1Opts = tools::ParseSubOptions(value);
        else if (name == "vpxencopts")
            options.vpxOpts = tools::ParseSubOptions(value);
        else if (name == "lameopts")
            options.lameOpts = tools::ParseSubOptions(value);
        else if (name == "lavfopts")
            options.lavfOpts = tools::ParseSubOptions(value);
        else if (name == "mpegopts")
            options.mpegOpts = tools::ParseSubOptions(value);
        else if (name == "vf")
            options.videoFilters = tools::ParseFilterChain(value);
        else if (name == "af")
            options.audioFilters = tools::ParseFilterChain(value);
        else if (name == "ofps")
            options.outputFrameRate = ParseFrameRate(value, what);
        else if (name == "srate") {
            options.sampleRate = ParseInteger(value, what);
            if (options.sampleRate < 1000 || options.sampleRate > 192000)
                throw ToolError("sample rate " + value + " is out of range");
        } else if (name == "channels") {
            options.channels = ParseInteger(value, what);
            if (options.channels < 1 || options.channels > 8)
                throw ToolError("channel count " + value + " is out of range");
        } else if (name == "ffourcc") {
            if (value.size() != 4)
                throw ToolError("-ffourcc needs four characters, not \"" + value + "\"");
            options.fourcc = value;
        } else if (name == "nosound")
            options.noSound = true;
        else if (name == "novideo")
            options.noVideo = true;
        else if (name == "identify")
            options.identify = true;
        else if (name == "speed")
            options.speed = ChoiceNamed(value, kSpeeds, what);
        // -idx (write an index) and -noodml (no OpenDML extension) describe
        // what the AVI muxer does anyway for files of this size.
    }
    if (options.recordName.empty())
        throw ToolError("no status record named (-sfm)");
    if (options.output.empty() && !options.identify)
        throw ToolError("no output file named (-o)");
    if (options.inputs.empty())
        throw ToolError("no input file named");
    if (options.noSound && options.noVideo)
        throw ToolError("-nosound and -novideo leave nothing to write");
    return options;
}

}  // namespace avm
