#pragma once
// The program's side of the shared status record: a named shared-memory
// segment that lives as long as the main window.
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"

#include <cstddef>
#include <string>

namespace engine {

class EngineStatusBlock {
public:
    EngineStatusBlock() = default;
    ~EngineStatusBlock();
    EngineStatusBlock(const EngineStatusBlock&) = delete;
    EngineStatusBlock& operator=(const EngineStatusBlock&) = delete;

    // Creates (or opens) and maps the segment named name; size 0 stands for
    // the record size, and a size smaller than the record is refused.
    // Closes a block that is open first. Returns 1 on success, 0 on failure.
    int Open(const std::string& name, std::size_t size);
    // Opens a record of this run under a new name made from sharedName, the
    // user and the process (see platform/RunNames.h), after removing what
    // dead runs of this user left behind. A name someone else created first
    // is passed over. Returns 1 on success, 0 on failure.
    int OpenForRun(const std::string& sharedName);
    // The message for a failed Open or OpenForRun: the name tried and why it failed.
    std::string FailureText() const;
    // Unmaps the record and removes its name, so no segment outlives the program.
    void Close();

    // The mapped record; nullptr while the block is closed.
    EngineRecord* Data() const { return static_cast<EngineRecord*>(memory_.Data()); }
    const std::string& Name() const { return name_; }
    bool IsOpen() const { return memory_.IsOpen(); }

private:
    platform::SharedMemory memory_;
    std::string name_;
    std::string lastTried_;
};

// What the caller of a run makes of the record once the tool has ended.
enum class RunOutcome { Succeeded, Failed, Stopped };

// Probe run: all bytes cleared, notify_window set, result_code preset to 1.
void PrepareProbeRun(EngineRecord& record, std::int32_t notifyWindow);
// Conversion and join runs: cleared, then notify_window, job_flag 1,
// result_code 1, abort_request 0, cpu_usage and process_seconds.
void PrepareConversionRun(EngineRecord& record, std::int32_t notifyWindow, std::int32_t cpuUsage,
                          std::int32_t processSeconds);
// Disc runs keep what the last conversion left (notify_window, abort_request,
// ...); only result_code is preset to 1 again, so that a disc tool that
// reports nothing cannot inherit the conversion's success.
void PrepareDiscRun(EngineRecord& record);

// abort_request set means stopped, whatever the tool wrote; otherwise 0 is
// success, 2 stopped and anything else (the untouched preset 1 included) failure.
RunOutcome ReadRunOutcome(const EngineRecord& record);

}  // namespace engine
