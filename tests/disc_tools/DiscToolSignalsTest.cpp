// The disc tools stopped from outside: SIGTERM, the death of the program
// that started them, or a program already gone when they start. Each ends
// as on an abort request: its helper ended, its partial output removed,
// "stopped" in the record. The helper is a stand-in that writes a partial
// file and waits.
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "support/ProcessScan.h"
#include "support/SpawnProgram.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

enum class Ending { Terminated, ProgramKilled, ProgramGoneAtStart };

const char* Describe(Ending ending)
{
    switch (ending) {
    case Ending::Terminated:
        return "SIGTERM";
    case Ending::ProgramKilled:
        return "its program killed";
    default:
        return "its program gone at the start";
    }
}

// The helper stand-in: writes PARTIAL, notes its process id and waits.
constexpr char kHelper[] =
    "#!/bin/sh\n"
    "echo partial > \"$PARTIAL\"\n"
    "echo $$ > \"$HELPER_PID\"\n"
    "exec sleep 60\n";

struct Tool {
    const char* name;
    const char* helper;
    // The tool's arguments after its record option, for files in folder.
    std::function<std::vector<std::string>(const std::string& folder)> arguments;
    // Where the helper writes, absolute or in its working folder.
    std::function<std::string(const std::string& folder)> partial;
};

const Tool kTools[] = {
    {"dvdimage", "dvdauthor",
     [](const std::string& folder) {
         return std::vector<std::string>{"-o", folder + "dvd", "-v", "pal+720x576+4:3",
                                         "-a", "mp2+en",       "-f", folder + "title.vob"};
     },
     [](const std::string& folder) { return folder + "dvd/VIDEO_TS/VTS_01_1.VOB"; }},
    {"vcdimage", "vcdxbuild",
     [](const std::string& folder) {
         return std::vector<std::string>{"-x", folder + "disc.xml",       "-c", folder + "disc/image.cue",
                                         "-b", folder + "disc/image.bin", "-p"};
     },
     [](const std::string&) { return std::string("image.bin"); }},
};


bool AwaitFile(const std::string& path)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!fs::exists(path) || fs::file_size(path) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The test's environment for the tools: the stand-in first in PATH.
class HelperEnvironment {
public:
    HelperEnvironment(const std::string& folder, const Tool& tool) : path_(std::getenv("PATH"))
    {
        const std::string bin = folder + "bin/";
        fs::create_directories(bin);
        const std::string helper = bin + tool.helper;
        std::FILE* file = std::fopen(helper.c_str(), "w");
        std::fputs(kHelper, file);
        std::fclose(file);
        ::chmod(helper.c_str(), 0700);
        ::setenv("PATH", (bin + ":" + path_).c_str(), 1);
        ::setenv("HELPER_PID", (folder + "helper.pid").c_str(), 1);
        ::setenv("PARTIAL", tool.partial(folder).c_str(), 1);
    }
    ~HelperEnvironment()
    {
        ::setenv("PATH", path_.c_str(), 1);
        ::unsetenv("HELPER_PID");
        ::unsetenv("PARTIAL");
    }

private:
    std::string path_;
};

}  // namespace

TEST(DiscToolSignals, AToolStoppedFromOutsideEndsItsHelperAndRemovesItsPartialOutput)
{
    int run = 0;
    for (const Tool& tool : kTools) {
        for (Ending ending : {Ending::Terminated, Ending::ProgramKilled, Ending::ProgramGoneAtStart}) {
            SCOPED_TRACE(std::string(tool.name) + ", " + Describe(ending));
            testing_support::TestFolder folder;
            const std::string f = folder.Path();
            fs::create_directories(f + "dvd/VIDEO_TS");
            fs::create_directories(f + "disc");
            folder.Write("title.vob", "");
            folder.Write("disc.xml", "<videocd/>\n");
            HelperEnvironment environment(f, tool);

            const std::string name = "disc_tool_test_" + std::to_string(::getpid()) + "_" + std::to_string(++run);
            platform::SharedMemory memory;
            ASSERT_TRUE(memory.Create(name, engine::kRecordSize));
            auto& record = *static_cast<engine::EngineRecord*>(memory.Data());
            std::memset(&record, 0, sizeof record);
            engine::StoreField(record.job_flag, 1);
            engine::StoreField(record.notify_window,
                               ending == Ending::ProgramGoneAtStart ? testing_support::EndedProcessId() : ::getpid());

            std::vector<std::string> command = {std::string(PROGRAM_DIR) + tool.name, "-sfm", name};
            const std::vector<std::string> arguments = tool.arguments(f);
            command.insert(command.end(), arguments.begin(), arguments.end());
            if (ending == Ending::ProgramKilled)
                command.insert(command.begin(), {"sh", "-c", "\"$@\" & wait", "sh"});
            const pid_t started = testing_support::SpawnProgram(command, f + "run.log", "", true);
            ASSERT_GT(started, 0);

            if (ending != Ending::ProgramGoneAtStart) {
                ASSERT_TRUE(AwaitFile(f + "helper.pid")) << folder.Read("run.log");
                ::kill(started, ending == Ending::Terminated ? SIGTERM : SIGKILL);
            }
            int status = 0;
            ::waitpid(started, &status, 0);
            EXPECT_TRUE(testing_support::AwaitNoProcessHolding(name, 4s)) << folder.Read("run.log");
            if (ending == Ending::Terminated) {
                EXPECT_TRUE(WIFEXITED(status)) << "the tool ends in order, not by the signal";
            }
            EXPECT_EQ(engine::LoadField(record.result_code), engine::kResultStopped) << folder.Read("run.log");
            const std::string helperId = folder.Read("helper.pid");
            const pid_t helper = helperId.empty() ? 0 : static_cast<pid_t>(std::stol(helperId));
            if (ending == Ending::ProgramGoneAtStart) {
                EXPECT_EQ(helper, 0) << "no helper started";
            } else {
                EXPECT_FALSE(testing_support::IsRunning(helper));
            }
            EXPECT_EQ(testing_support::FileNames(f + "dvd/VIDEO_TS"), std::vector<std::string>{});
            EXPECT_EQ(testing_support::FileNames(f + "disc"), std::vector<std::string>{});
            testing_support::KillProcessesHolding(name);
            if (helper > 0 && testing_support::IsRunning(helper)) {
                ::kill(helper, SIGKILL);
            }
            platform::SharedMemory::Unlink(name);
        }
    }
}
