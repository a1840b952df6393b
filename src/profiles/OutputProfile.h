#pragma once
// One output profile: a section of the profile data file. Field sizes and
// slot counts are fixed; longer values are cut when they are read.
#include "ProfileLists.h"

#include <cstdint>
#include <string>

namespace ini {
class PrivateProfile;
}

namespace profiles {

struct OutputProfile {
    // Longest texts the fields hold.
    static constexpr std::size_t kNameLength = 255;
    static constexpr std::size_t kShortNameLength = 31;
    static constexpr std::size_t kExtensionLength = 7;
    static constexpr std::size_t kCommandLength = 1023;
    static constexpr std::size_t kJoinCommandLength = 255;

    std::string name;               // the section name, shown in the Output Format list
    std::string profile_shortname;  // its substrings select behaviour (ProfileMarkers.h)
    std::string file_extname;       // suffix of output files, with its leading dot
    TextList<16> video_codec;
    TextList<16> video_quality;   // language keys of section "MainDialog"
    NumberList<16> video_bitrate;  // per video_quality entry
    NumberList<16> video_qscale;   // per video_quality entry
    TextList<64> video_size;      // entry 0 may be "Original", entry 1 "Custom..."
    NumberList<64> video_width;    // per video_size entry; 0 = source size, 1 = custom size
    NumberList<64> video_height;
    TextList<16> video_frame;     // decimal rates; entry 0 may be "Original" or "Auto"
    TextList<8> video_aspect;     // texts holding "4:3" or "16:9"; entry 0 may be "Auto" or "Original"
    TextList<8> video_tvtype;     // disc profiles: entry k goes with video_size and video_frame entry k
    TextList<16> audio_codec;
    TextList<32> audio_quality;   // language keys of section "MainDialog"
    NumberList<32> audio_bitrate;  // per audio_quality entry
    TextList<16> audio_sample;    // the first five characters of an entry are used
    std::int32_t flag_onlyaudio = 0;
    std::int32_t flag_psp = 0;
    std::string command1;
    std::string command2;
    std::string joincmd;
};

// Reads one profile from a section of the readable profile data.
OutputProfile ReadOutputProfile(const ini::PrivateProfile& data, const std::string& section);

}  // namespace profiles
