#pragma once
// One child process started in the background: no terminal input, its
// output in a log file, its own process group so that it can be ended with
// whatever it starts itself.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class ChildProcess {
public:
    ChildProcess() = default;
    // Ends and reaps a child that is still running, so none is left behind.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts path with argv = {path, arguments...}, stdin from /dev/null and
    // stdout/stderr written to logPath (truncated; /dev/null when empty or
    // unwritable). Returns 0, or the errno that kept the program from running.
    int Start(const std::string& path, const std::vector<std::string>& arguments, const std::string& logPath);

    // Waits up to timeoutMs for the child to end; true once it has ended
    // (also when no child was started).
    bool WaitForExit(int timeoutMs);
    bool Running() const { return pid_ > 0; }
    // A descriptor that becomes readable when the child ends (a pidfd); -1
    // when no child runs or the kernel offers none.
    int ExitDescriptor() const { return pidfd_; }

    // Ask the child's process group to end (SIGTERM), or end it at once (SIGKILL).
    void Terminate();
    void Kill();

private:
    void Forget();

    int pid_ = -1;
    int pidfd_ = -1;
};

// The id of this process; the engine tools send their progress to it.
std::int32_t CurrentProcessId();

}  // namespace platform
