#include "cli/CliOptions.h"

#include <gtest/gtest.h>

using cli::CliOptions;
using cli::ParseCommandLine;

TEST(CliOptions, ClockTimesInMilliseconds)
{
    const struct {
        const char* text;
        std::optional<std::int64_t> milliseconds;
    } cases[] = {
        {"0", 0},            {"75", 75000},        {"1:30", 90000},      {"01:02:03", 3723000},
        {"90:00", 5400000},  {"1.5", 1500},        {"0.05", 50},         {"2.125", 2125},
        {"01:02.250", 62250}, {"1:00:59.999", 3659999},
        {"1:5", {}},         {"1:60", {}},         {"1:59.9999", {}},    {"1:60.5", {}},
        {"1:5.5", {}},       {"1.", {}},           {".5", {}},           {"1.5.2", {}},
        {"1.5:00", {}},      {"", {}},             {"-5", {}},           {"1:02:03:04", {}},
        {"a", {}},           {"1:", {}},           {":30", {}},          {"1.-5", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::ParseClockTime(c.text), c.milliseconds) << c.text;
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
    EXPECT_EQ(o.sources[0].start, 10000);
    EXPECT_EQ(o.sources[0].end, 20000);
    EXPECT_EQ(o.sources[0].subtitleFile, "a b.srt");
    EXPECT_EQ(o.sources[1].path, "b.avi");
    EXPECT_FALSE(o.sources[1].start);
    EXPECT_EQ(o.sources[1].subtitleFile, "");
    EXPECT_EQ(o.sources[2].path, "-dash.avi");
    EXPECT_EQ(o.sources[2].audioTrack, 1);
}

TEST(CliOptions, GlobalOptionsAnywhere)
{
    auto parsed = ParseCommandLine(
        {"a.avi", "-qvy", "--no-letterbox", "--video-q=High", "--join", "-oOut", "--save", "--wait", "--skip"});
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
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.existing, CliOptions::Existing::Skip);
    EXPECT_EQ(o.sources.size(), 1u);
    EXPECT_EQ(ParseCommandLine({"--overwrite", "--overwrite", "a"}).options.existing, CliOptions::Existing::Overwrite);
    EXPECT_EQ(ParseCommandLine({"a"}).options.existing, CliOptions::Existing::Number);
}

// The filter text may follow as a word of its own, which is then no file.
TEST(CliOptions, ProfileListFilter)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--list-profiles", "ipad"}, {"--list-profiles=ipad"}, {"-q", "--list", "ipad"}}) {
        auto parsed = ParseCommandLine(arguments);
        EXPECT_EQ(parsed.error, "") << arguments[0];
        EXPECT_EQ(parsed.options.action, CliOptions::Action::ListProfiles);
        EXPECT_EQ(parsed.options.profileFilter, "ipad") << arguments[0];
        EXPECT_TRUE(parsed.options.sources.empty());
    }
    EXPECT_EQ(ParseCommandLine({"--list-profiles"}).options.profileFilter, "");
}

TEST(CliOptions, UsageErrors)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},                   {"-z"},
        {"--profile"},                 {"-p"},
        {"--v"},                       // ambiguous: --version, --verbose, --video-quality, ...
        {"--overwrite", "--skip-existing", "a"}, {"--skip", "--over", "a"},
        {"--list-profiles", "a", "b"}, {"--list-profiles=a", "b"},
        {"--start", "1.5.5", "a"},
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
