#include "DeviceCategory.h"

#include <array>

namespace profiles {

namespace {

constexpr std::array<DeviceCategory, 16> kCategories{{
    {"Generic", "generic-"},
    {"VCD SVCD DVD", "disc-"},
    {"Apple", "apple-"},
    {"Sony", "sony-"},
    {"BlackBerry", "blackberry-"},
    {"Archos", "archos-"},
    {"Creative", "creative-"},
    {"iRiver", "iriver-"},
    {"Nokia", "nokia-"},
    {"Motorola", "motorola-"},
    {"Sony Ericsson", "sonyericsson-"},
    {"Palm", "palm-"},
    {"MicroSoft", "microsoft-"},
    {"Android", "android-"},
    {"Web and streaming", "web-"},
    {"TV and media players", "tvplayer-"},
}};

}  // namespace

std::span<const DeviceCategory> DeviceCategories()
{
    return kCategories;
}

bool InCategory(std::string_view shortName, const DeviceCategory& category)
{
    return shortName.find(category.prefix) != std::string_view::npos;
}

}  // namespace profiles
