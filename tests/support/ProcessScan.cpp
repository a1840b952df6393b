#include "support/ProcessScan.h"

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>

namespace testing_support {

namespace {

// "" when the file cannot be read: a process that ends while its /proc
// files are read makes the read fail (ESRCH), which the stream would throw.
std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    try {
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return "";
    }
}

}  // namespace

bool IsRunning(pid_t pid)
{
    // "pid (name) S ...": the state follows the last parenthesis.
    const std::string stat = ReadWhole("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z' && stat[close + 2] != 'X';
}

std::vector<pid_t> ProcessesHolding(const std::string& text)
{
    std::vector<pid_t> found;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return found;
    while (const dirent* entry = ::readdir(proc)) {
        const std::string name = entry->d_name;
        if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::string command = ReadWhole("/proc/" + name + "/cmdline");
        std::replace(command.begin(), command.end(), '\0', ' ');
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        if (command.find(text) != std::string::npos && IsRunning(pid))
            found.push_back(pid);
    }
    ::closedir(proc);
    return found;
}

bool AwaitNoProcessHolding(const std::string& text, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ProcessesHolding(text).empty()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void KillProcessesHolding(const std::string& text)
{
    for (pid_t pid : ProcessesHolding(text))
        ::kill(pid, SIGKILL);
}

pid_t EndedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string UserAndProcess(long pid)
{
    return std::to_string(::getuid()) + "-" + std::to_string(pid);
}

}  // namespace testing_support
