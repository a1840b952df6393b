#include "platform/PipedProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

extern char** environ;

namespace platform {

namespace {

// This process's environment with the extra entries laid over it.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('=') + 1);
        bool replaced = false;
        for (const std::string& item : extra)
            replaced = replaced || item.compare(0, name.size(), name) == 0;
        if (!replaced)
            merged.push_back(text);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void PauseMs(int ms)
{
    timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
    ::nanosleep(&pause, nullptr);
}

}  // namespace

PipedProcess::~PipedProcess()
{
    Stop(0);
    CloseOutput();
}

int PipedProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                        const std::vector<std::string>& extraEnvironment, const std::string& workingFolder)
{
    if (pid_ > 0)
        return EBUSY;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return errno;

    std::vector<std::string> argumentTexts = {program};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = Pointers(argumentTexts);
    std::vector<std::string> environmentTexts = MergedEnvironment(extraEnvironment);
    std::vector<char*> envp = Pointers(environmentTexts);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    if (!workingFolder.empty())
        ::posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);

    pid_t pid = -1;
    int error = ::posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(pipeEnds[0]);
        return error;
    }
    pid_ = pid;
    output_ = pipeEnds[0];
    return 0;
}

bool PipedProcess::ReadOutput(std::string& text, int timeoutMs)
{
    if (output_ < 0)
        return false;
    pollfd watch = {output_, POLLIN, 0};
    int ready = ::poll(&watch, 1, timeoutMs);
    if (ready < 0 && errno != EINTR) {
        CloseOutput();
        return false;
    }
    if (ready <= 0)
        return true;
    char buffer[4096];
    ssize_t count = ::read(output_, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (count <= 0) {
        CloseOutput();
        return false;
    }
    text.append(buffer, static_cast<std::size_t>(count));
    return true;
}

std::optional<int> PipedProcess::WaitForExit(int timeoutMs)
{
    if (pid_ <= 0)
        return -1;
    for (int waited = 0;; waited += 10) {
        int status = 0;
        pid_t ended = ::waitpid(pid_, &status, WNOHANG);
        if (ended == pid_ || (ended < 0 && errno != EINTR)) {
            bool exited = ended == pid_ && WIFEXITED(status);
            pid_ = -1;
            CloseOutput();
            return exited ? WEXITSTATUS(status) : -1;
        }
        if (waited >= timeoutMs)
            return std::nullopt;
        PauseMs(10);
    }
}

void PipedProcess::Stop(int graceMs)
{
    if (pid_ <= 0)
        return;
    ::kill(-pid_, SIGTERM);
    for (int waited = 0; waited < graceMs; waited += 10) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        PauseMs(10);
    }
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

void PipedProcess::CloseOutput()
{
    if (output_ >= 0)
        ::close(output_);
    output_ = -1;
}

}  // namespace platform
