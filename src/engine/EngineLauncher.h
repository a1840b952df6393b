#pragma once
// Starts one engine tool at a time and tells when it has ended. Nothing
// here waits: the front end's event loop watches ExitDescriptor() and calls
// Reap() when it becomes readable, and calls EnforceAbort() on a timer.
#include "engine/CommandLine.h"
#include "engine/EngineStatusBlock.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {
class UserDialogs;
}

namespace engine {

// Full paths of the tools beside the program: the encoder is "avm" in the
// edition with subtitles and "savm" otherwise.
std::string EncoderPath();
std::string DvdToolPath();
std::string VcdToolPath();

class EngineLauncher {
public:
    // After abort_request is set, a tool gets this long to end by itself
    // before the launcher ends it (SIGTERM) ...
    static constexpr std::uint64_t kAbortGraceMs = 10000;
    // ... and this much longer before it is killed (SIGKILL).
    static constexpr std::uint64_t kKillGraceMs = 2000;

    EngineLauncher(EngineStatusBlock& block, app::UserDialogs& dialogs, const platform::Clock& clock);

    // Starts the tool at path with arguments as its argv, its output going
    // to LogPath(). False after reporting that the tool could not be loaded.
    bool StartEngine(const std::string& path, const Arguments& arguments);

    bool Running() const { return child_.Running(); }
    const platform::Clock& Clock() const { return clock_; }
    // Readable once the running tool has ended; -1 when no tool runs or the
    // system offers no such descriptor (then poll Reap() on a timer).
    int ExitDescriptor() const { return child_.ExitDescriptor(); }
    // Collects the running tool if it has ended; true when it was collected
    // now. A tool ended by EnforceAbort has its run recorded as stopped
    // (result_code 2).
    bool Reap();
    // While abort_request is set, ends a tool that ignores it after the grace periods.
    void EnforceAbort();
    // Ends the running tool now (SIGTERM) or kills it (SIGKILL); Reap()
    // records the run as stopped.
    void Terminate();
    void Kill();

    // Blocks until the running tool has ended, calling between (if any)
    // every sliceMs; for callers without an event loop of their own.
    void WaitForEngine(int sliceMs, const std::function<void()>& between);

    // The log of the run started last: the tool's output and error lines.
    const std::string& LogPath() const { return logPath_; }
    // Why the run started last failed, as its log's last line tells.
    std::string LastRunReason() const;

    // Between these calls (a job) every run writes a log of its own,
    // numbered in the order of the runs; other runs (probes) share one log
    // per tool. Beginning a job removes the logs of the job before.
    void BeginJobLogs();
    void EndJobLogs() { numberedLogs_ = false; }
    // Runs outside a job log to "<tool>-<tag>.log" instead of "<tool>.log",
    // and job runs to "job-<tag>-<n>-<tool>.log", so that launchers running
    // at once keep their logs apart.
    void SetLogTag(std::string tag) { logTag_ = std::move(tag); }

    // Called with each tool's path and arguments just before it starts
    // (and before its log is made anew), for front ends that show them.
    using StartObserver = std::function<void(const std::string& path, const Arguments& arguments)>;
    void SetStartObserver(StartObserver observer) { startObserver_ = std::move(observer); }

private:
    void Collected();

    EngineStatusBlock& block_;
    app::UserDialogs& dialogs_;
    const platform::Clock& clock_;
    platform::ChildProcess child_;
    std::string logPath_;
    StartObserver startObserver_;
    std::string toolName_;
    std::string logTag_;
    bool numberedLogs_ = false;
    std::vector<std::string> jobLogs_;
    std::optional<std::uint64_t> abortSeenMs_;
    std::optional<std::uint64_t> terminatedMs_;
};

}  // namespace engine
