// What diziv-cli leaves in the output folder when it is killed, when the
// folder cannot be used, and with names and files at the edge: the real
// engine tools on the shared test clips.
#include "CliProgram.h"

#include "AvmRunner.h"
#include "TestClips.h"

#include "support/ProcessScan.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using avm_test::Clips;

namespace {

bool IsPartialName(const std::string& name)
{
    return name.size() > 6 && name.front() == '.' && name.ends_with(".part");
}

class CliOutputSafetyTest : public cli_test::CliProgram {
protected:
    // Waits up to 30 s until a partial file or folder in the output folder
    // satisfies ready.
    bool AwaitPartial(const std::function<bool(const std::string& path)>& ready) const
    {
        for (int turn = 0; turn < 6000; ++turn) {
            for (const std::string& name : Outputs()) {
                if (IsPartialName(name) && ready(Out() + name))
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // A power loss: the program and every tool it runs stop at the same
    // moment, none of them gets to clean up. The tools go before the
    // program, whose end would wake them with a stop signal.
    void KillEverything(pid_t cli)
    {
        ::kill(cli, SIGSTOP);
        for (pid_t pid : testing_support::ProcessesHolding(Out()))
            ::kill(pid, SIGSTOP);
        for (pid_t pid : testing_support::ProcessesHolding(Out())) {
            if (pid != cli)
                ::kill(pid, SIGKILL);
        }
        ::kill(cli, SIGKILL);
    }

    static double Seconds(const std::string& path)
    {
        return std::stod(avm_test::Probe(path).format.at("duration"));
    }
};

std::uintmax_t Bytes(const std::string& path)
{
    std::error_code error;
    std::uintmax_t total = 0;
    if (fs::is_regular_file(path, error))
        return fs::file_size(path, error);
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error))
            total += it->file_size(error);
    }
    return total;
}

}  // namespace

TEST_F(CliOutputSafetyTest, AKilledRunLeavesNoFinalNameAndTheNextStartClearsItsPartials)
{
    const std::string clip = Copy(Clips().longClip, "in/long.avi");
    const std::string other = Copy(Clips().longClip, "in/more.avi");
    const std::string small = Copy(Clips().h264Aac, "in/small.mp4");
    const auto started = [](const std::string& path) { return Bytes(path) > 0; };
    const auto midway = [](const std::string& path) { return Bytes(path) > 200000; };
    const struct {
        const char* moment;
        std::vector<std::string> arguments;
        std::function<bool(const std::string&)> ready;
    } moments[] = {
        {"as the encoder begins", {"-p", "MP4 - H.264 Video", clip}, started},
        {"half-way through a file", {"-p", "MP4 - H.264 Video", clip}, midway},
        {"while joining", {"-p", "generic-original", "--join", clip, other, clip, other, clip, other}, started},
        {"while authoring a DVD",
         {"-p", "DVD Folder (VIDEO_TS)", "--tv-type", "pal", "--disc-label", "Holiday", clip},
         [](const std::string& path) { return fs::exists(path + "/VIDEO_TS/VTS_01_1.VOB"); }},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.moment);
        fs::remove_all(Out());
        std::vector<std::string> arguments = {"-o", Out()};
        arguments.insert(arguments.end(), m.arguments.begin(), m.arguments.end());
        const pid_t cli = Start(arguments);
        ASSERT_GT(cli, 0);
        const bool reached = AwaitPartial(m.ready);
        KillEverything(cli);
        const cli_test::CliRun killed = Finish(cli);
        ASSERT_TRUE(reached) << killed.out << killed.err;
        ASSERT_TRUE(testing_support::AwaitNoProcessHolding(Out(), std::chrono::seconds(5)));

        std::size_t partials = 0;
        for (const std::string& name : Outputs()) {
            EXPECT_TRUE(IsPartialName(name) || name.starts_with("__tempFolder__")) << name << " is no partial name";
            partials += IsPartialName(name) ? 1 : 0;
        }
        EXPECT_GE(partials, 1u) << testing::PrintToString(Outputs()) << killed.out << killed.err;

        const cli_test::CliRun next = Run({"-p", "generic-mp4", "-o", Out(), small});
        EXPECT_EQ(next.exitCode, 0) << next.out << next.err;
        for (const std::string& name : Outputs()) {
            EXPECT_FALSE(IsPartialName(name) || name.starts_with("__tempFolder__")) << name << " outlived the next start";
        }
        EXPECT_TRUE(fs::exists(Out() + "small.mp4"));
    }
}

