#include "ToolRecord.h"

#include <thread>

namespace tools {

bool ToolRecord::Open(const std::string& name)
{
    name_ = name;
    return !name.empty() && memory_.Open(name, engine::kRecordSize);
}

int ToolRecord::ThreadCount()
{
    int cores = static_cast<int>(std::thread::hardware_concurrency());
    return ThreadsForCpuUsage(engine::LoadField(Data().cpu_usage), cores > 0 ? cores : 1,
                              engine::LoadField(Data().run_share));
}

int ThreadsForCpuUsage(std::int32_t cpuUsage, int cores, int runs)
{
    const bool shared = runs > 1;
    if (cpuUsage != 1 && cpuUsage != 2 && !shared)
        return 0;
    if (shared)
        cores /= runs;
    int threads = cpuUsage == 1 || cpuUsage == 2 ? cores * (cpuUsage == 1 ? 85 : 70) / 100 : cores;
    return threads > 0 ? threads : 1;
}

}  // namespace tools
