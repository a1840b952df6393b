#pragma once
// The order in which the profile lists show the catalogue: by device family
// in the order of the family table, the profiles of a family in slot order.
// The profile data file appends new profiles at its end, so slot order
// alone would put them after the last family.
#include <vector>

namespace profiles {

class ProfileCatalogue;

// Every slot of the catalogue once, in list order. A profile that names
// several families goes with the first; profiles of no family come last.
std::vector<int> SlotsInFamilyOrder(const ProfileCatalogue& catalogue);

}  // namespace profiles
