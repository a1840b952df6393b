#include "ProfileListing.h"

#include "profiles/DeviceCategory.h"
#include "profiles/ProfileCatalogue.h"

#include <vector>

namespace cli {

std::string ProfileListing(const profiles::ProfileCatalogue& catalogue, int currentSlot)
{
    std::vector<bool> listed(static_cast<std::size_t>(catalogue.Count()), false);
    std::string text;
    auto group = [&](std::string_view title, auto belongs) {
        std::string lines;
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            const profiles::OutputProfile& profile = *catalogue.Profile(slot);
            if (listed[slot] || !belongs(profile))
                continue;
            listed[slot] = true;
            const std::string number = std::to_string(slot);
            lines += (slot == currentSlot ? "  * " : "    ") + std::string(number.size() < 2 ? " " : "") + number +
                     "  " + profile.name + "  (" + profile.profile_shortname + ")\n";
        }
        if (!lines.empty())
            text += std::string(title) + "\n" + lines;
    };
    for (const profiles::DeviceCategory& category : profiles::DeviceCategories())
        group(category.displayName,
              [&category](const profiles::OutputProfile& p) { return profiles::InCategory(p.profile_shortname, category); });
    group("Other", [](const profiles::OutputProfile&) { return true; });
    return text;
}

}  // namespace cli
