#include "disc/DiscFolder.h"
#include "engine/PartialOutput.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::TestFolder;
namespace fs = std::filesystem;

namespace {

disc::DiscJob Job(const TestFolder& folder, const std::string& shortName)
{
    disc::DiscJob job;
    job.profileShortName = shortName;
    job.outputFolder = folder.Path() + "Out/";
    job.discLabel = "MyDisc";
    return job;
}

}  // namespace

TEST(PrepareDiscFolder, TakesTheFirstFreeNameAndCreatesTheDvdFolders)
{
    const struct {
        std::vector<std::string> existing;
        const char* chosen;
    } cases[] = {
        {{}, "MyDisc"},
        {{"MyDisc"}, "MyDisc_1"},
        {{"MyDisc", "MyDisc_1"}, "MyDisc_2"},
        {{"MyDisc", "MyDisc_2"}, "MyDisc_1"},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        for (const std::string& name : c.existing)
            fs::create_directories(folder.Path() + "Out/" + name);
        disc::DiscState state;
        ASSERT_TRUE(disc::PrepareDiscFolder(Job(folder, "dvdimg_pal"), state).Succeeded());
        EXPECT_EQ(state.finalName.Path(), folder.Path() + "Out/" + c.chosen);
        EXPECT_EQ(state.discFolder, engine::PartialPathFor(state.finalName)) << "the tools write a partial folder";
        EXPECT_TRUE(fs::is_directory(state.discFolder + "/VIDEO_TS"));
        EXPECT_TRUE(fs::is_directory(state.discFolder + "/AUDIO_TS"));
    }
}

TEST(PrepareDiscFolder, ImageProfilesGetABareFolderAndOthersNone)
{
    TestFolder folder;
    disc::DiscState state;
    ASSERT_TRUE(disc::PrepareDiscFolder(Job(folder, "svcdimg"), state).Succeeded());
    EXPECT_TRUE(fs::is_empty(state.discFolder));
    EXPECT_FALSE(fs::exists(folder.Path() + "Out/MyDisc")) << "the final name comes at the end";

    disc::DiscState untouched;
    untouched.discFolder = "kept";
    ASSERT_TRUE(disc::PrepareDiscFolder(Job(folder, "dvd_pal"), untouched).Succeeded());
    EXPECT_EQ(untouched.discFolder, "kept");
}

TEST(PrepareDiscFolder, APlainFileInTheWayFailsWithTheDiscMessage)
{
    TestFolder folder;
    folder.Write("Out/MyDisc", "not a folder");
    for (const auto& [shortName, failure] :
         {std::pair{"dvdimg", app::NoticeId::DvdImageFailed}, std::pair{"vcdimg", app::NoticeId::VcdImageFailed}}) {
        disc::DiscState state;
        EXPECT_EQ(disc::PrepareDiscFolder(Job(folder, shortName), state).Failure(), app::Notice(failure)) << shortName;
        EXPECT_EQ(state.finalName.Path(), folder.Path() + "Out/MyDisc") << "a file does not count as an existing folder";
    }
    EXPECT_TRUE(fs::is_regular_file(folder.Path() + "Out/MyDisc"));
}