TEST_F(CliOutputSafetyTest, AnUnusableOutputFolderStopsTheRunBeforeAnyProbe)
{
    const std::string clip = Copy(Clips().h264Aac, "in/clip.mp4");
    folder_.Write("file", "in the way");
    std::vector<std::pair<std::string, std::string>> cases = {
        {folder_.Path() + "file/out", "Not a directory"},
    };
    if (::geteuid() != 0) {
        const std::string locked = folder_.Path() + "locked";
        fs::create_directory(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        cases.push_back({locked + "/out", "Permission denied"});
    }
    for (const auto& [folder, reason] : cases) {
        const cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", folder, clip});
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.err.find(folder), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("clip.mp4"), std::string::npos) << "nothing probed\n" << run.out;
    }

    const cli_test::CliRun made = Run({"-p", "generic-mp4", "-o", folder_.Path() + "new/deeper", clip});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_TRUE(fs::exists(folder_.Path() + "new/deeper/clip.mp4"));
}

// The longest legal names, a name whose result needs "_1", line breaks in a
// name on both decoder routes, and a raw stream whose length nobody knows.
TEST_F(CliOutputSafetyTest, NamesAtTheLimitOddNamesAndFilesOfUnknownLength)
{
    const std::string longBase(251, 'n');
    const std::string longClip = Copy(Clips().mpeg4Mp3, "in/" + longBase + ".avi");
    folder_.Write("out/" + longBase + ".mp4", "an earlier result");
    const std::string broken = Copy(Clips().h264Aac, "in/two\nlines.mp4");
    // Matroska written to a pipe carries no length.
    const std::string raw = folder_.Path() + "in/raw.mkv";
    ASSERT_TRUE(avm_test::RunProgram({"sh", "-c",
                                      "ffmpeg -v error -f lavfi -i testsrc=size=320x240:rate=25:duration=2 -c:v mpeg4 "
                                      "-f matroska - | cat > '" + raw + "'"}));
    const auto facts = avm_test::Probe(raw).format;
    ASSERT_TRUE(!facts.count("duration") || facts.at("duration") == "N/A") << "the length must be unknown";

    const cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), longClip, broken, raw});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::string shortened = longBase.substr(0, 255 - 6) + "_1.mp4";
    EXPECT_EQ(Outputs(), (std::vector<std::string>{shortened, longBase + ".mp4", "raw.mp4", "two\nlines.mp4"}));
    EXPECT_NEAR(Seconds(Out() + shortened), 2.0, 0.3);
    EXPECT_NEAR(Seconds(Out() + "raw.mp4"), 2.0, 0.3) << "converted to its end";
    const cli_test::CliRun fromStart = Run({"-p", "generic-mp4", "-o", Out() + "cut", "--start", "1", raw});
    EXPECT_EQ(fromStart.exitCode, 1);
    EXPECT_NE(fromStart.err.find("its length could not be read"), std::string::npos) << fromStart.err;

    folder_.Write(SettingsFile().substr(folder_.Path().size()), "[main]\nDecodeEngine=2\n");
    const cli_test::CliRun scripted = Run({"-p", "generic-mp4", "-o", Out() + "scripted", broken});
    EXPECT_EQ(scripted.exitCode, 0) << scripted.out << scripted.err;
    EXPECT_EQ(testing_support::FileNames(Out() + "scripted"), std::vector<std::string>{"two\nlines.mp4"});
}
