#include "ProfileMarkers.h"

namespace profiles {

namespace {

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

}  // namespace

bool IsOriginal(std::string_view shortName) { return Contains(shortName, "original"); }
bool IsAvi(std::string_view shortName) { return Contains(shortName, "avi"); }
bool IsDisc(std::string_view shortName) { return Contains(shortName, "vcd") || Contains(shortName, "dvd"); }
bool IsDiscImage(std::string_view shortName) { return Contains(shortName, "img"); }
bool IsDvdImage(std::string_view shortName) { return Contains(shortName, "dvdimg"); }
bool IsSvcdImage(std::string_view shortName) { return Contains(shortName, "svcdimg"); }
bool IsVcdImage(std::string_view shortName) { return Contains(shortName, "vcdimg"); }

}  // namespace profiles
