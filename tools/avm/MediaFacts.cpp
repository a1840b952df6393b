#include "MediaFacts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" {
#include <libavutil/dict.h>
}

namespace avm {

namespace {

void CopyText(char* field, std::size_t size, const char* text)
{
    std::memset(field, 0, size);
    if (text)
        std::strncpy(field, text, size - 1);
}

std::int32_t Kbits(std::int64_t bitsPerSecond)
{
    return bitsPerSecond > 0 ? static_cast<std::int32_t>(bitsPerSecond / 1000) : 0;
}

const char* Tag(const AVStream* stream, const char* key)
{
    const AVDictionaryEntry* entry = av_dict_get(stream->metadata, key, nullptr, 0);
    return entry ? entry->value : nullptr;
}

// The value of a Matroska statistics tag: key itself or key with a language
// suffix ("BPS-eng").
const char* StatisticsTag(const AVStream* stream, const std::string& key)
{
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(stream->metadata, key.c_str(), entry, AV_DICT_IGNORE_SUFFIX))) {
        const std::string found = entry->key;
        if (found.size() == key.size() || found[key.size()] == '-')
            return entry->value;
    }
    return nullptr;
}

// A whole number tag value; 0 when there is none or it is no number.
std::int64_t TagNumber(const char* text)
{
    std::int64_t value = 0;
    if (!text)
        return 0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc() && stop == end && value > 0 ? value : 0;
}

// "HH:MM:SS.fraction" in seconds; 0 when the text has another form.
double TagDuration(const char* text)
{
    int hours = 0, minutes = 0;
    double seconds = 0;
    if (!text || std::sscanf(text, "%d:%d:%lf", &hours, &minutes, &seconds) != 3)
        return 0;
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

// Bits per second of a stream whose header stores no bit rate, from the
// statistics tags Matroska writers add: "BPS", or "NUMBER_OF_BYTES" over
// the stream's duration; 0 when they are not there.
std::int64_t TaggedBitRate(const AVStream* stream, double fileSeconds)
{
    if (std::int64_t bps = TagNumber(StatisticsTag(stream, "BPS")))
        return bps;
    const std::int64_t bytes = TagNumber(StatisticsTag(stream, "NUMBER_OF_BYTES"));
    double seconds = TagDuration(StatisticsTag(stream, "DURATION"));
    if (seconds <= 0 && stream->duration > 0)
        seconds = stream->duration * av_q2d(stream->time_base);
    if (seconds <= 0)
        seconds = fileSeconds;
    return bytes > 0 && seconds > 0 ? std::llround(bytes * 8 / seconds) : 0;
}

std::int32_t StreamKbits(const AVStream* stream, double fileSeconds)
{
    const std::int64_t stored = stream->codecpar->bit_rate;
    return Kbits(stored > 0 ? stored : TaggedBitRate(stream, fileSeconds));
}

// Languages arrive as ISO 639-2 codes from most containers; anything that is
// not three letters (empty, "und" stays) is written as "und".
const char* LanguageCode(const AVStream* stream)
{
    const char* language = Tag(stream, "language");
    if (!language || std::strlen(language) != 3)
        return "und";
    return language;
}

}  // namespace

void WriteMediaFacts(const InputMedia& input, engine::EngineRecord& record)
{
    const AVFormatContext* context = input.Context();
    int video = input.VideoStream();
    if (video >= 0) {
        const AVStream* stream = context->streams[video];
        const AVCodecParameters* parameters = stream->codecpar;
        CopyText(record.video_codec, sizeof record.video_codec, avcodec_get_name(parameters->codec_id));
        record.video_bitrate = StreamKbits(stream, input.DurationSeconds());
        CopyText(record.video_profile, sizeof record.video_profile,
                 avcodec_profile_name(parameters->codec_id, parameters->profile));
        record.video_level = parameters->level > 0 ? parameters->level : 0;
        record.width = parameters->width;
        record.height = parameters->height;
        AVRational rate = input.ForcedFrameRate().value_or(stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate
                                                                                          : stream->r_frame_rate);
        record.frame_rate = rate.num > 0 && rate.den > 0 ? static_cast<float>(av_q2d(rate)) : 0.0f;
    }
    int audio = input.AudioStream(-1);
    if (audio >= 0) {
        const AVCodecParameters* parameters = context->streams[audio]->codecpar;
        CopyText(record.audio_codec, sizeof record.audio_codec, avcodec_get_name(parameters->codec_id));
        record.audio_bitrate = StreamKbits(context->streams[audio], input.DurationSeconds());
        record.sample_rate = parameters->sample_rate;
        record.channels = parameters->ch_layout.nb_channels;
    }
    record.duration = static_cast<std::uint32_t>(std::lround(input.DurationSeconds()));

    std::memset(record.tracks, 0, sizeof record.tracks);
    int used = 0;
    for (unsigned i = 0; i < context->nb_streams && used < engine::kMaxTracks; ++i) {
        const AVStream* stream = context->streams[i];
        AVMediaType type = stream->codecpar->codec_type;
        if (type != AVMEDIA_TYPE_AUDIO && type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        engine::TrackEntry& entry = record.tracks[used++];
        entry.kind = type == AVMEDIA_TYPE_AUDIO ? engine::kTrackAudio : engine::kTrackSubtitle;
        entry.track_id = static_cast<std::int32_t>(i);
        CopyText(entry.language, sizeof entry.language, LanguageCode(stream));
        CopyText(entry.title, sizeof entry.title, Tag(stream, "title"));
    }
}

}  // namespace avm
