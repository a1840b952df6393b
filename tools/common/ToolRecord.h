#pragma once
// The tool's side of the shared status record named after -sfm.
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"

#include <string>

namespace tools {

class ToolRecord {
public:
    // Maps the record; false when no record of that name exists.
    bool Open(const std::string& name);

    const std::string& Name() const { return name_; }
    engine::EngineRecord& Data() { return *static_cast<engine::EngineRecord*>(memory_.Data()); }

    bool IsProbeRun() { return engine::LoadField(Data().job_flag) == 0; }
    bool AbortRequested() { return engine::LoadField(Data().abort_request) != 0; }
    int ProcessSeconds() { return engine::LoadField(Data().process_seconds); }
    std::int32_t NotifyWindow() { return engine::LoadField(Data().notify_window); }
    void WriteResult(std::int32_t code) { engine::StoreField(Data().result_code, code); }

    // Worker threads for the cpu_usage setting: 0 (the libraries' own
    // choice, every core) at 100 %, else 85 % or 70 % of the cores, at least
    // one. Runs that share the processors (run_share) split the cores evenly.
    int ThreadCount();

private:
    std::string name_;
    platform::SharedMemory memory_;
};

// The thread count for a cpu_usage value on a machine with `cores` cores,
// of which this run gets its share when `runs` run at once.
int ThreadsForCpuUsage(std::int32_t cpuUsage, int cores, int runs = 1);

}  // namespace tools
