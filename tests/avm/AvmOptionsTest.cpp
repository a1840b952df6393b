// What of avm's command line no conversion shows to ffprobe: refusals,
// exact frame rates, subtitle styling, decode scripts and tool numbers.
#include "AvmOptions.h"
#include "DecodeScript.h"
#include "FilterChain.h"
#include "OutputFormat.h"
#include "common/ProgressSender.h"
#include "common/ToolError.h"
#include "common/ToolRecord.h"
#include "engine/CommandLine.h"
#include "engine/DecodeScript.h"

#include <gtest/gtest.h>

using tools::ToolError;

TEST(AvmOptions, WhatCannotBeHonouredIsRefusedWithTheReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"-sfm R a -o b -foo", "unknown option -foo"},
        {"-sfm R a -o", "option -o needs a value"},
        {"-sfm R a -o b -of xxxx", "unsupported value \"xxxx\" for -of"},
        {"-sfm R a -o b -of lavf", "-of lavf without a format, and none fits the name b"},
        {"-sfm R a -o b -mpegopts format=dvd", "-mpegopts needs -of mpeg"},
        {"-sfm R a -o b -lavfopts faststart", "-lavfopts needs -of lavf"},
        {"-sfm R a -o b -of lavf -lavfopts format=webm:faststart", "faststart needs an MP4, MOV, M4A or 3GP output"},
        {"-sfm R a -o b -of lavf -lavfopts format=mp4:faststart=1", "unsupported -lavfopts option faststart"},
        {"-sfm R a -o b -ovc x266", "unsupported value \"x266\" for -ovc"},
        {"-sfm R a -o b -aid one", "bad whole number \"one\" for -aid"},
        {"-sfm R a -o b -ofps 0", "frame rate \"0\" for -ofps is out of range"},
        {"-sfm R a -o b -subpos 120", "-subpos must lie between 0 and 100, not 120"},
        {"-sfm R a -o b -ffourcc XVIDX", "-ffourcc needs four characters, not \"XVIDX\""},
        {"-sfm R a -o b -lavcopts vcodec=mpeg4::vbitrate=1", "empty name in sub-option list"},
        {"-sfm R -o b", "no input file named"},
        {"a -o b", "no status record named (-sfm)"},
    };
    for (const auto& [line, reason] : cases) {
        try {
            avm::ChooseOutputFormat(avm::ParseAvmOptions(engine::SplitWords(line)));
            ADD_FAILURE() << "accepted: " << line;
        } catch (const ToolError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << line << " gave: " << error.what();
        }
    }
}

// The identify run writes nothing, so it names no output; any other run must.
TEST(AvmOptions, OnlyAnIdentifyRunGoesWithoutOutput)
{
    const avm::AvmOptions identify = avm::ParseAvmOptions(engine::SplitWords("-sfm R -identify a.mkv"));
    EXPECT_TRUE(identify.identify);
    EXPECT_EQ(identify.inputs, std::vector<std::string>{"a.mkv"});
    EXPECT_FALSE(avm::ParseAvmOptions(engine::SplitWords("-sfm R a.mkv -o b.avi")).identify);
    EXPECT_THROW(avm::ParseAvmOptions(engine::SplitWords("-sfm R a.mkv")), ToolError);
}

// Decimals near a 1000/1001 rate must become the exact fraction: MPEG
// streams know no other.
TEST(AvmOptions, FrameRatesAndTimes)
{
    const std::tuple<const char*, int, int> rates[] = {
        {"23.976025", 24000, 1001}, {"29.970000", 30000, 1001}, {"25.000000", 25, 1}, {"12.5", 25, 2}};
    for (const auto& [text, num, den] : rates) {
        AVRational rate = avm::ParseFrameRate(text, "-ofps");
        EXPECT_EQ(std::pair(rate.num, rate.den), std::pair(num, den)) << text;
    }
    EXPECT_EQ(avm::ParseTime("01:02:03.5", "-ss"), 3723.5);
    EXPECT_THROW(avm::ParseTime("1:2:3:4", "-ss"), ToolError);
    EXPECT_THROW(avm::ParseTime("-5", "-ss"), ToolError);
}

TEST(AvmOptions, FiltersThatCannotBeHonouredAreRefused)
{
    avm::VideoChainPlan plan;
    plan.pixelFormat = "yuv420p";
    plan.userFilters = tools::ParseFilterChain("scale=720:-3,expand=720:400,harddup");
    EXPECT_NO_THROW(avm::VideoSteps(plan));
    for (const char* bad : {"rotate=1", "scale=-3:-3", "expand=1:2:3:4:5", "dsize"}) {
        plan.userFilters = tools::ParseFilterChain(bad);
        EXPECT_THROW(avm::VideoSteps(plan), ToolError) << bad;
    }
    avm::AudioChainPlan audio;
    for (const char* bad : {"volume", "volume=99", "echo=1"}) {
        audio.userFilters = tools::ParseFilterChain(bad);
        EXPECT_THROW(avm::AudioSteps(audio), ToolError) << bad;
    }
    EXPECT_EQ(avm::ResampleRate(tools::ParseFilterChain("volume=2,resample=22050")), 22050);
}

// Burned-in text is checked on real pictures; where it sits and how big it
// is reaches libass only through this style.
TEST(AvmOptions, SubtitleOptionsGiveTheTextStyle)
{
    auto options = avm::ParseAvmOptions(engine::SplitWords(
        "-sfm Rec in -sid 0 -subcp CP1251 -subpos 78 -subwidth 74 -subfont-text-scale 4 -sub x.srt -o out.avi"));
    EXPECT_EQ(options.subtitleFile, "x.srt");
    EXPECT_EQ(options.subtitleStyle.codePage, "CP1251");
    EXPECT_EQ(avm::SubtitleForceStyle(options.subtitleStyle, "Liberation Sans", 4.0 / 3.0),
              "FontName=Liberation Sans,Alignment=2,FontSize=19,MarginV=63,MarginL=50,MarginR=50");
}

TEST(AvmOptions, TheProgramsDecodeScriptNamesItsSource)
{
    for (const std::string path : {"/home/u/My Videos/clip.rm", "/v/a\\b.avi", "/v/say \"hi\".mkv"}) {
        auto script = avm::ParseDecodeScript(engine::DecodeScriptText(path));
        ASSERT_TRUE(script) << path;
        EXPECT_EQ(script->sourcePath, path);
        EXPECT_EQ(std::pair(script->frameRate.num, script->frameRate.den), std::pair(30, 1));
    }
    EXPECT_FALSE(avm::ParseDecodeScript("RIFF....AVI LIST"));
    EXPECT_THROW(avm::ParseDecodeScript("DirectShowSource(\""), ToolError);
}

TEST(ToolCommon, CpuUsageAndProgressValues)
{
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 8), 0) << "100 %: the libraries use every core";
    EXPECT_EQ(tools::ThreadsForCpuUsage(1, 8), 6);
    EXPECT_EQ(tools::ThreadsForCpuUsage(2, 1), 1) << "never 0, which would mean every core";
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 8, 2), 4) << "two runs at once share the cores";
    EXPECT_EQ(tools::ThreadsForCpuUsage(1, 8, 2), 3);
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 2, 4), 1) << "more runs than cores still get a thread each";
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 8, 1), 0) << "a run alone keeps the libraries' choice";
    EXPECT_EQ(tools::PercentTimes100(61, 60), 10000);
    EXPECT_EQ(tools::PercentTimes100(5, 0), 0);
    EXPECT_EQ(tools::PercentTimes100(-1, 60), 0);
}
