#include "StreamFit.h"

#include "engine/EngineArguments.h"
#include "profiles/ChoiceEntries.h"
#include "profiles/ProfileMarkers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace engine {

namespace {

constexpr double kFrameRateSlack = 0.01;

// The codec an encoder name of -ovc, -oac or a vcodec=/acodec= sub-option
// writes, as the probe names it.
std::string CodecOfEncoder(const std::string& encoder)
{
    static const std::map<std::string, std::string> kCodecs = {
        {"x264", "h264"},       {"libx264", "h264"},      {"x265", "hevc"},    {"libx265", "hevc"},
        {"svtav1", "av1"},      {"libsvtav1", "av1"},     {"vpx", "vp9"},      {"libvpx-vp9", "vp9"},
        {"xvid", "mpeg4"},      {"libxvid", "mpeg4"},     {"flv", "flv1"},     {"mp3lame", "mp3"},
        {"libmp3lame", "mp3"},  {"libopus", "opus"},      {"libvorbis", "vorbis"}, {"pcm", "pcm_s16le"},
    };
    const auto known = kCodecs.find(encoder);
    return known != kCodecs.end() ? known->second : encoder;
}

// "key=value:switch" as key/value pairs; a switch has an empty value.
std::map<std::string, std::string> SubOptions(const std::string& text)
{
    std::map<std::string, std::string> options;
    for (const std::string& item : SplitItems(text, ':')) {
        const std::size_t equals = item.find('=');
        if (!item.empty())
            options[item.substr(0, equals)] = equals == std::string::npos ? "" : item.substr(equals + 1);
    }
    return options;
}

std::optional<std::string> OptionValue(const Arguments& words, const std::string& name)
{
    const auto at = std::find(words.begin(), words.end(), name);
    if (at == words.end() || at + 1 == words.end())
        return std::nullopt;
    return *(at + 1);
}

int WholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// Whether the chain (absent: none) only holds filters of the allowed names.
bool OnlyFilters(const std::optional<std::string>& chain, const std::vector<std::string>& allowed)
{
    if (!chain)
        return true;
    const std::vector<std::string> filters = SplitItems(*chain, ',');
    return std::all_of(filters.begin(), filters.end(), [&](const std::string& filter) {
        return std::find(allowed.begin(), allowed.end(), filter.substr(0, filter.find('='))) != allowed.end();
    });
}

// A level as the bitstream codes it from the template's "31", "3.1" or "3":
// H.264 counts tenths (31), HEVC thirtieths of the level (93).
int CodedLevel(const std::string& text, int perLevel)
{
    double level = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || level <= 0)
        return -1;
    if (text.find('.') == std::string::npos && level >= 10)
        level /= 10;
    return static_cast<int>(std::lround(level * perLevel));
}

// The source profiles a decoder of the template's profile plays.
const std::vector<std::string>* PlayableProfiles(const std::string& codec, const std::string& profile)
{
    static const std::map<std::string, std::vector<std::string>> kH264 = {
        {"baseline", {"Baseline", "Constrained Baseline"}},
        {"main", {"Constrained Baseline", "Main"}},
        {"high", {"Constrained Baseline", "Main", "High"}},
        {"high10", {"Constrained Baseline", "Main", "High", "High 10"}},
    };
    static const std::map<std::string, std::vector<std::string>> kHevc = {
        {"main", {"Main"}},
        {"main10", {"Main", "Main 10"}},
    };
    const auto& table = codec == "hevc" ? kHevc : kH264;
    const auto found = table.find(profile);
    return found != table.end() ? &found->second : nullptr;
}

// Whether the source's profile and level lie within those the template asks for.
bool WithinProfileAndLevel(const SourceItem& source, const TemplateStreams& streams)
{
    if (!streams.videoProfile.empty()) {
        const std::vector<std::string>* playable = PlayableProfiles(streams.videoCodec, streams.videoProfile);
        if (!playable || std::find(playable->begin(), playable->end(), source.videoProfile) == playable->end())
            return false;
    }
    if (!streams.videoLevel.empty()) {
        const int limit = CodedLevel(streams.videoLevel, streams.videoCodec == "hevc" ? 30 : 10);
        if (limit <= 0 || source.videoLevel <= 0 || source.videoLevel > limit)
            return false;
    }
    return true;
}

bool Trimmed(const SourceItem& source)
{
    return TrimLengthMs(source) != std::int64_t{source.duration} * 1000;
}

