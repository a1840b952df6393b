#pragma once
// How much of the processors an engine tool takes for the record's
// cpu_usage (0 = 100 %, 1 = 85 %, 2 = 70 %) and run_share. Below 100 % the
// tool runs at a lower scheduling priority, so that what the user does
// meanwhile comes first while an idle machine still converts at full speed,
// and it gives up whole threads only where the machine has cores to spare.
// Runs converting at once split the cores between them.
#include <cstdint>

namespace tools {

// Worker threads for one run on a machine with `cores` cores, of which it
// gets its share when `runs` run at once. 0 leaves the choice to the
// libraries (every core): a run alone at 100 %, or one that keeps every
// core. Below 100 % a share of 4 cores or more keeps 85 % or 70 % of them,
// rounded; a smaller share keeps them all. Never less than one.
int ThreadsForCpuUsage(std::int32_t cpuUsage, int cores, int runs = 1);

// The nice value a run at cpuUsage takes: 0 at 100 %, 10 at 85 % and 15 at
// 70 %. Against a task at nice 0, a nice 10 task weighs about a tenth and
// a nice 15 task about a thirtieth, so the desktop barely notices the
// encoder; the disk follows, as the default I/O priority derives from nice.
int NiceForCpuUsage(std::int32_t cpuUsage);

// Raises the calling thread's nice value to NiceForCpuUsage; a higher one
// (the program itself started under nice) stays. Linux keeps the value per
// thread and new threads inherit it, so the tools call this before they
// start any. False when the value could not be set.
bool LowerPriorityForCpuUsage(std::int32_t cpuUsage);

}  // namespace tools
