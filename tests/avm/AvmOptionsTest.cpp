// The command line, option lists and filter chains of avm, without media.
#include "AvmOptions.h"
#include "DecodeScript.h"
#include "FilterChain.h"
#include "OutputFormat.h"
#include "common/CommandLine.h"
#include "common/ProgressSender.h"
#include "common/ToolError.h"
#include "common/ToolRecord.h"
#include "engine/DecodeScript.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

using avm::ParseAvmOptions;
using tools::ToolError;

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

std::string FailureOf(const std::string& line)
{
    try {
        avm::ChooseOutputFormat(ParseAvmOptions(Words(line)));
    } catch (const ToolError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

// The probe line is read in the engine's tests and every shipped profile's
// line converts for real; the subtitle style reaches nothing ffprobe sees.
TEST(AvmOptions, SubtitleOptionsFillTheStyle)
{
    auto options = ParseAvmOptions(Words("-sfm Rec /in/b.mkv -ovc lavc -oac lavc -sid 0 -subcp CP1251 "
                                         "-font /p/fonts/ARIAL.TTF -subpos 78 -subwidth 74 -subfont-text-scale 5 "
                                         "-sub /s/x.srt -o /out/b.mp4"));
    EXPECT_EQ(options.subtitlePosition, 0);
    EXPECT_EQ(options.subtitleFile, "/s/x.srt");
    EXPECT_EQ(options.subtitleStyle.codePage, "CP1251");
    EXPECT_EQ(options.subtitleStyle.position, 78);
    EXPECT_EQ(options.subtitleStyle.width, 74);
    EXPECT_EQ(options.subtitleStyle.textScale, 5);
    EXPECT_EQ(options.videoEncoder, avm::VideoEncoder::Lavc);
    EXPECT_EQ(options.audioEncoder, avm::AudioEncoder::Lavc);
}

TEST(AvmOptions, WhatCannotBeHonouredIsRefusedWithTheReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"-sfm R a -o b -foo", "unknown option -foo"},
        {"-sfm R a -o", "option -o needs a value"},
        {"-sfm R a -o b -of xxxx", "unsupported value \"xxxx\" for -of"},
        {"-sfm R a -o b -of lavf -lavfopts format=nonesuch", "unsupported -lavfopts format=nonesuch"},
        {"-sfm R a -o b -of lavf", "-of lavf without a format, and none fits the name b"},
        {"-sfm R a -o b -of mpeg -mpegopts format=vob", "unsupported -mpegopts format=vob"},
        {"-sfm R a -o b -of mpeg -mpegopts tsaf", "unsupported -mpegopts option tsaf"},
        {"-sfm R a -o b -mpegopts format=dvd", "-mpegopts needs -of mpeg"},
        {"-sfm R a -o b -ovc divx", "unsupported value \"divx\" for -ovc"},
        {"-sfm R a -o b -ss 1x", "bad number \"1x\" for -ss"},
        {"-sfm R a -o b -aid one", "bad whole number \"one\" for -aid"},
        {"-sfm R a -o b -ofps 0", "frame rate \"0\" for -ofps is out of range"},
        {"-sfm R a -o b -subpos 120", "-subpos must lie between 0 and 100, not 120"},
        {"-sfm R a -o b -srate 12", "sample rate 12 is out of range"},
        {"-sfm R a -o b -ffourcc XVIDX", "-ffourcc needs four characters, not \"XVIDX\""},
        {"-sfm R a -o b -lavcopts vcodec=mpeg4::vbitrate=1", "empty name in sub-option list"},
        {"-sfm R a -o b -vf scale=1:2,,harddup", "empty filter name"},
        {"-sfm R -o b", "no input file named"},
        {"-sfm R a", "no output file named (-o)"},
        {"a -o b", "no status record named (-sfm)"},
    };
    for (const auto& [line, reason] : cases)
        EXPECT_NE(FailureOf(line).find(reason), std::string::npos) << line << " gave: " << FailureOf(line);
}

