// Conversion runs beyond what the shipped profiles ask: trims and track
// choice, burned-in subtitles, and the failures that must give 99 (files
// that cannot be read fail the same way in probe runs). What every
// profile's line gives is checked in AvmProfilesTest, stopping a run in the
// engine's end-to-end tests.
#include "AvmRunner.h"
#include "TestClips.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace avm_test;

namespace {

std::size_t DifferentPixels(const std::string& a, const std::string& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        count += std::abs(a[i] - b[i]) > 40;
    return count;
}

}  // namespace

TEST(AvmConvert, TrimsCutTheRequestedSecondsAndTracksArePickedByPosition)
{
    testing_support::TestFolder folder;
    AvmRunner runner(folder.Path());
    runner.PrepareConversion(1);
    const std::string output = folder.Path() + "trim.avi";
    RunResult run = runner.Run(ConversionArgs(Clips().multiTrack,
                                    "-ss 1 -endpos 1 -aid 1 -ovc lavc -oac lavc -lavcopts vcodec=mpeg4:acodec=mp2 -ofps 25",
                                    output));
    ASSERT_EQ(run.resultCode, 0) << run.log;
    ProbeFacts facts = Probe(output);
    EXPECT_NEAR(std::stod(facts.format["duration"]), 1.0, 0.1);
    EXPECT_EQ(facts.First("audio")["sample_rate"], "48000") << "-aid 1 is the second audio track, at 48 kHz";
    std::vector<std::string> trimmed = GreyFrames(output);
    EXPECT_EQ(trimmed.size(), 25u);

    // The trimmed picture starts with the source's frame at one second.
    const std::string whole = folder.Path() + "whole.avi";
    ASSERT_EQ(runner.Run(ConversionArgs(Clips().multiTrack, "-ovc lavc -oac lavc -lavcopts vcodec=mpeg4:vqscale=2", whole)).resultCode,
              0);
    std::vector<std::string> all = GreyFrames(whole);
    ASSERT_GE(all.size(), 50u);
    ASSERT_FALSE(trimmed.empty());
    EXPECT_LT(DifferentPixels(trimmed.front(), all[25]), DifferentPixels(trimmed.front(), all[20]));
}

TEST(AvmConvert, BurnedInSubtitlesChangeThePicture)
{
    testing_support::TestFolder folder;
    AvmRunner runner(folder.Path());
    const std::string encode = "-ovc lavc -oac lavc -lavcopts vcodec=mpeg4:vqscale=2 -endpos 1 ";
    const std::string style =
        " -subcp CP1252 -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -subpos 90 -subfont-text-scale 5";
    std::vector<std::string> frames;
    for (const std::string& subtitles : {std::string(), "-sub " + Clips().subtitles + style, "-sid 0" + style}) {
        const std::string output = folder.Path() + std::to_string(frames.size()) + ".avi";
        RunResult run = runner.Run(ConversionArgs(Clips().multiTrack, encode + subtitles, output));
        ASSERT_EQ(run.resultCode, 0) << run.log;
        frames.push_back(GreyFrames(output).at(10));
    }
    EXPECT_GT(DifferentPixels(frames[0], frames[1]), 200u) << "from a file";
    EXPECT_GT(DifferentPixels(frames[0], frames[2]), 200u) << "from a track";
}

TEST(AvmConvert, FailuresEndWithResult99AndOneLineInTheLog)
{
    testing_support::TestFolder folder;
    MakeClip({"-i", Clips().longClip, "-c", "copy", folder.Path() + "whole.mkv"});
    std::filesystem::resize_file(folder.Path() + "whole.mkv", std::filesystem::file_size(folder.Path() + "whole.mkv") / 3);
    const std::string clip = Clips().h264Aac;
    const std::string tracks = Clips().multiTrack;
    const std::string out = folder.Path() + "out.avi";
    const std::string cut = folder.Path() + "whole.mkv";
    const std::string noise = folder.Path() + "noise.avi", missing = folder.Path() + "missing.avi";
    std::string bytes(4096, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    folder.Write("noise.avi", bytes);
    struct Case {
        std::string input, options, output, reason;
    };
    const Case cases[] = {
        {clip, "-ovc lavc -oac lavc -foo", out, "unknown option -foo"},
        {clip, "-ovc lavc -oac lavc -lavcopts vcodec=mpeg4:vpass=1", out, "unsupported -lavcopts vpass=1"},
        {clip, "-ovc x264 -x264encopts bitrate=500:nonsense=3 -oac lavc", out, "rejected one of its options"},
        {clip, "-ovc x264 -oac lavc -vf scale=161:121", out, "cannot open the libx264 encoder"},
        {clip, "-ovc lavc -lavcopts vcodec=mpeg1video -oac lavc -ofps 12.5 -of mpeg", out, "cannot write 12.5"},
        {clip, "-ovc lavc -oac lavc", clip, "would overwrite an input"},
        {tracks, "-aid 2 -ovc lavc -oac lavc", out, "audio track 2 does not exist"},
        {tracks, "-sid 1 -ovc lavc -oac lavc", out, "subtitle track 1 does not exist"},
        {clip, "-ovc lavc -oac lavc -sub " + Clips().subtitles + " -font /nonexistent/ARIAL.TTF", out,
         "subtitle font /nonexistent/ARIAL.TTF does not exist"},
        {cut, "-ovc lavc -oac lavc", out, "is damaged or cut off"},
        {noise, "-ovc lavc -oac lavc", out, "avm: cannot open " + noise},
        {missing, "-ovc lavc -oac lavc", out, "avm: cannot open " + missing},
        // A folder that cannot be written, even by the superuser: a file stands where it should be.
        {clip, "-ovc lavc -oac lavc", noise + "/out.avi", "avm: cannot create " + noise + "/out.avi: Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        AvmRunner runner(folder.Path());
        RunResult run = runner.Run(ConversionArgs(c.input, c.options, c.output));
        EXPECT_EQ(run.resultCode, engine::kResultFailed);
        EXPECT_NE(run.log.find(c.reason), std::string::npos) << run.log;
        EXPECT_EQ(std::count(run.log.begin(), run.log.end(), '\n'), 1) << run.log;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}
