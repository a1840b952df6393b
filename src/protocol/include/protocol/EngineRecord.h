#pragma once
// The 1912-byte status record shared by the program and its engine tools.
// Both sides map the same bytes; the layout is the wire format between
// them, so every offset is fixed and checked at compile time. Integers are
// 32-bit little-endian, texts NUL-terminated inside their field.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace engine {

static_assert(std::endian::native == std::endian::little, "the record is little-endian");

inline constexpr std::size_t kRecordSize = 1912;
inline constexpr int kMaxTracks = 16;

// Values of result_code.
inline constexpr std::int32_t kResultSuccess = 0;
inline constexpr std::int32_t kResultNotReported = 1;
inline constexpr std::int32_t kResultStopped = 2;
inline constexpr std::int32_t kResultFailed = 99;

// Values of TrackEntry::kind.
inline constexpr std::int32_t kTrackEnd = 0;
inline constexpr std::int32_t kTrackAudio = 2;
inline constexpr std::int32_t kTrackSubtitle = 3;

struct TrackEntry {
    std::int32_t kind;
    std::int32_t track_id;
    char language[8];
    char title[32];
};

struct EngineRecord {
    std::int32_t notify_window;
    std::int32_t result_code;
    char video_profile[32];  // the picture codec's profile name ("High", "Main 10"); "" when unknown
    std::int32_t video_level;  // the codec's level as the bitstream codes it (H.264 41 = 4.1); 0 when unknown
    std::int32_t run_share;  // conversion runs sharing the processors now; 0 or 1 when this run is alone
    char reserved[984];
    std::int32_t job_flag;
    std::int32_t abort_request;
    std::int32_t cpu_usage;
    char video_codec[32];
    char audio_codec[32];
    std::int32_t video_bitrate;
    std::uint32_t duration;
    std::int32_t width;
    std::int32_t height;
    float frame_rate;
    std::int32_t audio_bitrate;
    std::int32_t sample_rate;
    std::int32_t channels;
    std::int32_t process_seconds;
    TrackEntry tracks[kMaxTracks];
};

static_assert(sizeof(TrackEntry) == 48);
static_assert(offsetof(TrackEntry, track_id) == 4);
static_assert(offsetof(TrackEntry, language) == 8);
static_assert(offsetof(TrackEntry, title) == 16);

static_assert(sizeof(EngineRecord) == kRecordSize);
static_assert(offsetof(EngineRecord, notify_window) == 0);
static_assert(offsetof(EngineRecord, result_code) == 4);
static_assert(offsetof(EngineRecord, video_profile) == 8);
static_assert(offsetof(EngineRecord, video_level) == 40);
static_assert(offsetof(EngineRecord, run_share) == 44);
static_assert(offsetof(EngineRecord, reserved) == 48);
static_assert(offsetof(EngineRecord, job_flag) == 1032);
static_assert(offsetof(EngineRecord, abort_request) == 1036);
static_assert(offsetof(EngineRecord, cpu_usage) == 1040);
static_assert(offsetof(EngineRecord, video_codec) == 1044);
static_assert(offsetof(EngineRecord, audio_codec) == 1076);
static_assert(offsetof(EngineRecord, video_bitrate) == 1108);
static_assert(offsetof(EngineRecord, duration) == 1112);
static_assert(offsetof(EngineRecord, width) == 1116);
static_assert(offsetof(EngineRecord, height) == 1120);
static_assert(offsetof(EngineRecord, frame_rate) == 1124);
static_assert(offsetof(EngineRecord, audio_bitrate) == 1128);
static_assert(offsetof(EngineRecord, sample_rate) == 1132);
static_assert(offsetof(EngineRecord, channels) == 1136);
static_assert(offsetof(EngineRecord, process_seconds) == 1140);
static_assert(offsetof(EngineRecord, tracks) == 1144);

// The record's fields are written by one side while the other reads them
// from another process; these accessors keep the compiler from caching.
inline std::int32_t LoadField(const std::int32_t& field)
{
    return __atomic_load_n(&field, __ATOMIC_SEQ_CST);
}

inline void StoreField(std::int32_t& field, std::int32_t value)
{
    __atomic_store_n(&field, value, __ATOMIC_SEQ_CST);
}

}  // namespace engine
