#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

extern char** environ;

namespace platform {

namespace {

int OpenLog(const std::string& logPath)
{
    int fd = -1;
    if (!logPath.empty())
        fd = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        fd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    return fd;
}

// Signals the tool gets with their default action, whatever this process does with them.
void ResetSignals(posix_spawnattr_t& attributes)
{
    sigset_t none;
    ::sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    ::sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD})
        ::sigaddset(&defaults, signal);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
}

}  // namespace

ChildProcess::~ChildProcess()
{
    if (!Running())
        return;
    Kill();
    ::waitpid(pid_, nullptr, 0);
    Forget();
}

int ChildProcess::Start(const std::string& path, const std::vector<std::string>& arguments, const std::string& logPath)
{
    if (Running())
        return EBUSY;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int log = OpenLog(logPath);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (log >= 0) {
        ::posix_spawn_file_actions_adddup2(&actions, log, 1);
        ::posix_spawn_file_actions_adddup2(&actions, log, 2);
    }
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    ResetSignals(attributes);

    pid_t pid = -1;
    int error = ::posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    if (log >= 0)
        ::close(log);
    if (error != 0)
        return error;
    pid_ = pid;
    // glibc 2.36 declares pidfd_open without C linkage, so it is called directly.
    pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    return 0;
}

bool ChildProcess::WaitForExit(int timeoutMs)
{
    if (!Running())
        return true;
    if (pidfd_ >= 0) {
        pollfd watch = {pidfd_, POLLIN, 0};
        ::poll(&watch, 1, timeoutMs);
    } else {
        timespec pause = {timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
    if (::waitpid(pid_, nullptr, WNOHANG) == 0)
        return false;
    Forget();
    return true;
}

void ChildProcess::Terminate()
{
    if (Running())
        ::kill(-pid_, SIGTERM);
}

void ChildProcess::Kill()
{
    if (Running())
        ::kill(-pid_, SIGKILL);
}

void ChildProcess::Forget()
{
    if (pidfd_ >= 0)
        ::close(pidfd_);
    pidfd_ = -1;
    pid_ = -1;
}

std::int32_t CurrentProcessId()
{
    return static_cast<std::int32_t>(::getpid());
}

}  // namespace platform
