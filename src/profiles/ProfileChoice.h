#pragma once
// The user's choices for one output profile, kept in the settings file in a
// section named after the profile.
#include <array>
#include <cstdint>

namespace profiles {

struct ProfileChoice {
    std::int32_t showprofile = 1;      // 1 = listed in the Output Format list
    std::int32_t video_quality = 0;    // index into video_quality (and video_bitrate, video_qscale)
    std::int32_t video_codec = 0;
    std::int32_t video_size = 0;       // index into video_size (and video_width, video_height)
    std::int32_t video_frame = 0;
    std::int32_t video_aspect = 0;
    std::int32_t video_letterbox = 1;  // 1 = add bars to keep the aspect ratio
    std::int32_t video_tvtype = 0;
    std::int32_t audio_quality = 0;    // index into audio_quality (and audio_bitrate)
    std::int32_t audio_codec = 0;
    std::int32_t audio_sample = 0;
    std::int32_t custom_width = 0;     // 0 = no custom size chosen yet
    std::int32_t custom_height = 0;
};

struct ProfileChoiceKey {
    const char* key;
    std::int32_t ProfileChoice::*field;
};

// The settings keys of the thirteen fields, in record order. A
// default-constructed ProfileChoice holds the value of each absent key.
inline constexpr std::array<ProfileChoiceKey, 13> kProfileChoiceKeys{{
    {"showprofile", &ProfileChoice::showprofile},
    {"video_quality", &ProfileChoice::video_quality},
    {"video_codec", &ProfileChoice::video_codec},
    {"video_size", &ProfileChoice::video_size},
    {"video_frame", &ProfileChoice::video_frame},
    {"video_aspect", &ProfileChoice::video_aspect},
    {"video_letterbox", &ProfileChoice::video_letterbox},
    {"video_tvtype", &ProfileChoice::video_tvtype},
    {"audio_quality", &ProfileChoice::audio_quality},
    {"audio_codec", &ProfileChoice::audio_codec},
    {"audio_sample", &ProfileChoice::audio_sample},
    {"custom_width", &ProfileChoice::custom_width},
    {"custom_height", &ProfileChoice::custom_height},
}};

}  // namespace profiles
