#include "OutputLines.h"

namespace authoring {

std::vector<std::string> OutputLines::Feed(const std::string& chunk)
{
    std::vector<std::string> lines;
    for (char c : chunk) {
        if (c != '\r' && c != '\n') {
            pending_ += c;
            continue;
        }
        if (!pending_.empty())
            lines.push_back(pending_);
        pending_.clear();
    }
    return lines;
}

std::string OutputLines::Rest()
{
    std::string rest;
    rest.swap(pending_);
    return rest;
}

}  // namespace authoring
