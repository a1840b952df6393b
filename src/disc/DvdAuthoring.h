#pragma once
// DVD folder authoring: the converted VOB files of the working folder become
// a DVD-Video folder through two runs of the dvdimage tool, the title set
// first, then the table of contents.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"
#include "engine/ToolSequence.h"

#include <cstdint>
#include <optional>
#include <string>

namespace disc {

// The longest argument line (CommandText), terminator included.
inline constexpr std::size_t kDvdArgumentLimit = 10240;

// Size of the numbered VOB files in MiB (1048576 bytes), truncated.
std::int64_t SumVobMegabytes(const std::string& workingFolder);

// The "-c" chapter list for a DVDChapter setting; "" for 0 (no chapters).
std::string ChapterList(int dvdChapter);
// "ntsc" for TV type 0, "pal" for any other.
std::string TvSystemWord(int tvType);
// The aspect entry up to its first "(" (a blank before it stays); "" without one.
std::string AspectText(const std::string& aspectEntry);

// The first run's arguments: -sfm NAME -o FOLDER -v TV+WxH+ASPECT
// -a CODEC+en and, for every VOB file, [-c LIST] -f FILE. nullopt when the
// line would not fit kDvdArgumentLimit: the list is never cut.
std::optional<engine::Arguments> BuildDvdTitleArguments(const DiscJob& job, const DvdTitleSettings& settings,
                                                        const std::string& discFolder);

// The second run's arguments: -sfm NAME -T -o FOLDER.
engine::Arguments BuildDvdContentsArguments(const DiscJob& job, const std::string& discFolder);

// Prepares the disc folder and gives the two runs; leaves the outcome in
// result_code: a step that refuses to run sets it to failure (99) itself,
// and a folder left by a run that did not succeed is removed.
class DvdAuthoring : public engine::ToolSequence {
public:
    DvdAuthoring(DiscJob job, DvdTitleSettings settings, DiscRun run);
    std::optional<engine::ToolCommand> Next() override;
    std::string ResultPath() const override { return state_.madeFolder; }
    const DiscState& State() const { return state_; }

private:
    std::optional<engine::ToolCommand> Finish();

    DiscJob job_;
    DvdTitleSettings settings_;
    DiscRun run_;
    DiscState state_;
    int runsStarted_ = 0;
};

}  // namespace disc
