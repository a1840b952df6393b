#include "DvdauthorProgress.h"

#include <algorithm>
#include <regex>

namespace dvdimage {

std::optional<authoring::HelperProgress> ParseDvdauthorLine(const std::string& line)
{
    static const std::regex reading(R"(^STAT: VOBU [0-9]+ at ([0-9]{1,9})MB)");
    static const std::regex fixing(R"(^STAT: fixing VOBU at [0-9]+MB \([0-9]+/[0-9]+, *([0-9]{1,9})%\))");
    static const std::regex fixed(R"(^STAT: fixed [0-9]+ VOBUs)");
    std::smatch match;
    if (std::regex_search(line, match, reading))
        return authoring::HelperProgress{kStageCheckingVob, std::stoi(match[1].str())};
    if (std::regex_search(line, match, fixing))
        return authoring::HelperProgress{kStageCreatingDvd, std::min(std::stoi(match[1].str()), 100)};
    if (std::regex_search(line, fixed))
        return authoring::HelperProgress{kStageCreatingDvd, 100};
    return std::nullopt;
}

}  // namespace dvdimage
