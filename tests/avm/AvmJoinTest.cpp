// Join runs as the program makes them: parts of one kind after -o become one
// output by stream copy, with timestamps that run on without jumps.
#include "AvmRunner.h"
#include "TestClips.h"
#include "engine/CommandLine.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace avm_test;

namespace {

// Times that span `total` seconds, never go back and never jump further
// than `largestStep`. (MPEG program streams start after a preload of half a
// second and carry several audio frames per timestamp.)
void ExpectContinuous(const std::vector<double>& times, double total, double largestStep)
{
    ASSERT_FALSE(times.empty());
    EXPECT_LT(times.front(), 0.7);
    EXPECT_NEAR(times.back() - times.front(), total, 0.3);
    for (std::size_t i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i], times[i - 1]) << "back in time after " << times[i - 1] << " s";
        EXPECT_LE(times[i] - times[i - 1], largestStep) << "a jump after " << times[i - 1] << " s";
    }
}

}  // namespace

TEST(AvmJoin, StreamCopyJoinsPartsWithContinuousTimestamps)
{
    const struct {
        const char* extension;
        const char* partOptions;  // the parts are made from clips of three kinds
        const char* joinOptions;
        const char* format;
    } cases[] = {
        {".avi", "-ovc xvid -xvidencopts bitrate=800 -ffourcc XVID -oac mp3lame -lameopts cbr:br=128 -ofps 25 "
                 "-srate 44100 -idx",
         "-oac copy -ovc copy -idx -noodml -ffourcc XVID", "avi"},
        {".mp4", "-ovc x264 -x264encopts bitrate=500 -oac lavc -lavcopts acodec=aac:abitrate=96 -ofps 25 -srate 44100 "
                 "-of lavf -lavfopts format=mp4",
         "-ovc copy -oac copy -of lavf -lavfopts format=mp4", "mov,mp4,m4a,3gp,3g2,mj2"},
        {".mpg", "-ovc lavc -oac lavc -lavcopts vcodec=mpeg2video:vbitrate=2000:acodec=mp2:abitrate=192 -ofps 25 "
                 "-srate 48000 -of mpeg -mpegopts format=mpeg2",
         "-ovc copy -oac copy -of mpeg -mpegopts format=mpeg2", "mpeg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        testing_support::TestFolder folder;
        AvmRunner runner(folder.Path());
        runner.PrepareConversion(2);
        std::vector<std::string> parts;
        for (const std::string& clip : {Clips().h264Aac, Clips().mpeg4Mp3, Clips().mpeg2Mp2}) {
            parts.push_back(folder.Path() + std::to_string(parts.size() + 1) + c.extension);
            std::vector<std::string> args = engine::SplitWords(c.partOptions);
            args.insert(args.end(), {clip, "-o", parts.back()});
            ASSERT_EQ(runner.Run(args).resultCode, 0);
        }
        runner.PrepareConversion(6);
        const std::string joined = folder.Path() + "joined" + c.extension;
        std::vector<std::string> args = engine::SplitWords(c.joinOptions);
        args.insert(args.end(), {"-o", joined});
        args.insert(args.end(), parts.begin(), parts.end());
        RunResult run = runner.Run(args);
        ASSERT_EQ(run.resultCode, 0) << run.log;
        EXPECT_EQ(run.progress.back().lParam, 10000);
        ProbeFacts facts = Probe(joined);
        EXPECT_EQ(facts.format["format_name"], c.format);
        EXPECT_NEAR(std::stod(facts.format["duration"]), 6.0, 0.3);
        ExpectContinuous(PacketValues(joined, "v", "dts_time"), 5.9, 0.125);
        ExpectContinuous(PacketValues(joined, "a", "dts_time"), 5.9, std::string(c.format) == "mpeg" ? 0.5 : 0.125);
    }
}

TEST(AvmJoin, StreamCopyRefusesInputsOfAnotherCodec)
{
    testing_support::TestFolder folder;
    AvmRunner runner(folder.Path());
    const std::string joined = folder.Path() + "joined.avi";
    RunResult run =
        runner.Run({"-ovc", "copy", "-oac", "copy", "-o", joined, Clips().mpeg4Mp3, Clips().mpeg2Mp2});
    EXPECT_EQ(run.resultCode, engine::kResultFailed);
    EXPECT_NE(run.log.find("stream copy cannot join them"), std::string::npos) << run.log;
    EXPECT_FALSE(std::filesystem::exists(joined));
}
