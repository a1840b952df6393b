// Several conversions at once through diziv-cli with the real engine: every
// output complete, the runs overlapping, and Stop ending them all.
#include "CliProgram.h"

#include "AvmRunner.h"
#include "TestClips.h"

#include <csignal>
#include <string>
#include <vector>

using avm_test::Clips;

namespace {

class CliParallel : public cli_test::CliProgram {
protected:
    // count copies of the short clips, alternating their formats.
    std::vector<std::string> Sources(int count, const std::string& folder = "in/") const
    {
        std::vector<std::string> sources;
        for (int i = 1; i <= count; ++i)
            sources.push_back(Copy(i % 2 ? Clips().h264Aac : Clips().mpeg4Mp3,
                                   folder + "clip " + std::to_string(i) + (i % 2 ? ".mp4" : ".avi")));
        return sources;
    }
};

// Rows start in list order, two at a time: the second starts before the
// first is done; each output is a whole file of its source's length.
TEST_F(CliParallel, EightClipsTwoAtATimeAllComplete)
{
    std::vector<std::string> arguments = {"--jobs", "2", "--no-copy-fitting", "-p", "generic-mp4", "-o", Out()};
    const std::vector<std::string> sources = Sources(8);
    arguments.insert(arguments.end(), sources.begin(), sources.end());
    const cli_test::CliRun run = Run(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const std::size_t secondStarts = run.out.find("[2/8] " + sources[1] + ": Converting video");
    const std::size_t firstDone = run.out.find("[1/8] " + sources[0] + ": Done");
    ASSERT_NE(secondStarts, std::string::npos) << run.out;
    ASSERT_NE(firstDone, std::string::npos) << run.out;
    EXPECT_LT(secondStarts, firstDone) << "the two runs overlap\n" << run.out;
    EXPECT_NE(run.out.find("8 converted, 0 failed, 0 skipped"), std::string::npos) << run.out;

    ASSERT_EQ(Outputs().size(), 8u);
    for (const std::string& name : Outputs()) {
        const avm_test::ProbeFacts probe = avm_test::Probe(Out() + name);
        EXPECT_EQ(probe.First("video").at("codec_name"), "mpeg4") << name;
        EXPECT_FALSE(probe.First("audio").empty()) << name;
        EXPECT_NEAR(std::stod(probe.format.at("duration")), 2.0, 0.3) << name;
    }
}

// One Ctrl+C stops both runs; what they had written goes, and rows not
// started stay unconverted.
TEST_F(CliParallel, StopEndsBothRunsAndLeavesNothingHalfWritten)
{
    const std::string longClip = Copy(Clips().longClip, "in/long one.avi");
    const std::string longer = Copy(Clips().longClip, "in/long two.avi");
    const std::vector<std::string> rest = Sources(2, "rest/");
    const cli_test::CliRun run =
        Run({"--jobs", "2", "-p", "MP4 - H.264 Video", "-o", Out(), longClip, longer, rest[0], rest[1]},
            [&](const std::string& out) { return out.find("[2/4] " + longer + ": Converting video") != std::string::npos; });
    EXPECT_EQ(run.exitCode, 128 + SIGINT) << run.out << run.err;
    EXPECT_NE(run.err.find("The job was stopped by the user."), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("[3/4]"), std::string::npos) << "no row starts after the stop\n" << run.out;
    EXPECT_EQ(Outputs(), std::vector<std::string>{}) << "both partial files are removed";
}

}  // namespace
