#include "StopSignals.h"

#include "platform/Interrupts.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

namespace tools {

namespace {

// Gone, or a zombie its parent has not collected yet.
bool ProcessEnded(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return errno == ESRCH;
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // "pid (name) S ...": the state follows the name's closing parenthesis.
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

}  // namespace

void CatchStopSignals()
{
    platform::CatchInterrupts();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

void StopIfProgramEnded(std::int32_t programId)
{
    // While the program lives it is the parent; a tool with another parent
    // was either started by other means or orphaned before it could ask.
    if (programId > 0 && ::getppid() != programId && ProcessEnded(static_cast<pid_t>(programId)))
        ::raise(SIGTERM);
}

bool StopSignalled()
{
    return platform::InterruptSignal() != 0;
}

}  // namespace tools
