#pragma once
// Processes found by their command line in /proc, for tests that check that
// no tool outlives its run. A zombie counts as ended: its parent may be an
// init that never reaps it.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace testing_support {

// The running processes whose command line (arguments joined by spaces)
// holds text.
std::vector<pid_t> ProcessesHolding(const std::string& text);

// Waits up to `limit` for every process holding text to end; true when
// none is left.
bool AwaitNoProcessHolding(const std::string& text, std::chrono::milliseconds limit);

// Whether a process runs (exists and is no zombie).
bool IsRunning(pid_t pid);

// Kills what is left of a test's processes with SIGKILL.
void KillProcessesHolding(const std::string& text);

// The id of a process of this test that has ended and been reaped.
pid_t EndedProcessId();

// "<uid>-<pid>": how run names and partial names tell whose run made them.
std::string UserAndProcess(long pid);

}  // namespace testing_support
