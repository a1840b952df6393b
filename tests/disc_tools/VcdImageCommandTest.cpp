#include "common/ToolError.h"
#include "vcdimage/VcdImageCommand.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vcdimage;

TEST(VcdImageCommand, ReadsTheProgramsLineAndNamesFilesForTheStagingFolder)
{
    VcdImageRequest request = ParseVcdImageCommand(
        {"-sfm", "Rec", "-x", "-odd.xml", "-c", "/d/My Disc/VideoCD.cue", "-b", "/d/My Disc/VideoCD.bin", "-p"});
    EXPECT_TRUE(request.progress);
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(VcdxbuildArguments(request), (std::vector<std::string>{"--cue-file=VideoCD.cue", "--bin-file=VideoCD.bin",
                                                                     "--progress", "--", cwd + "/-odd.xml"}));
}

TEST(VcdImageCommand, MalformedLinesAreRefusedWithAReason)
{
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{"-x", "a.xml", "-c", "a.cue", "-b", "a.bin"}, "no -sfm record name"},
        {{"-sfm", "R", "-x", "a.xml", "-c", "a.cue", "-b", "/d/"}, "no -b image file"},
        {{"-sfm", "R", "-x", "a.xml", "-c", "a.cue", "-b", "a.bin", "-q"}, "unknown option -q"},
    };
    for (const auto& c : cases) {
        try {
            ParseVcdImageCommand(c.arguments);
            ADD_FAILURE() << "accepted a line lacking: " << c.reason;
        } catch (const tools::ToolError& error) {
            EXPECT_STREQ(error.what(), c.reason);
        }
    }
}
