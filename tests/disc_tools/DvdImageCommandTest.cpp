#include "common/ToolError.h"
#include "dvdimage/DvdImageCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>

using namespace dvdimage;

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

}  // namespace

TEST(DvdImageCommand, MalformedLinesAreRefusedWithAReason)
{
    const struct {
        const char* line;
        const char* reason;
    } cases[] = {
        {"-o /d -f a.vob", "no -sfm record name"},
        {"-sfm R -o /d -f a.vob -c 0,600", "-c without a -f file after it"},
        {"-sfm R -T -o /d -f a.vob", "-T takes no -f files"},
        {"-sfm R -o /d a.vob", "unexpected argument 'a.vob'"},
    };
    for (const auto& c : cases) {
        try {
            ParseDvdImageCommand(Words(c.line));
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const tools::ToolError& error) {
            EXPECT_STREQ(error.what(), c.reason) << c.line;
        }
    }
}

// Real discs are authored from the program's options in the disc media
// tests; here the odd ones.
TEST(DvdImageCommand, VideoOptionsLoseResolutionWordsAndBlanks)
{
    EXPECT_EQ(DvdauthorVideoOptions("pal+352xhalf+ 16:9"), "pal+16:9");
    EXPECT_EQ(DvdauthorVideoOptions("pal+0x0+"), "pal");
}

TEST(DvdImageCommand, TitleSetIsOneTitleWithAbsolutePaths)
{
    DvdImageRequest request;
    request.recordName = "Rec";
    request.outputFolder = "out dir";
    request.video = "pal+720x576+16:9 ";
    request.audio = "ac3+en";
    request.files = {{"0,600", "-dash.vob"}, {"", "/w/\"q\" é.vob"}};
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(TitleSetArguments(request), (std::vector<std::string>{"-o", cwd + "/out dir", "-t", "-v", "pal+16:9", "-a", "ac3+en", "-c",
                                                   "0,600", "-f", cwd + "/-dash.vob", "-f", "/w/\"q\" é.vob"}));

    request.files.push_back({"", "/w/rm -rf x |"});
    EXPECT_THROW(TitleSetArguments(request), tools::ToolError) << "dvdauthor would run it as a command";
}
