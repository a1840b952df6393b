#include "FamilyOrder.h"

#include "DeviceCategory.h"
#include "ProfileCatalogue.h"

namespace profiles {

std::vector<int> SlotsInFamilyOrder(const ProfileCatalogue& catalogue)
{
    std::vector<int> order;
    std::vector<bool> placed(static_cast<std::size_t>(catalogue.Count()), false);
    auto place = [&](auto belongs) {
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            if (!placed[static_cast<std::size_t>(slot)] && belongs(*catalogue.Profile(slot))) {
                placed[static_cast<std::size_t>(slot)] = true;
                order.push_back(slot);
            }
        }
    };
    for (const DeviceCategory& family : DeviceCategories())
        place([&family](const OutputProfile& profile) { return InCategory(profile.profile_shortname, family); });
    place([](const OutputProfile&) { return true; });
    return order;
}

}  // namespace profiles
