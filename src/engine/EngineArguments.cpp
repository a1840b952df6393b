#include "EngineArguments.h"

#include "app/Utilities.h"
#include "engine/CommandLine.h"
#include "engine/DecodeScript.h"
#include "engine/EncoderSpeed.h"
#include "engine/VideoBitrate.h"
#include "profiles/ChoiceEntries.h"
#include "profiles/ProfileMarkers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace engine {

namespace {

// Milliseconds as the encoder's seconds: "12", or "12.5" with a fraction.
std::string SecondsText(std::int64_t milliseconds)
{
    std::string text = std::to_string(milliseconds / 1000);
    if (const std::int64_t fraction = milliseconds % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text;
}

// The size placeholder's value and where burned-in subtitles go (percent).
struct PictureSize {
    std::string value;
    int subtitlePosition = 100;
    int subtitleWidth = 100;
};

struct OutputFormat {
    const char* extensions[4];
    const char* option;
};

const OutputFormat kOutputFormats[] = {
    {{"AVI", "DIV", "DIVX", "XVID"}, " -idx"},
    {{"MPEG", "MPG", "DAT", "VOB"}, " -of mpeg"},
    {{"WMV"}, " -of lavf -lavfopts format=wmv"},
    {{"ASF", "ASX"}, " -of lavf -lavfopts format=asf"},
    {{"MP4", "M4V"}, " -of lavf -lavfopts format=mp4"},
    {{"MOV", "QT"}, " -of lavf -lavfopts format=mov"},
    {{"3GP", "3G2"}, " -of lavf -lavfopts format=3gp"},
    {{"FLV"}, " -of lavf"},
    {{"RM", "RMVB"}, " -of lavf -lavfopts format=rm"},
    {{"MKV", "MKA"}, " -of lavf -lavfopts format=matroska"},
    {{"WEBM"}, " -of lavf -lavfopts format=webm"},
    {{"MP3"}, " -of lavf -lavfopts format=mp3"},
    {{"M4A"}, " -of lavf -lavfopts format=m4a"},
    {{"FLAC"}, " -of lavf -lavfopts format=flac"},
    {{"OPUS"}, " -of lavf -lavfopts format=opus"},
    {{"OGG", "OGA"}, " -of lavf -lavfopts format=ogg"},
};
constexpr char kUnknownFormatOption[] = " -of xxxx";

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

void ReplaceAll(std::string& text, const std::string& token, const std::string& value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
}

// Rates within these windows (widened by kRateTolerance on each side) are
// written as the exact NTSC fractions.
struct NtscRate {
    double lowest;
    double highest;
    const char* fraction;
};
constexpr NtscRate kNtscRates[] = {
    {14.945, 14.985, "15000/1001"},
    {23.976, 23.976, "24000/1001"},
    {29.97, 29.97, "30000/1001"},
};
constexpr double kRateTolerance = 0.001;

std::string FrameRateValue(const std::string& entry, double sourceFrameRate)
{
    const profiles::FrameEntry frame = profiles::ParseFrameEntry(entry);
    const double rate = frame.KeepsSourceRate() ? sourceFrameRate : frame.rate;
    for (const NtscRate& ntsc : kNtscRates) {
        if (rate - ntsc.highest <= kRateTolerance && rate - ntsc.lowest >= -kRateTolerance)
            return std::string(" ") + ntsc.fraction;
    }
    char text[64];
    std::snprintf(text, sizeof text, " %f", rate);
    return text;
}

std::string SizeText(std::int32_t width, std::int32_t height)
{
    return std::to_string(width) + ":" + std::to_string(height);
}

// Scales into width x height keeping the source's aspect and pads the rest
// with bars; subtitles then stay on the picture rather than in a bar.
PictureSize LetterBox(std::int32_t width, std::int32_t height, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    PictureSize size;
    const std::string expand = ",expand=" + SizeText(width, height);
    auto targetAspect = static_cast<float>(width) / static_cast<float>(height);
    auto sourceAspect = static_cast<long double>(sourceWidth) / sourceHeight;
    if (targetAspect <= sourceAspect) {
        size.value = std::to_string(width) + ":-3" + expand;
        auto pictureHeight = static_cast<std::uint64_t>(sourceHeight) * static_cast<std::uint64_t>(width) /
                             static_cast<std::uint64_t>(sourceWidth);
        size.subtitlePosition = static_cast<int>(100.0 - 50.0 * (height - static_cast<double>(pictureHeight)) / height);
    } else {
        size.value = "-3:" + std::to_string(height) + expand;
        auto pictureWidth = static_cast<std::uint64_t>(sourceWidth) * static_cast<std::uint64_t>(height) /
                            static_cast<std::uint64_t>(sourceHeight);
        size.subtitleWidth = static_cast<int>(static_cast<double>(pictureWidth) / width * 100.0);
    }
    return size;
}

FrameSize EncodedFrameSize(const EngineArgumentInputs& inputs)
{
    const SourceItem& source = inputs.source;
    return OutputFrameSize(inputs.profile, inputs.choice,
                           inputs.joinerFirstSource.value_or(FrameSize{source.width, source.height}));
}

PictureSize PictureSizeFor(const EngineArgumentInputs& inputs)
{
    const SourceItem& source = inputs.source;
    const FrameSize output = EncodedFrameSize(inputs);
    const profiles::SizeEntry entry = profiles::SizeEntryAt(inputs.profile, inputs.choice.video_size);
    if (entry.kind == profiles::EntryKind::Original && !profiles::IsDisc(inputs.profile))
        return {SizeText(output.width, output.height)};
    // A source without a picture (or a target without a size) has no aspect to keep.
    bool canLetterBox = output.width > 0 && output.height > 0 && source.width > 0 && source.height > 0;
    if (inputs.choice.video_letterbox == 0 || !canLetterBox)
        return {SizeText(output.width, output.height)};
    return LetterBox(output.width, output.height, source.width, source.height);
}

void ApplyAspectRule(std::string& text, const std::string& aspect)
{
    switch (profiles::ParseAspectEntry(aspect).ratio) {
    case profiles::AspectRatio::FourThree:
        ReplaceAll(text, "__video_aspect__", "4/3");
        break;
    case profiles::AspectRatio::SixteenNine:
        ReplaceAll(text, "__video_aspect__", "16/9");
        break;
    case profiles::AspectRatio::None:
        ReplaceAll(text, ":aspect=__video_aspect__", "");
        break;
    }
}

// The chosen template with its placeholders filled in, as words; a value
// that holds blanks (the output format options) gives several words.
Arguments ExpandTemplate(const EngineArgumentInputs& inputs, const PictureSize& size)
{
    const auto& profile = inputs.profile;
    const auto& choice = inputs.choice;
    const std::string videoCodec = profile.video_codec.At(choice.video_codec);
    const std::string frameRate = FrameRateValue(profile.video_frame.At(choice.video_frame), inputs.source.frameRate);
    const std::string videoBitrate =
        std::to_string(EffectiveVideoBitrate(profile, choice, inputs.source, EncodedFrameSize(inputs)));
    Arguments arguments;
    for (std::string word : SplitWords(ChooseTemplate(profile, choice))) {
        ReplaceAll(word, "__video_codec__", LowerCase(videoCodec == "wmv8" ? "wmv2" : videoCodec));
        ReplaceAll(word, "__video_bitrate__", videoBitrate);
        ReplaceAll(word, "__audio_bitrate__", std::to_string(profile.audio_bitrate.At(choice.audio_quality)));
        ReplaceAll(word, "__vqscale__", std::to_string(profile.video_qscale.At(choice.video_quality)));
        ReplaceAll(word, "__audio_codec__", LowerCase(profile.audio_codec.At(choice.audio_codec)));
        ReplaceAll(word, "__audio_sample__", profile.audio_sample.At(choice.audio_sample).substr(0, 5));
        ReplaceAll(word, "__volume__", std::to_string(inputs.volume.Decibels()));
        ApplyAspectRule(word, profile.video_aspect.At(choice.video_aspect));
        ReplaceAll(word, "__video_frame__", frameRate);
        ReplaceAll(word, "__video_size__", size.value);
        AppendWords(arguments, OutputFormatOption(word, inputs.outputExtension));
    }
    return arguments;
}

void AppendSubtitleRendering(Arguments& arguments, const SourceItem& source, const PictureSize& size)
{
    arguments.insert(arguments.end(), {"-subcp", source.subtitleCodePage, "-font",
                                       app::WindowsDirectory() + "fonts/" + source.subtitleFont, "-subpos",
                                       std::to_string(size.subtitlePosition), "-subwidth",
                                       std::to_string(size.subtitleWidth), "-subfont-text-scale",
                                       std::to_string(source.subtitleTextSize)});
}

}  // namespace

const std::string& ChooseTemplate(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice)
{
    if (profiles::IsAvi(profile))
        return choice.video_codec != 0 ? profile.command2 : profile.command1;
    if (profiles::IsDisc(profile))
        return choice.video_tvtype != 0 ? profile.command2 : profile.command1;
    return profile.command1;
}

bool UsesDecodeScript(app::DecodeEngine decoder, const SourceItem& source)
{
    return ScriptCanName(source.path) &&
           (decoder == app::DecodeEngine::Script ||
            (decoder == app::DecodeEngine::Auto && source.decodeViaDirectShow == 1));
}

Arguments BuildEngineArguments(const EngineArgumentInputs& inputs)
{
    const SourceItem& source = inputs.source;
    Arguments arguments = RecordNameArguments(inputs.recordName);
    arguments.push_back(UsesDecodeScript(inputs.decoder, source) ? DecodeScriptPath() : source.path);

    const std::int64_t length = TrimLengthMs(source);
    if (length != std::int64_t{source.duration} * 1000)
        arguments.insert(arguments.end(), {"-ss", SecondsText(TrimStartMs(source)), "-endpos", SecondsText(length)});

    PictureSize size = PictureSizeFor(inputs);
    Arguments expanded = ExpandTemplate(inputs, size);
    PinOutputFormat(expanded, inputs.outputExtension);
    arguments.insert(arguments.end(), expanded.begin(), expanded.end());
    const Arguments speed = SpeedArguments(inputs.speed, inputs.profile, inputs.choice);
    arguments.insert(arguments.end(), speed.begin(), speed.end());

    if (source.audioTrack != -1)
        arguments.insert(arguments.end(), {"-aid", std::to_string(source.audioTrack)});
    // Subtitles are drawn on the picture: output without one takes none.
    const bool picture = !profiles::IsSoundOnly(inputs.profile);
    if (picture && source.subtitleTrack != -1) {
        arguments.insert(arguments.end(), {"-sid", std::to_string(source.subtitleTrack)});
        AppendSubtitleRendering(arguments, source, size);
    }
    if (picture && app::FileExists(source.subtitleFile)) {
        arguments.insert(arguments.end(), {"-sub", source.subtitleFile});
        AppendSubtitleRendering(arguments, source, size);
    }
    arguments.insert(arguments.end(), {"-o", inputs.outputPath});
    return arguments;
}

Arguments FilledTemplate(const EngineArgumentInputs& inputs)
{
    return ExpandTemplate(inputs, PictureSizeFor(inputs));
}

void PinOutputFormat(Arguments& arguments, const std::string& outputExtension)
{
    const auto lavf = std::adjacent_find(arguments.begin(), arguments.end(), [](const auto& a, const auto& b) {
        return a == "-of" && b == "lavf";
    });
    if (lavf == arguments.end() || std::find(arguments.begin(), arguments.end(), "-lavfopts") != arguments.end())
        return;
    std::string format = LowerCase(outputExtension);
    format.erase(0, format.find_first_not_of('.'));
    if (!format.empty())
        arguments.insert(lavf + 2, {"-lavfopts", "format=" + format});
}

std::string OutputFormatOption(const std::string& templateText, const std::string& outputExtension)
{
    std::string extension;
    for (char c : outputExtension) {
        if (c != '.')
            extension += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const char* option = kUnknownFormatOption;
    for (const OutputFormat& format : kOutputFormats) {
        bool hit = std::any_of(std::begin(format.extensions), std::end(format.extensions),
                               [&](const char* known) { return known && extension == known; });
        if (hit) {
            option = format.option;
            break;
        }
    }
    std::string text = templateText;
    ReplaceAll(text, "__output_format__", std::string(" ") + option);
    return text;
}

}  // namespace engine
