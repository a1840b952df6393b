#include "InstalledCopy.h"

#include "support/SpawnProgram.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace install_test {

namespace fs = std::filesystem;

std::pair<int, int> PngSize(const std::string& path)
{
    unsigned char head[24] = {};
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(head), sizeof head);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!std::equal(std::begin(signature), std::end(signature), head))
        return {0, 0};
    auto number = [&head](int at) { return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
    return {number(16), number(20)};
}

void InstalledCopy::SetUp()
{
    const ProgramRun install = Run(
        {CMAKE_COMMAND, "-E", "env", "DESTDIR=" + Root(), CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", "/usr"});
    ASSERT_EQ(install.exitCode, 0) << install.output;
}

// The window test leaves the data folder read-only; the folder must be
// writable again to be removed by a user other than root.
void InstalledCopy::TearDown()
{
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(Root(), error); !error && it != fs::end(it); it.increment(error))
        if (it->is_directory() && !it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
}

std::string InstalledCopy::UseOwnAppName()
{
    static int counter = 0;
    const std::string name = "Install Test " + std::to_string(::getpid()) + " " + std::to_string(++counter);
    folder_.Write("root/usr/share/diziv/app.ini", "[main]\nAppName=" + name + "\n");
    return name;
}

InstalledCopy::Snapshot InstalledCopy::TakeSnapshot() const
{
    Snapshot entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Root())) {
        struct stat facts = {};
        std::ostringstream text;
        if (::lstat(entry.path().c_str(), &facts) != 0) {
            text << "unreadable";
        } else {
            text << std::oct << facts.st_mode << std::dec << ' ' << facts.st_size << ' ' << facts.st_mtim.tv_sec << '.'
                 << facts.st_mtim.tv_nsec;
            if (S_ISLNK(facts.st_mode))
                text << " -> " << fs::read_symlink(entry.path()).string();
        }
        entries[entry.path().lexically_relative(Root()).string()] = text.str();
    }
    return entries;
}

std::vector<std::string> InstalledCopy::ChangesSince(const Snapshot& before) const
{
    const Snapshot now = TakeSnapshot();
    std::vector<std::string> changes;
    for (const auto& [path, facts] : before) {
        auto found = now.find(path);
        if (found == now.end())
            changes.push_back("removed " + path);
        else if (found->second != facts)
            changes.push_back("changed " + path + ": " + facts + " -> " + found->second);
    }
    for (const auto& [path, facts] : now)
        if (!before.count(path))
            changes.push_back("added " + path);
    return changes;
}

ProgramRun InstalledCopy::Run(const std::vector<std::string>& args) const
{
    const std::string outPath = folder_.Path() + "run.out";
    const pid_t pid = testing_support::SpawnProgram(args, outPath, "", args.at(0).find('/') == std::string::npos);
    ProgramRun run;
    if (pid < 0) {
        ADD_FAILURE() << "cannot start " << args.at(0);
        return run;
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << args.at(0) << " did not end";
            ::kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.output = folder_.Read("run.out");
    return run;
}

}  // namespace install_test
