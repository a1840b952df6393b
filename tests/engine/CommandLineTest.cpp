#include "engine/CommandLine.h"

#include <gtest/gtest.h>

using engine::QuoteArgument;
using engine::SplitCommandLine;
using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    struct Case {
        std::string text;
        Arguments expected;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {R"( -sfm My_App "/videos/my clip.avi" -o out.mpg)", {"-sfm", "My_App", "/videos/my clip.avi", "-o", "out.mpg"}},
        {"a \t  b\t", {"a", "b"}},
        {R"(a\\b c\)", {R"(a\\b)", R"(c\)"}},
        {R"("ends\\" next)", {R"(ends\)", "next"}},
        {R"(say\"hi)", {R"(say"hi)"}},
        {R"("in \"quotes\" too")", {R"(in "quotes" too)"}},
        {R"(three\\\"x)", {R"(three\"x)"}},
        {R"("" x "")", {"", "x", ""}},
        {R"("a""b c")", {R"(a"b)", "c"}},
        {R"(-lavfopts" format=mp4")", {"-lavfopts format=mp4"}},
        {R"("-leading dash.avi")", {"-leading dash.avi"}},
        {"\"\xC3\x9C ファイル.avi\"", {"\xC3\x9C ファイル.avi"}},
        {R"("unclosed quote)", {"unclosed quote"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text), c.expected) << "text: " << c.text;
}

TEST(QuoteArgument, SplitsBackIntoExactlyTheText)
{
    const std::string texts[] = {
        "/videos/plain.avi",
        "/videos/with blank.avi",
        R"(/videos/say "hi".avi)",
        R"(/videos/trailing\)",
        R"(/videos/\\server\"share\\)",
        R"(""")",
        "-leading-dash.avi",
        "",
        "\t tabs and blanks \t",
        "/v/\xC3\x9C ファイル.avi",
    };
    for (const std::string& text : texts) {
        Arguments expected = {"-o", text, "-next"};
        EXPECT_EQ(SplitCommandLine(" -o " + QuoteArgument(text) + " -next"), expected) << "text: " << text;
    }
}

TEST(RecordNameOption, QuotesOnlyNamesThatWouldNotSurvive)
{
    EXPECT_EQ(engine::RecordNameOption("Diziv_Video_Converter"), " -sfm Diziv_Video_Converter");
    for (const std::string name : {"odd name", "odd\"name", ""})
        EXPECT_EQ(SplitCommandLine(engine::RecordNameOption(name)), (Arguments{"-sfm", name})) << name;
}