TEST(AvmOptions, FrameRatesAndTimes)
{
    const std::tuple<const char*, int, int> rates[] = {
        {"23.976025", 24000, 1001}, {"29.970000", 30000, 1001}, {"14.985000", 15000, 1001},
        {"25.000000", 25, 1},       {"30000/1001", 30000, 1001}, {"12.5", 25, 2},
    };
    for (const auto& [text, num, den] : rates) {
        AVRational rate = avm::ParseFrameRate(text, "-ofps");
        EXPECT_EQ(rate.num, num) << text;
        EXPECT_EQ(rate.den, den) << text;
    }
    EXPECT_EQ(avm::ParseTime("90", "-ss"), 90.0);
    EXPECT_EQ(avm::ParseTime("01:02:03.5", "-ss"), 3723.5);
    EXPECT_THROW(avm::ParseTime("1:2:3:4", "-ss"), ToolError);
    EXPECT_THROW(avm::ParseTime("-5", "-ss"), ToolError);
}

// What the steps do to the picture is checked on real conversions; here
// the filters and values no step can honour are refused.
TEST(AvmOptions, FiltersThatCannotBeHonouredAreRefused)
{
    avm::VideoChainPlan plan;
    plan.outputRate = {30000, 1001};
    plan.pixelFormat = "yuv420p";
    plan.userFilters = tools::ParseFilterChain("scale=720:-3,expand=720:400,harddup");
    EXPECT_NO_THROW(avm::VideoSteps(plan));
    for (const char* bad : {"rotate=1", "scale=-3:-3", "scale=-7:5", "expand=1:2:3:4:5", "dsize"}) {
        plan.userFilters = tools::ParseFilterChain(bad);
        EXPECT_THROW(avm::VideoSteps(plan), ToolError) << bad;
    }
    avm::AudioChainPlan audio;
    audio.sampleRate = 44100;
    for (const char* bad : {"volume", "volume=loud", "volume=99", "echo=1"}) {
        audio.userFilters = tools::ParseFilterChain(bad);
        EXPECT_THROW(avm::AudioSteps(audio), ToolError) << bad;
    }
    EXPECT_EQ(avm::ResampleRate(tools::ParseFilterChain("volume=2,resample=22050")), 22050);
}

TEST(AvmOptions, SubtitleStyleFollowsPositionWidthAndScale)
{
    avm::SubtitleStyle style;
    style.position = 78;
    style.width = 74;
    style.textScale = 4;
    EXPECT_EQ(avm::SubtitleForceStyle(style, "Liberation Sans", 4.0 / 3.0),
              "FontName=Liberation Sans,Alignment=2,FontSize=19,MarginV=63,MarginL=50,MarginR=50");
    style = {};
    EXPECT_EQ(avm::SubtitleForceStyle(style, "", 16.0 / 9.0),
              "Alignment=2,FontSize=23,MarginV=0,MarginL=0,MarginR=0");
}

TEST(AvmOptions, TheProgramsDecodeScriptNamesItsSource)
{
    const std::string paths[] = {"/home/u/My Videos/clip.rm", "/v/a\\b.avi", "/v/say \"hi\".mkv"};
    for (const std::string& path : paths) {
        auto script = avm::ParseDecodeScript(engine::DecodeScriptText(path));
        ASSERT_TRUE(script) << path;
        EXPECT_EQ(script->sourcePath, path);
        EXPECT_EQ(script->frameRate.num, 30);
        EXPECT_EQ(script->frameRate.den, 1);
    }
    EXPECT_FALSE(avm::ParseDecodeScript("RIFF....AVI LIST"));
    EXPECT_THROW(avm::ParseDecodeScript("DirectShowSource(\""), ToolError);
}

TEST(ToolCommon, CpuUsageAndProgressValues)
{
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 8), 0) << "100 %: the libraries use every core";
    EXPECT_EQ(tools::ThreadsForCpuUsage(1, 8), 6);
    EXPECT_EQ(tools::ThreadsForCpuUsage(2, 8), 5);
    EXPECT_EQ(tools::ThreadsForCpuUsage(2, 1), 1);
    EXPECT_EQ(tools::ThreadsForCpuUsage(7, 4), 0);
    EXPECT_EQ(tools::PercentTimes100(30, 60), 5000);
    EXPECT_EQ(tools::PercentTimes100(61, 60), 10000);
    EXPECT_EQ(tools::PercentTimes100(5, 0), 0);
    EXPECT_EQ(tools::PercentTimes100(-1, 60), 0);
}
