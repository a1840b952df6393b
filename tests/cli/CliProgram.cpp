#include "CliProgram.h"

#include "platform/FileSystem.h"
#include "support/SpawnProgram.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <filesystem>
#include <thread>

namespace cli_test {

namespace fs = std::filesystem;

CliProgram::CliProgram()
{
    static int counter = 0;
    fs::create_directories(Program());
    for (const char* file : {"diziv-cli", "avm", "savm", "dvdimage", "vcdimage", "dsp_data.dll"}) {
        std::error_code error;
        fs::create_hard_link(PROGRAM_DIR + std::string(file), Program() + file, error);
        if (error)
            fs::copy_file(PROGRAM_DIR + std::string(file), Program() + file);
    }
    for (const char* folder : {"Languages", "system"})
        fs::create_directory_symlink(PROGRAM_DIR + std::string(folder), Program() + folder);
    appName_ = "Cli Test " + std::to_string(::getpid()) + " " + std::to_string(++counter);
    folder_.Write("prog/app.ini", "[main]\nAppName=" + appName_ + "\n");
}

std::string CliProgram::Copy(const std::string& clip, const std::string& relative) const
{
    const std::string path = folder_.Make(relative);
    fs::copy_file(clip, path);
    return path;
}

std::string CliProgram::SharedName() const
{
    std::string shared = appName_;
    std::replace(shared.begin(), shared.end(), ' ', '_');
    return shared;
}

CliRun CliProgram::Run(const std::vector<std::string>& arguments,
                       const std::function<bool(const std::string& out)>& interruptWhen)
{
    return Finish(Start(arguments), interruptWhen);
}

pid_t CliProgram::Start(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{Program() + "diziv-cli"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return testing_support::SpawnProgram(argv, folder_.Path() + "cli.out", folder_.Path() + "cli.err");
}

CliRun CliProgram::Finish(pid_t pid, const std::function<bool(const std::string& out)>& interruptWhen)
{
    CliRun run;
    if (pid < 0) {
        ADD_FAILURE() << "cannot start diziv-cli";
        return run;
    }
    bool interrupted = false;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "diziv-cli did not end";
            ::kill(pid, SIGKILL);
        } else if (interruptWhen && !interrupted && interruptWhen(folder_.Read("cli.out"))) {
            ::kill(pid, SIGINT);
            interrupted = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = folder_.Read("cli.out");
    run.err = folder_.Read("cli.err");
    return run;
}

bool CliProgram::Await(const std::string& file, const std::string& text) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (folder_.Read(file).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::unique_ptr<platform::InstanceLock> CliProgram::RunOtherCopy() const
{
    auto lock = std::make_unique<platform::InstanceLock>();
    EXPECT_TRUE(platform::MakePrivateDirectory(fs::path(LockFile()).parent_path().string()));
    EXPECT_EQ(lock->Acquire(LockFile()), platform::InstanceLock::Result::Acquired);
    return lock;
}

}  // namespace cli_test
