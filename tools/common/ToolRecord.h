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

    std::int32_t CpuUsage() { return engine::LoadField(Data().cpu_usage); }
    // Worker threads for cpu_usage and run_share on this machine (see
    // CpuShare.h); 0 leaves the choice to the libraries.
    int ThreadCount();

private:
    std::string name_;
    platform::SharedMemory memory_;
};

}  // namespace tools
