#pragma once
// The program's decode script: a two-line text whose first line reads
// DirectShowSource("<path with doubled backslashes>",fps=30.0,convertfps=true).
// avm opens the named file itself, tolerating damage, at the script's rate.
#include <optional>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

namespace avm {

struct DecodeScript {
    std::string sourcePath;
    AVRational frameRate{30, 1};
};

// The script's content when `path` is a decode script, else nothing.
// Throws ToolError when the file starts like a script but cannot be read as one.
std::optional<DecodeScript> ReadDecodeScript(const std::string& path);

// The same for a script's text.
std::optional<DecodeScript> ParseDecodeScript(const std::string& text);

}  // namespace avm
