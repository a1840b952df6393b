#include "cli/CliOptions.h"

#include <gtest/gtest.h>

using cli::CliOptions;
using cli::ParseCommandLine;

TEST(CliOptions, ClockTimes)
{
    const struct {
        const char* text;
        std::optional<int> seconds;
    } cases[] = {
        {"0", 0},          {"75", 75},         {"1:30", 90},     {"01:02:03", 3723}, {"90:00", 5400},
        {"1:5", {}},       {"1:60", {}},       {"", {}},         {"-5", {}},         {"1:02:03:04", {}},
        {"1.5", {}},       {"a", {}},          {"1:", {}},       {":30", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::ParseClockTime(c.text), c.seconds) << c.text;
}

TEST(CliOptions, SourceOptionsBelongToTheNextSource)
{
    auto parsed = ParseCommandLine({"-p", "3", "--start=0:10", "--end", "20", "--subtitle", "a b.srt", "a.avi",
                                    "b.avi", "--audio-track", "1", "--", "-dash.avi"});
    ASSERT_EQ(parsed.error, "");
    const CliOptions& o = parsed.options;
    EXPECT_EQ(o.profile, "3");
    ASSERT_EQ(o.sources.size(), 3u);
    EXPECT_EQ(o.sources[0].path, "a.avi");
    EXPECT_EQ(o.sources[0].start, 10);
    EXPECT_EQ(o.sources[0].end, 20);
    EXPECT_EQ(o.sources[0].subtitleFile, "a b.srt");
    EXPECT_EQ(o.sources[1].path, "b.avi");
    EXPECT_FALSE(o.sources[1].start);
    EXPECT_EQ(o.sources[1].subtitleFile, "");
    EXPECT_EQ(o.sources[2].path, "-dash.avi");
    EXPECT_EQ(o.sources[2].audioTrack, 1);
}

TEST(CliOptions, GlobalOptionsAnywhere)
{
    auto parsed =
        ParseCommandLine({"a.avi", "-qy", "--no-letterbox", "--video-q=High", "--join", "-oOut", "--save", "--wait"});
    ASSERT_EQ(parsed.error, "");
    const CliOptions& o = parsed.options;
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.yes);
    EXPECT_EQ(o.letterbox, false);
    EXPECT_EQ(o.videoQuality, "High");
    EXPECT_EQ(o.join, true);
    EXPECT_EQ(o.outputFolder, "Out");
    EXPECT_TRUE(o.saveSettings);
    EXPECT_TRUE(o.wait);
    EXPECT_EQ(o.sources.size(), 1u);
}

TEST(CliOptions, UsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},                   {"-z"},
        {"--profile"},                 {"-p"},
        {"--v"},                       // ambiguous: --version, --video-quality, --video-codec, --volume
        {"--start", "ten", "a.avi"},   {"--end", "1:99", "a.avi"},
        {"--audio-track", "-1", "a"},  {"--subtitle-track", "x", "a"},
        {"a.avi", "--start", "5"},     // nothing follows to trim
        {"--subtitle=", "a.avi"},      {"--quiet=yes"},
    };
    for (const auto& arguments : cases) {
        std::string joined;
        for (const auto& argument : arguments)
            joined += argument + " ";
        EXPECT_NE(ParseCommandLine(arguments).error, "") << joined;
    }
}
