#pragma once
// What a profile's short name says about its output. Each flag stands for a
// case-sensitive substring of the name, so names may combine them (an
// "original" disc profile, "svcdimg" also holding "vcdimg").
#include <string_view>

namespace profiles {

struct ProfileKind {
    bool original = false;   // "original": output keeps the source's format
    bool avi = false;        // "avi": the video codec choice picks command1 (0) or command2
    bool disc = false;       // "vcd" or "dvd": disc-compatible output; the TV type picks the command
    bool discImage = false;  // "img": a disc image is authored after the conversion
    bool dvdImage = false;   // "dvdimg": a DVD folder
    bool svcdImage = false;  // "svcdimg": an SVCD image
    bool vcdImage = false;   // "vcdimg": a VCD or SVCD image

    bool operator==(const ProfileKind&) const = default;
};

ProfileKind ParseProfileKind(std::string_view shortName);

}  // namespace profiles
