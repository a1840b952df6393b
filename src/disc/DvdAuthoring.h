#pragma once
// DVD folder authoring: the converted VOB files of the working folder become
// a DVD-Video folder through two runs of the dvdimage tool, the title set
// first, then the table of contents.
#include "disc/DiscJob.h"
#include "disc/DiscRun.h"

#include <cstdint>
#include <optional>
#include <string>

namespace disc {

// The longest argument text, terminator included.
inline constexpr std::size_t kDvdArgumentLimit = 10240;

// Size of the numbered VOB files in MiB (1048576 bytes), truncated.
std::int64_t SumVobMegabytes(const std::string& workingFolder);

// The "-c" chapter list for a DVDChapter setting; "" for 0 (no chapters).
std::string ChapterList(int dvdChapter);
// "ntsc" for TV type 0, "pal" for any other.
std::string TvSystemWord(int tvType);
// The aspect entry up to its first "(" (a blank before it stays); "" without one.
std::string AspectText(const std::string& aspectEntry);

// The first run's arguments: " -sfm NAME -o "FOLDER" -v TV+WxH+ASPECT
// -a CODEC+en" and, for every VOB file, [" -c LIST"] " -f "FILE"". nullopt
// when the text would not fit kDvdArgumentLimit: the line is never cut.
std::optional<std::string> BuildDvdTitleArguments(const DiscJob& job, const DvdTitleSettings& settings,
                                                  const std::string& discFolder);

// The second run's arguments: " -sfm NAME -T -o "FOLDER"".
std::string BuildDvdContentsArguments(const DiscJob& job, const std::string& discFolder);

// Prepares the disc folder, runs the tool twice and leaves the outcome in
// result_code: a step that refuses to run sets it to failure (99) itself,
// and a folder left empty by a run that did not succeed is removed.
void RunDvdAuthoring(const DiscJob& job, const DvdTitleSettings& settings, DiscState& state, DiscRun& run);

}  // namespace disc
