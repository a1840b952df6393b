#include "SpawnProgram.h"

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

extern char** environ;

namespace testing_support {

pid_t SpawnProgram(std::vector<std::string> args, const std::string& outPath, const std::string& errPath,
                   bool searchPath)
{
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (errPath.empty())
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int error = searchPath ? posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                                 : posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

pid_t SpawnProgramAs(uid_t uid, gid_t gid, const std::vector<std::string>& args, const std::string& outPath)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        if (input < 0 || ::dup2(input, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0 ||
            ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(127);
        ::execve(argv[0], argv.data(), environ);
        ::_exit(127);
    }
    ::close(out);
    return pid;
}

bool RunnableByOthers(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0)
        return false;
    for (std::filesystem::path folder = std::filesystem::path(path).parent_path(); ;
         folder = folder.parent_path()) {
        if (::stat(folder.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0)
            return false;
        if (folder == folder.root_path())
            return true;
    }
}

}  // namespace testing_support
