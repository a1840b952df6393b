#include "ToolRecord.h"

#include "CpuShare.h"

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
    return ThreadsForCpuUsage(CpuUsage(), cores > 0 ? cores : 1,
                              engine::LoadField(Data().run_share));
}

}  // namespace tools
