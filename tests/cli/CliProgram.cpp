#include "CliProgram.h"

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

std::string CliProgram::SharedName() const
{
    std::string shared = appName_;
    std::replace(shared.begin(), shared.end(), ' ', '_');
    return shared;
}

CliRun CliProgram::Run(const std::vector<std::string>& arguments,
                       const std::function<bool(const std::string& out)>& interruptWhen)
{
    const std::string outPath = folder_.Path() + "cli.out", errPath = folder_.Path() + "cli.err";
    std::vector<std::string> argv{Program() + "diziv-cli"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = testing_support::SpawnProgram(argv, outPath, errPath);
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

}  // namespace cli_test
