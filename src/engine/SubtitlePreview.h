#pragma once
// The first lines of text a subtitle file shows, for a preview: cue
// numbers, timings, markup and header lines left out.
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The shown lines of SubRip, MicroDVD, SSA/ASS or SAMI text (UTF-8), at
// most maxLines of them.
std::vector<std::string> SubtitleTextLines(std::string_view text, std::size_t maxLines);

// The first shown lines of a subtitle file read with codePage, one a line;
// "" when the file cannot be read.
std::string SubtitlePreview(const std::string& path, const std::string& codePage, std::size_t maxLines);

}  // namespace engine
