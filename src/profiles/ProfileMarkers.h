#pragma once
// Behaviour that hangs on substrings of a profile's short name
// (case-sensitive substring tests).
#include "OutputProfile.h"

#include <string_view>

namespace profiles {

// "original": output keeps the source's format.
bool IsOriginal(std::string_view shortName);
// "avi": the video codec choice picks command1 (0) or command2.
bool IsAvi(std::string_view shortName);
// "vcd" or "dvd": disc-compatible output; the TV type picks the command.
bool IsDisc(std::string_view shortName);
// "img": a disc image is authored after the conversion.
bool IsDiscImage(std::string_view shortName);
// "dvdimg": a DVD folder.
bool IsDvdImage(std::string_view shortName);
// "svcdimg": an SVCD image.
bool IsSvcdImage(std::string_view shortName);
// "vcdimg": a VCD or SVCD image ("svcdimg" contains it).
bool IsVcdImage(std::string_view shortName);

inline bool IsOriginal(const OutputProfile& profile) { return IsOriginal(profile.profile_shortname); }
inline bool IsAvi(const OutputProfile& profile) { return IsAvi(profile.profile_shortname); }
inline bool IsDisc(const OutputProfile& profile) { return IsDisc(profile.profile_shortname); }
inline bool IsDiscImage(const OutputProfile& profile) { return IsDiscImage(profile.profile_shortname); }
inline bool IsDvdImage(const OutputProfile& profile) { return IsDvdImage(profile.profile_shortname); }
inline bool IsSvcdImage(const OutputProfile& profile) { return IsSvcdImage(profile.profile_shortname); }
inline bool IsVcdImage(const OutputProfile& profile) { return IsVcdImage(profile.profile_shortname); }

// Output that keeps the source's format also keeps its audio volume,
// unless it is disc output.
inline bool KeepsOriginalVolume(const OutputProfile& profile) { return IsOriginal(profile) && !IsDisc(profile); }

}  // namespace profiles
