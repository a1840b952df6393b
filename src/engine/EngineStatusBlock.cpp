#include "EngineStatusBlock.h"

#include "platform/RunNames.h"

#include <cerrno>
#include <cstring>

namespace engine {

EngineStatusBlock::~EngineStatusBlock()
{
    Close();
}

int EngineStatusBlock::Open(const std::string& name, std::size_t size)
{
    Close();
    lastTried_ = name;
    if (size == 0)
        size = kRecordSize;
    if (size < kRecordSize || !memory_.Create(name, size))
        return 0;
    name_ = name;
    return 1;
}

int EngineStatusBlock::OpenForRun(const std::string& sharedName)
{
    constexpr int kAttempts = 16;
    platform::RemoveStaleRunFiles(sharedName);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (Open(platform::RunRecordName(sharedName, attempt), 0))
            return 1;
        if (memory_.Error() != EEXIST)
            return 0;
    }
    return 0;
}

std::string EngineStatusBlock::FailureText() const
{
    const char* reason = memory_.Error() != 0 ? std::strerror(memory_.Error()) : "the size is too small";
    return "Cannot create the shared status record " + lastTried_ + ": " + reason;
}

void EngineStatusBlock::Close()
{
    if (!IsOpen())
        return;
    memory_.Close();
    platform::SharedMemory::Unlink(name_);
    name_.clear();
}

void PrepareProbeRun(EngineRecord& record, std::int32_t notifyWindow)
{
    std::memset(&record, 0, sizeof record);
    StoreField(record.notify_window, notifyWindow);
    StoreField(record.result_code, kResultNotReported);
}

void PrepareConversionRun(EngineRecord& record, std::int32_t notifyWindow, std::int32_t cpuUsage,
                          std::int32_t processSeconds)
{
    PrepareProbeRun(record, notifyWindow);
    StoreField(record.abort_request, 0);
    StoreField(record.job_flag, 1);
    StoreField(record.cpu_usage, cpuUsage);
    StoreField(record.process_seconds, processSeconds);
}

void PrepareDiscRun(EngineRecord& record)
{
    StoreField(record.result_code, kResultNotReported);
}

RunOutcome ReadRunOutcome(const EngineRecord& record)
{
    if (LoadField(record.abort_request) == 1)
        return RunOutcome::Stopped;
    switch (LoadField(record.result_code)) {
    case kResultSuccess:
        return RunOutcome::Succeeded;
    case kResultStopped:
        return RunOutcome::Stopped;
    default:
        return RunOutcome::Failed;
    }
}

}  // namespace engine
