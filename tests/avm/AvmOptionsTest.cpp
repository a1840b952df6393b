// What of avm's command line no conversion shows to ffprobe: refusals,
// exact frame rates, subtitle styling, decode scripts and tool numbers.
#include "AvmOptions.h"
#include "DecodeScript.h"
#include "FilterChain.h"
#include "OutputFormat.h"
#include "SpeedPresets.h"
#include "common/CpuShare.h"
#include "common/ProgressSender.h"
#include "common/ToolError.h"
#include "engine/CommandLine.h"
#include "engine/DecodeScript.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

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
        {"-sfm R a -o b -speed fastest", "unsupported value \"fastest\" for -speed"},
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

// Below 100 % a run gives up threads only from a share of four cores or
// more; a smaller share keeps them all, at a lower priority.
TEST(ToolCommon, ThreadsForEachCpuUsageCoreCountAndRunShare)
{
    const int cores[] = {1, 2, 4, 8, 16};
    const struct {
        int cpuUsage, runs;
        int threads[5];  // for each entry of cores
    } rows[] = {
        {0, 1, {0, 0, 0, 0, 0}},  // alone at 100 %: the libraries' choice
        {1, 1, {0, 0, 3, 7, 14}},
        {2, 1, {0, 0, 3, 6, 11}},
        {0, 2, {1, 1, 2, 4, 8}},  // runs at once split the cores
        {1, 2, {1, 1, 2, 3, 7}},
        {2, 2, {1, 1, 2, 3, 6}},
    };
    for (const auto& row : rows)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(tools::ThreadsForCpuUsage(row.cpuUsage, cores[i], row.runs), row.threads[i])
                << "cpu_usage " << row.cpuUsage << ", " << cores[i] << " cores, " << row.runs << " runs";
    EXPECT_EQ(tools::ThreadsForCpuUsage(0, 2, 4), 1) << "more runs than cores still get a thread each";
    EXPECT_EQ(tools::ThreadsForCpuUsage(7, 8), 0) << "an unknown value counts as 100 %";
}

// The nice value a child process ends up with after lowering its priority
// from `startingNice` (or the test's own, when that is higher); -1 when it
// could not.
int NiceAfterLowering(int startingNice, std::int32_t cpuUsage)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (startingNice > ::getpriority(PRIO_PROCESS, 0))
            ::setpriority(PRIO_PROCESS, 0, startingNice);
        const bool lowered = tools::LowerPriorityForCpuUsage(cpuUsage);
        ::_exit(lowered ? ::getpriority(PRIO_PROCESS, 0) : 255);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

TEST(ToolCommon, PriorityDropsBelowFullCpuUsageAndNeverRises)
{
    const int own = ::getpriority(PRIO_PROCESS, 0);  // the tests may run under nice
    EXPECT_EQ(NiceAfterLowering(0, 0), std::max(own, 0));
    EXPECT_EQ(NiceAfterLowering(0, 1), std::max(own, 10));
    EXPECT_EQ(NiceAfterLowering(0, 2), std::max(own, 15));
    EXPECT_EQ(NiceAfterLowering(18, 1), std::max(own, 18)) << "a tool started under nice keeps its lower priority";
}

TEST(ToolCommon, ProgressValues)
{
    EXPECT_EQ(tools::PercentTimes100(61, 60), 10000);
    EXPECT_EQ(tools::PercentTimes100(5, 0), 0);
    EXPECT_EQ(tools::PercentTimes100(-1, 60), 0);
}

// Balanced keeps the option lists' own presets; the other speeds override
// them only on the encoders that have presets.
TEST(AvmOptions, SpeedSetsThePresetsOfEncodersThatHaveThem)
{
    using avm::EncoderSpeed;
    using avm::VideoEncoder;
    EXPECT_EQ(avm::ParseAvmOptions(engine::SplitWords("-sfm R a -o b")).speed, EncoderSpeed::Balanced);
    EXPECT_EQ(avm::ParseAvmOptions(engine::SplitWords("-sfm R a -o b -speed better")).speed, EncoderSpeed::Better);
    for (VideoEncoder encoder : {VideoEncoder::X264, VideoEncoder::X265, VideoEncoder::SvtAv1, VideoEncoder::Vpx}) {
        const auto faster = avm::SpeedSettingsFor(encoder, EncoderSpeed::Faster);
        const auto better = avm::SpeedSettingsFor(encoder, EncoderSpeed::Better);
        ASSERT_FALSE(faster.empty() || better.empty());
        ASSERT_EQ(faster.size(), better.size()) << "both speeds set the same options";
        EXPECT_STREQ(faster.back().option, better.back().option);
        EXPECT_STRNE(faster.back().value, better.back().value);
        EXPECT_TRUE(avm::SpeedSettingsFor(encoder, EncoderSpeed::Balanced).empty());
    }
    for (VideoEncoder encoder : {VideoEncoder::Lavc, VideoEncoder::Xvid, VideoEncoder::Copy})
        EXPECT_TRUE(avm::SpeedSettingsFor(encoder, EncoderSpeed::Better).empty());
}
