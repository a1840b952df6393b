#pragma once
// How many rows of a job convert at once.
#include "engine/JobSpec.h"

#include <vector>

namespace engine {

// The choices of the "Simultaneous conversions" setting: 1..kMaxParallelRuns,
// or kAutomaticRuns.
inline constexpr int kAutomaticRuns = 0;
inline constexpr int kMaxParallelRuns = 4;

// The stored setting as a choice; anything outside the choices is Automatic.
int ParallelRunsFrom(int stored);

// The runs for rows on a machine with `processors` processors: the
// setting, or for Automatic as many runs as keep the processors busy. An
// encoder spreads a small picture over few threads, so small frames get
// more runs than large ones. Never more runs than rows, never fewer than one.
int ParallelRuns(int setting, const std::vector<JobRow>& rows, int processors);

}  // namespace engine
