#pragma once
// VCD and SVCD images: the converted MPEG files of the working folder are
// described in "vcd.xml" in the private temp folder and made into
// VideoCD.bin and VideoCD.cue in the disc folder by the vcdimage tool.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"

#include <optional>
#include <string>

namespace disc {

// The longest argument text, terminator included.
inline constexpr std::size_t kVcdArgumentLimit = 1024;

// " -sfm NAME -x "XML" -c "FOLDER/VideoCD.cue" -b "FOLDER/VideoCD.bin" -p";
// nullopt when it would not fit kVcdArgumentLimit.
std::optional<std::string> BuildVcdArguments(const DiscJob& job, const std::string& xmlPath,
                                             const std::string& discFolder);

// Prepares the disc folder, writes the description and runs the tool; the
// outcome is left in result_code as for the DVD.
void RunVcdImaging(const DiscJob& job, DiscState& state, DiscRun& run);

}  // namespace disc
