#pragma once
// The program's decode script: a two-line text whose first line reads
// DirectShowSource("<path with doubled backslashes>",fps=30.0,convertfps=true).
// avm opens the named file itself, tolerating damage, at the script's rate.
// Only the program's own script file is read as one: what a file holds
// never makes avm open another.
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

// Whether a file name has the form the program gives its script:
// temp_0000_<tag>.qvz.
bool IsDecodeScriptName(const std::string& fileName);

// The script's content when `path` is the program's own decode script for
// the run of `recordName`: a file of that name form directly in the private
// temp folder of the run's shared name, a regular file (not a link) of this
// user's that no one else may write. Anything else is not a script,
// whatever it holds. Throws ToolError when the program's script cannot be
// read as one.
std::optional<DecodeScript> ReadOwnDecodeScript(const std::string& path, const std::string& recordName);

// The script a text holds, if it is one.
std::optional<DecodeScript> ParseDecodeScript(const std::string& text);

}  // namespace avm
