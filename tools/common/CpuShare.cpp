#include "CpuShare.h"

#include <sys/resource.h>

#include <cerrno>

namespace tools {

namespace {

// Shares smaller than this keep every thread: dropping one of two or three
// costs far more speed than the lower priority costs the desktop.
constexpr int kFewestCoresToSpare = 4;

int PercentForCpuUsage(std::int32_t cpuUsage)
{
    return cpuUsage == 1 ? 85 : cpuUsage == 2 ? 70 : 100;
}

}  // namespace

int ThreadsForCpuUsage(std::int32_t cpuUsage, int cores, int runs)
{
    const bool shared = runs > 1;
    const int share = shared ? cores / runs : cores;
    int threads = share;
    if (share >= kFewestCoresToSpare)
        threads = (share * PercentForCpuUsage(cpuUsage) + 50) / 100;
    if (!shared && threads == cores)
        return 0;
    return threads > 0 ? threads : 1;
}

int NiceForCpuUsage(std::int32_t cpuUsage)
{
    return cpuUsage == 1 ? 10 : cpuUsage == 2 ? 15 : 0;
}

bool LowerPriorityForCpuUsage(std::int32_t cpuUsage)
{
    const int wanted = NiceForCpuUsage(cpuUsage);
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, 0);
    if (errno != 0)
        return false;
    return current >= wanted || ::setpriority(PRIO_PROCESS, 0, wanted) == 0;
}

}  // namespace tools
