#pragma once
// The text of --list-profiles: the profiles grouped by device family, each
// with the number and name that --profile takes and a line with its
// container, codecs and default frame size; the current one marked.
#include <string>

namespace profiles {
class ProfileCatalogue;
struct OutputProfile;
}

namespace cli {

// Only the profiles whose name or short name holds filter (ignoring case)
// are listed; "" when none does.
std::string ProfileListing(const profiles::ProfileCatalogue& catalogue, int currentSlot, const std::string& filter);

// "container mp4; video H.264; audio AAC; size Original", from the profile data.
std::string ProfileSummary(const profiles::OutputProfile& profile);

}  // namespace cli
