#pragma once
// Progress in vcdxbuild's "--progress" lines:
//   "#scan[seq_0_movie]: 4648/343952 (1%)" -> stage 3, percent of the item scanned
//   "#write[2/3]: 898/1046 (86%)"          -> stage 4, percent written, at most 100
//                                             (vcdxbuild's count runs past 100)
#include "authoring/HelperRun.h"

#include <optional>
#include <string>

namespace vcdimage {

inline constexpr int kStageScanningMpeg = 3;
inline constexpr int kStageCreatingBinCue = 4;

std::optional<authoring::HelperProgress> ParseVcdxbuildLine(const std::string& line);

}  // namespace vcdimage
