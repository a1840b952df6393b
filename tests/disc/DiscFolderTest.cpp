#include "app/Application.h"
#include "disc/DiscFolder.h"
#include "lang/IniTextFile.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::RecordingDialogs;
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
        RecordingDialogs dialogs;
        disc::DiscState state;
        ASSERT_EQ(disc::PrepareDiscFolder(Job(folder, "dvdimg_pal"), state, dialogs), 1);
        EXPECT_EQ(state.discFolder, folder.Path() + "Out/" + c.chosen);
        EXPECT_TRUE(fs::is_directory(state.discFolder + "/VIDEO_TS"));
        EXPECT_TRUE(fs::is_directory(state.discFolder + "/AUDIO_TS"));
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST(PrepareDiscFolder, ImageProfilesGetABareFolderAndOthersNone)
{
    TestFolder folder;
    RecordingDialogs dialogs;
    disc::DiscState state;
    ASSERT_EQ(disc::PrepareDiscFolder(Job(folder, "svcdimg"), state, dialogs), 1);
    EXPECT_TRUE(fs::is_directory(folder.Path() + "Out/MyDisc"));
    EXPECT_FALSE(fs::exists(folder.Path() + "Out/MyDisc/VIDEO_TS"));

    disc::DiscState untouched;
    untouched.discFolder = "kept";
    ASSERT_EQ(disc::PrepareDiscFolder(Job(folder, "dvd_pal"), untouched, dialogs), 1);
    EXPECT_EQ(untouched.discFolder, "kept");
}

TEST(PrepareDiscFolder, APlainFileInTheWayFailsWithTheDiscMessage)
{
    TestFolder folder;
    folder.Write("Out/MyDisc", "not a folder");
    lang::LanguageTable().SetValue("MainDialog", "DVD image failed", "DVD folder failed", true);
    lang::LanguageTable().SetValue("MainDialog", "VCD image failed", "Image folder failed", true);
    app::Application().appName = "Diziv Test";
    for (const char* shortName : {"dvdimg", "vcdimg"}) {
        RecordingDialogs dialogs;
        disc::DiscState state;
        EXPECT_EQ(disc::PrepareDiscFolder(Job(folder, shortName), state, dialogs), 0);
        EXPECT_EQ(state.discFolder, folder.Path() + "Out/MyDisc") << "a file does not count as an existing folder";
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, std::string(shortName) == "dvdimg" ? "DVD folder failed" : "Image folder failed");
        EXPECT_EQ(dialogs.shown[0].caption, "Diziv Test");
    }
    EXPECT_TRUE(fs::is_regular_file(folder.Path() + "Out/MyDisc"));
}
