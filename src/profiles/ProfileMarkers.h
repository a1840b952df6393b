#pragma once
// What a profile's kind (read from its short name, ProfileKind.h) and its
// flags ask of the conversion.
#include "OutputProfile.h"

namespace profiles {

inline bool IsOriginal(const OutputProfile& profile) { return profile.kind.original; }
inline bool IsAvi(const OutputProfile& profile) { return profile.kind.avi; }
inline bool IsDisc(const OutputProfile& profile) { return profile.kind.disc; }
inline bool IsDiscImage(const OutputProfile& profile) { return profile.kind.discImage; }
inline bool IsDvdImage(const OutputProfile& profile) { return profile.kind.dvdImage; }
inline bool IsSvcdImage(const OutputProfile& profile) { return profile.kind.svcdImage; }
inline bool IsVcdImage(const OutputProfile& profile) { return profile.kind.vcdImage; }
// Sound only: its templates write no picture (-novideo), so it takes
// sources without one and the picture choices do not apply.
inline bool IsSoundOnly(const OutputProfile& profile) { return profile.flag_onlyaudio != 0; }
// Whether a source without a picture can be converted with the profile:
// sound-only output, or output that keeps the source's own format.
inline bool TakesSourceWithoutPicture(const OutputProfile& profile)
{
    return IsSoundOnly(profile) || (IsOriginal(profile) && !IsDisc(profile));
}

// Output that keeps the source's format also keeps its audio volume,
// unless it is disc output.
inline bool KeepsOriginalVolume(const OutputProfile& profile) { return IsOriginal(profile) && !IsDisc(profile); }

}  // namespace profiles