bool KeepsPicture(const CopyQuestion& question)
{
    const SourceItem& source = question.source;
    const profiles::SizeEntry size = profiles::SizeEntryAt(question.profile, question.choice.video_size);
    const bool keepsSize =
        size.kind == profiles::EntryKind::Original ||
        (size.kind == profiles::EntryKind::Custom && question.choice.custom_width == source.width &&
         question.choice.custom_height == source.height) ||
        (size.kind == profiles::EntryKind::Value && size.width == source.width && size.height == source.height);
    const profiles::FrameEntry frame = profiles::FrameEntryAt(question.profile, question.choice.video_frame);
    const bool keepsRate = frame.KeepsSourceRate() || std::fabs(frame.rate - source.frameRate) <= kFrameRateSlack;
    const bool keepsAspect =
        profiles::AspectEntryAt(question.profile, question.choice.video_aspect).ratio == profiles::AspectRatio::None;
    return keepsSize && keepsRate && keepsAspect;
}

bool VideoFits(const CopyQuestion& question, const TemplateStreams& streams, const Arguments& words)
{
    const SourceItem& source = question.source;
    const std::int32_t bitrate = question.profile.video_bitrate.At(question.choice.video_quality);
    return !Trimmed(source) && source.subtitleFile.empty() && source.subtitleTrack == -1 &&
           !UsesDecodeScript(question.settings.decoder, source) && KeepsPicture(question) &&
           OnlyFilters(OptionValue(words, "-vf"), {"scale", "expand", "harddup"}) && !streams.videoCodec.empty() &&
           source.videoCodec == streams.videoCodec && source.videoBitrate > 0 && source.videoBitrate <= bitrate &&
           WithinProfileAndLevel(source, streams);
}

bool AudioFits(const CopyQuestion& question, const TemplateStreams& streams, const Arguments& words)
{
    const SourceItem& source = question.source;
    const std::int32_t bitrate = question.profile.audio_bitrate.At(question.choice.audio_quality);
    const bool withinBitrate =
        streams.audioCodec == "flac" || (source.audioBitrate > 0 && source.audioBitrate <= bitrate);
    return !Trimmed(source) && source.audioTrack <= 0 && !UsesDecodeScript(question.settings.decoder, source) &&
           question.settings.volume.Decibels() == 0 && OnlyFilters(OptionValue(words, "-af"), {"volume"}) &&
           !streams.audioCodec.empty() && source.audioCodec == streams.audioCodec &&
           (streams.sampleRate == 0 || source.sampleRate == streams.sampleRate) &&
           (streams.channels == 0 || source.channels == streams.channels) && withinBitrate;
}

}  // namespace

TemplateStreams ReadTemplateStreams(const Arguments& filledTemplate)
{
    TemplateStreams streams;
    const auto lavc = SubOptions(OptionValue(filledTemplate, "-lavcopts").value_or(""));
    auto lavcCodec = [&lavc](const char* key) {
        const auto codec = lavc.find(key);
        return codec != lavc.end() ? CodecOfEncoder(codec->second) : "";
    };
    const std::string video = OptionValue(filledTemplate, "-ovc").value_or("");
    streams.videoCodec = video == "lavc" ? lavcCodec("vcodec") : CodecOfEncoder(video);
    const char* limits = video == "x264" ? "-x264encopts" : video == "x265" ? "-x265encopts" : nullptr;
    if (limits) {
        const auto options = SubOptions(OptionValue(filledTemplate, limits).value_or(""));
        if (const auto profile = options.find("profile"); profile != options.end())
            streams.videoProfile = profile->second;
        if (const auto level = options.find(video == "x264" ? "level_idc" : "level"); level != options.end())
            streams.videoLevel = level->second;
    }
    const std::string audio = OptionValue(filledTemplate, "-oac").value_or("");
    streams.audioCodec = audio == "lavc" ? lavcCodec("acodec") : CodecOfEncoder(audio);
    streams.sampleRate = WholeNumber(OptionValue(filledTemplate, "-srate").value_or(""));
    streams.channels = WholeNumber(OptionValue(filledTemplate, "-channels").value_or(""));
    return streams;
}

StreamCopy ChooseStreamCopy(const CopyQuestion& question)
{
    const profiles::OutputProfile& profile = question.profile;
    if (!question.settings.copyFitting || question.joinerMode || profiles::IsDisc(profile) ||
        profiles::IsOriginal(profile))
        return {};
    const Arguments words = FilledTemplate({question.source, profile, question.choice, question.settings.decoder,
                                            question.settings.volume, "", "", "", std::nullopt});
    const TemplateStreams streams = ReadTemplateStreams(words);
    StreamCopy copy;
    copy.video = streams.videoCodec != "copy" && VideoFits(question, streams, words);
    copy.audio = streams.audioCodec != "copy" && AudioFits(question, streams, words);
    return copy;
}

}  // namespace engine
