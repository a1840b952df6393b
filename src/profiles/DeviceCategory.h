#pragma once
// The device families under which the output profiles are grouped. A
// profile belongs to a family when its short name contains the prefix; the
// profile lists show the families in this order (FamilyOrder.h), whatever
// the order of the profile data file.
#include <span>
#include <string_view>

namespace profiles {

struct DeviceCategory {
    std::string_view displayName;  // shown as it is, not translated
    std::string_view prefix;
};

std::span<const DeviceCategory> DeviceCategories();

// Whether the short name contains the category's prefix.
bool InCategory(std::string_view shortName, const DeviceCategory& category);

}  // namespace profiles
