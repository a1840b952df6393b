#include "ParallelRuns.h"

#include <algorithm>

namespace engine {

namespace {

// The threads one encoder run keeps busy for a picture of this many lines.
int ThreadsOneRunUses(int height)
{
    if (height <= 576)
        return 1;
    if (height <= 720)
        return 2;
    if (height <= 1080)
        return 4;
    return 8;
}

}  // namespace

int ParallelRunsFrom(int stored)
{
    return stored >= 1 && stored <= kMaxParallelRuns ? stored : kAutomaticRuns;
}

int ParallelRuns(int setting, const std::vector<JobRow>& rows, int processors)
{
    int runs = ParallelRunsFrom(setting);
    if (runs == kAutomaticRuns) {
        int height = 0;
        for (const JobRow& row : rows)
            height = std::max(height, row.item.height);
        runs = std::min(kMaxParallelRuns, processors / ThreadsOneRunUses(height));
    }
    return std::clamp(runs, 1, std::max(1, static_cast<int>(rows.size())));
}

}  // namespace engine
