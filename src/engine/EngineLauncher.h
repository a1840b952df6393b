#pragma once
// Starts one engine tool at a time and waits for it while the caller keeps
// its window alive.
#include "engine/EngineStatusBlock.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

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

    // Starts the tool at path with the options of argumentText (split by the
    // Windows command-line rules), its output going to LogPath(). Returns 1,
    // or 0 after telling the user "Error! Failed to load <path> .".
    int StartEngine(const std::string& path, const std::string& argumentText);

    // Returns once the tool started last has ended, calling pump between
    // slices of sliceMs; a tool that has already ended returns at once
    // without a single pump. A tool that ignores abort_request is ended
    // after the grace periods and its run recorded as stopped (result_code 2).
    void WaitForEngine(int sliceMs, const std::function<void()>& pump);

    // The log of the run started last: the tool's output and error lines.
    const std::string& LogPath() const { return logPath_; }

private:
    void EndToolIgnoringAbort();

    EngineStatusBlock& block_;
    app::UserDialogs& dialogs_;
    const platform::Clock& clock_;
    platform::ChildProcess child_;
    std::string logPath_;
    std::optional<std::uint64_t> abortSeenMs_;
    std::optional<std::uint64_t> terminatedMs_;
};

}  // namespace engine
