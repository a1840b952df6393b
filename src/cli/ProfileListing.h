#pragma once
// The text of --list-profiles: the profiles grouped by device family, each
// with the number and name that --profile takes; the current one marked.
#include <string>

namespace profiles {
class ProfileCatalogue;
}

namespace cli {

std::string ProfileListing(const profiles::ProfileCatalogue& catalogue, int currentSlot);

}  // namespace cli
