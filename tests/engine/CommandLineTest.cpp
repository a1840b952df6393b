#include "engine/CommandLine.h"

#include <gtest/gtest.h>

using engine::Arguments;

TEST(CommandLine, TemplateWordsAreSplitOnBlanksAndTabsOnly)
{
    EXPECT_EQ(engine::SplitWords("  -ovc lavc\t-lavcopts vcodec=mpeg4:vbitrate=800  "),
              (Arguments{"-ovc", "lavc", "-lavcopts", "vcodec=mpeg4:vbitrate=800"}));
    EXPECT_EQ(engine::SplitWords(" \t "), Arguments{});
    Arguments arguments{"-sfm", "name"};
    engine::AppendWords(arguments, " -of lavf -lavfopts format=mp4");
    EXPECT_EQ(arguments, (Arguments{"-sfm", "name", "-of", "lavf", "-lavfopts", "format=mp4"}));
}

TEST(CommandLine, TextFormQuotesOnlyWhatWouldNotReadBack)
{
    EXPECT_EQ(engine::CommandText({"-sfm", "Diziv_Test", "/v/my clip.avi", "", "a\\", "x\"y.avi", "-o", "/o/a.mpg"}),
              " -sfm Diziv_Test \"/v/my clip.avi\" \"\" \"a\\\\\" \"x\\\"y.avi\" -o /o/a.mpg");
}
