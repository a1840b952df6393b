#include "ProfileKind.h"

namespace profiles {

ProfileKind ParseProfileKind(std::string_view shortName)
{
    auto has = [shortName](std::string_view part) { return shortName.find(part) != std::string_view::npos; };
    ProfileKind kind;
    kind.original = has("original");
    kind.avi = has("avi");
    kind.disc = has("vcd") || has("dvd");
    kind.discImage = has("img");
    kind.dvdImage = has("dvdimg");
    kind.svcdImage = has("svcdimg");
    kind.vcdImage = has("vcdimg");
    return kind;
}

}  // namespace profiles
