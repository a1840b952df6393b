#pragma once
// The values a stored choice (ProfileChoice.h) may take for a profile: what
// the window and the command line can choose, and so what the settings file
// can hold when nobody has damaged it.
#include "OutputProfile.h"
#include "ProfileChoice.h"

#include <cstdint>

namespace profiles {

// The sides a custom frame size may have; 0 stands for no custom size yet.
inline constexpr std::int32_t kCustomSideMin = 16;
inline constexpr std::int32_t kCustomSideMax = 4096;

// List indexes lie within the profile's list (only 0 for a list the profile
// lacks), showprofile and video_letterbox are 0 or 1, and the custom sides
// 0 or kCustomSideMin to kCustomSideMax.
bool IsChoiceInRange(const OutputProfile& profile, const ProfileChoiceKey& key, std::int32_t value);

}  // namespace profiles
