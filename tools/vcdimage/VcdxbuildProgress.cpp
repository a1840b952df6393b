#include "VcdxbuildProgress.h"

#include <algorithm>
#include <regex>

namespace vcdimage {

std::optional<authoring::HelperProgress> ParseVcdxbuildLine(const std::string& line)
{
    static const std::regex progress(R"(^#(scan|write)\[[^\]]*\]: [0-9]+/[0-9]+ \( *([0-9]{1,9})%\))");
    std::smatch match;
    if (!std::regex_search(line, match, progress))
        return std::nullopt;
    int stage = match[1] == "scan" ? kStageScanningMpeg : kStageCreatingBinCue;
    return authoring::HelperProgress{stage, std::min(std::stoi(match[2].str()), 100)};
}

}  // namespace vcdimage
