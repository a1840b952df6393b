#pragma once
// VCD and SVCD images: the converted MPEG files of the working folder are
// described in "vcd.xml" in the private temp folder and made into
// VideoCD.bin and VideoCD.cue in the disc folder by the vcdimage tool.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"
#include "engine/ToolSequence.h"

#include <optional>
#include <string>

namespace disc {

// The longest argument line (CommandText), terminator included.
inline constexpr std::size_t kVcdArgumentLimit = 1024;

// -sfm NAME -x XML -c FOLDER/VideoCD.cue -b FOLDER/VideoCD.bin -p; nullopt
// when the line would not fit kVcdArgumentLimit.
std::optional<engine::Arguments> BuildVcdArguments(const DiscJob& job, const std::string& xmlPath,
                                                   const std::string& discFolder);

// Prepares the disc folder, writes the description and gives the one run;
// the outcome is left in result_code as for the DVD.
class VcdImaging : public engine::ToolSequence {
public:
    VcdImaging(DiscJob job, DiscRun run);
    std::optional<engine::ToolCommand> Next() override;
    std::string ResultPath() const override { return state_.madeFolder; }
    const DiscState& State() const { return state_; }

private:
    std::optional<engine::ToolCommand> Finish();

    DiscJob job_;
    DiscRun run_;
    DiscState state_;
    int runsStarted_ = 0;
};

}  // namespace disc
