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

TEST(DvdImageCommand, EachChapterListBelongsToTheFileAfterIt)
{
    DvdImageRequest request = ParseDvdImageCommand(
        Words("-sfm Rec -o /out -v pal+720x576+4:3 -a mp2+en -c 0,600 -f /w/001.vob -f /w/002.vob -c 0,900 -f /w/003.vob"));
    EXPECT_EQ(request.recordName, "Rec");
    EXPECT_FALSE(request.tableOfContents);
    ASSERT_EQ(request.files.size(), 3u);
    EXPECT_EQ(request.files[0].chapters, "0,600");
    EXPECT_EQ(request.files[1].chapters, "");
    EXPECT_EQ(request.files[2].chapters, "0,900");

    DvdImageRequest contents = ParseDvdImageCommand(Words("-sfm Rec -T -o /out"));
    EXPECT_TRUE(contents.tableOfContents);
    EXPECT_EQ(TableOfContentsArguments(contents), (std::vector<std::string>{"-o", "/out", "-T"}));
}

TEST(DvdImageCommand, VideoOptionsLoseResolutionWordsAndBlanks)
{
    const struct {
        const char* ours;
        const char* dvdauthor;
    } cases[] = {
        {"pal+720x576+4:3", "pal+4:3"},
        {"pal+352xhalf+ 16:9", "pal+16:9"},
        {"pal+0x0+", "pal"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DvdauthorVideoOptions(c.ours), c.dvdauthor) << '"' << c.ours << '"';
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
