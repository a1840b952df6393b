#pragma once
// Progress in dvdauthor's output lines:
//   "STAT: VOBU 16 at 1MB, 1 PGCs"          -> stage 1, megabytes of VOB data read
//   "STAT: fixing VOBU at 2MB (33/34, 94%)" -> stage 2, percent
//   "STAT: fixed 34 VOBUs"                  -> stage 2, 100
#include "authoring/HelperRun.h"

#include <optional>
#include <string>

namespace dvdimage {

inline constexpr int kStageCheckingVob = 1;
inline constexpr int kStageCreatingDvd = 2;

std::optional<authoring::HelperProgress> ParseDvdauthorLine(const std::string& line);

}  // namespace dvdimage
