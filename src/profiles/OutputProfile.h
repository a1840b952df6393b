#pragma once
// One output profile: a section of the profile data file. Field sizes and
// slot counts are fixed; longer values are cut when they are read.
#include "ProfileKind.h"
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
    std::string profile_shortname;
    ProfileKind kind;               // read from profile_shortname; set it with the name
    std::string file_extname;       // suffix of output files, with its leading dot
    TextList<16> video_codec;
    TextList<16> video_quality;   // language keys of section "MainDialog"
    NumberList<16> video_bitrate;  // per video_quality entry
    NumberList<16> video_qscale;   // per video_quality entry
    TextList<64> video_size;      // read with video_width and video_height by SizeEntryAt (ChoiceEntries.h)
    NumberList<64> video_width;    // per video_size entry
    NumberList<64> video_height;   // per video_size entry
    TextList<16> video_frame;     // read by FrameEntryAt
    TextList<8> video_aspect;     // read by AspectEntryAt
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
