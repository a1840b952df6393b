#pragma once
// A helper program run by an engine tool: its output (stdout and stderr
// together) comes back through a pipe, so that the tool can follow its
// progress, and it runs in its own process group so that it can be ended
// with whatever it starts itself.
#include <optional>
#include <string>
#include <vector>

namespace platform {

class PipedProcess {
public:
    PipedProcess() = default;
    // Kills and reaps a process that is still running, so none is left behind.
    ~PipedProcess();
    PipedProcess(const PipedProcess&) = delete;
    PipedProcess& operator=(const PipedProcess&) = delete;

    // Starts program (looked up in PATH when it holds no '/') with argv =
    // {program, arguments...}, stdin from /dev/null, the extra "NAME=value"
    // entries added to the environment and, when workingFolder is not empty,
    // that folder as its current folder. Returns 0, or the errno that kept
    // it from running.
    int Start(const std::string& program, const std::vector<std::string>& arguments,
              const std::vector<std::string>& extraEnvironment = {}, const std::string& workingFolder = "");

    // Waits up to timeoutMs for output and appends what came to text.
    // Returns false once the output has ended (the process closed it).
    bool ReadOutput(std::string& text, int timeoutMs);

    // Waits up to timeoutMs for the process to end. Once it has ended (or
    // when none was started): its exit code, or -1 when a signal ended it.
    std::optional<int> WaitForExit(int timeoutMs);

    // Ends the process group: SIGTERM, then SIGKILL when it is still there
    // after graceMs. Reaps it.
    void Stop(int graceMs);

private:
    void CloseOutput();

    int pid_ = -1;
    int output_ = -1;
};

}  // namespace platform
