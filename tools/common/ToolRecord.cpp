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
    return ThreadsForCpuUsage(engine::LoadField(Data().cpu_usage), cores > 0 ? cores : 1);
}

int ThreadsForCpuUsage(std::int32_t cpuUsage, int cores)
{
    if (cpuUsage != 1 && cpuUsage != 2)
        return 0;
    int threads = cores * (cpuUsage == 1 ? 85 : 70) / 100;
    return threads > 0 ? threads : 1;
}

}  // namespace tools
