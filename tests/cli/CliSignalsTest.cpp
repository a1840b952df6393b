// diziv-cli ended from outside mid-run: a closed terminal (SIGHUP) or
// SIGTERM stops the job as Ctrl+C does, and even SIGKILL leaves no encoder
// running on.
#include "CliProgram.h"

#include "TestClips.h"

#include "support/ProcessScan.h"

#include <signal.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using avm_test::Clips;
using namespace std::chrono_literals;

namespace {

class CliSignals : public cli_test::CliProgram {
protected:
    // Starts converting the long clip and returns once the encoder has
    // begun to write the output.
    pid_t StartLongConversion()
    {
        const std::string clip = folder_.Make("in/long.avi");
        if (!fs::exists(clip))
            fs::copy_file(Clips().longClip, clip);
        const pid_t cli = Start({"-p", "MP4 - H.264 Video", "-o", Out(), clip});
        EXPECT_TRUE(AwaitOutput("Converting video"));
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (Outputs().empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        EXPECT_EQ(Outputs(), std::vector<std::string>{".long.mp4." + std::to_string(::getuid()) + "-" +
                                                      std::to_string(cli) + ".part"})
            << "the encoder writes its partial file";
        EXPECT_FALSE(Tools(cli).empty()) << "no encoder runs";
        return cli;
    }

    // The engine tools started from the test's program folder.
    std::vector<pid_t> Tools(pid_t cli) const
    {
        std::vector<pid_t> tools = testing_support::ProcessesHolding(Program());
        tools.erase(std::remove(tools.begin(), tools.end(), cli), tools.end());
        return tools;
    }

    // The run's status records and progress sockets that are still there.
    std::vector<std::string> RunFiles() const
    {
        std::vector<std::string> left;
        for (const std::string& name : testing_support::FileNames("/dev/shm/"))
            if (name.rfind(SharedName() + ".", 0) == 0)
                left.push_back(name);
        for (const std::string& name : testing_support::FileNames(folder_.Path() + "runtime/" + SharedName() + "/"))
            if (name.size() > 5 && name.substr(name.size() - 5) == ".sock")
                left.push_back(name);
        return left;
    }

    void TearDown() override { testing_support::KillProcessesHolding(Program()); }
};

}  // namespace

TEST_F(CliSignals, HangUpAndTerminateStopTheJobAsCtrlCDoes)
{
    for (int signal : {SIGHUP, SIGTERM}) {
        SCOPED_TRACE(::strsignal(signal));
        const pid_t cli = StartLongConversion();
        ::kill(cli, signal);
        cli_test::CliRun run = Finish(cli);
        EXPECT_EQ(run.exitCode, 128 + signal) << run.out << run.err;
        EXPECT_NE(run.err.find("The job was stopped by the user."), std::string::npos) << run.err;
        EXPECT_TRUE(testing_support::AwaitNoProcessHolding(Program(), 2s));
        EXPECT_EQ(Outputs(), std::vector<std::string>{}) << "the partial file is removed";
        EXPECT_EQ(RunFiles(), std::vector<std::string>{});
    }
}

TEST_F(CliSignals, KillingTheProgramStopsItsEncoderWhichRemovesItsOutput)
{
    const pid_t cli = StartLongConversion();
    ::kill(cli, SIGKILL);
    cli_test::CliRun run = Finish(cli);
    EXPECT_EQ(run.exitCode, 128 + SIGKILL);
    EXPECT_TRUE(testing_support::AwaitNoProcessHolding(Program(), 2s));
    EXPECT_EQ(Outputs(), std::vector<std::string>{});
}

// Ctrl+C while the files of a folder are probed ends the probes: nothing is
// converted, no tool or record is left, and the status tells the signal.
TEST_F(CliSignals, CtrlCWhileProbingEndsTheProbes)
{
    for (int i = 10; i < 50; ++i) {
        Copy(Clips().h264Aac, "in/clip " + std::to_string(i) + ".mp4");
    }
    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), folder_.Path() + "in"}, [](const std::string& out) {
        return out.find("please wait") != std::string::npos;
    });
    EXPECT_EQ(run.exitCode, 128 + SIGINT) << run.out << run.err;
    EXPECT_NE(run.out.find("clip 10.mp4"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("clip 49.mp4"), std::string::npos) << "the probes end before the last file\n" << run.out;
    EXPECT_EQ(run.out.find("Converting"), std::string::npos) << run.out;
    EXPECT_TRUE(testing_support::AwaitNoProcessHolding(Program(), 2s));
    EXPECT_EQ(Outputs(), std::vector<std::string>{});
    EXPECT_EQ(RunFiles(), std::vector<std::string>{});
}
