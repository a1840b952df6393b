#include "app/SettingsStore.h"
#include "ini/PrivateProfile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

using testing_support::TestFolder;

namespace {

// A store over two profiles, "Alpha" and "Beta", with savedata.dll in a test folder.
class Settings : public ::testing::Test {
protected:
    Settings() { store_ = Fresh(); }

    app::SettingsStore Fresh() const
    {
        app::SettingsStore store;
        for (const char* name : {"Alpha", "Beta"}) {
            profiles::OutputProfile profile;
            profile.name = name;
            store.catalogue.Add(profile);
        }
        store.LoadSettings(Path());
        return store;
    }
    std::string Path() const { return folder_.Path() + "savedata.dll"; }

    TestFolder folder_;
    app::SettingsStore store_;
};

}  // namespace

TEST_F(Settings, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(store_.OutputFolder, folder_.Path() + "home/OutputFolder/");
    EXPECT_EQ(store_.AddFilesInitDir, folder_.Path() + "home/");
    EXPECT_EQ(store_.DecodeEngine, 0);
    EXPECT_EQ(store_.OutputFormat, 0);
    EXPECT_EQ(store_.CPUUsage, 0);
    EXPECT_EQ(store_.DiscLabel, "MyDisc");
    EXPECT_EQ(store_.LanguageFileName, "English");
    EXPECT_EQ(store_.Volume, 8);
    EXPECT_EQ(store_.DVDChapter, 2);
    EXPECT_EQ(store_.psp_id, 1);
    EXPECT_EQ(store_.pspavc_id, 1);
    EXPECT_EQ(store_.autoShutdown, 0);
    const profiles::ProfileChoice& choice = *store_.catalogue.Choice(1);
    for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys) {
        bool oneByDefault = std::string(key.key) == "showprofile" || std::string(key.key) == "video_letterbox";
        EXPECT_EQ(choice.*key.field, oneByDefault ? 1 : 0) << key.key;
    }
    EXPECT_FALSE(std::filesystem::exists(Path())) << "loading writes nothing";
}

TEST_F(Settings, EveryValueSurvivesSaveAndLoad)
{
    store_.OutputFolder = "/data/Out put/";
    store_.AddFilesInitDir = "/media/films/";
    store_.DecodeEngine = 2;
    store_.OutputFormat = -1;
    store_.CPUUsage = 1;
    store_.DiscLabel = "Holiday 2024";
    store_.LanguageFileName = "German";
    store_.Volume = 16;
    store_.DVDChapter = 4;
    store_.psp_id = 0;
    store_.pspavc_id = 5;
    store_.autoShutdown = 1;
    for (int slot = 0; slot < 2; ++slot) {
        int value = 100 * (slot + 1);
        for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
            store_.catalogue.Choice(slot)->*key.field = value++;
    }
    ASSERT_EQ(store_.SaveSettings(), 1);

    const app::SettingsStore loaded = Fresh();
    EXPECT_EQ(loaded.OutputFolder, "/data/Out put/");
    EXPECT_EQ(loaded.AddFilesInitDir, "/media/films/");
    EXPECT_EQ(loaded.DecodeEngine, 2);
    EXPECT_EQ(loaded.OutputFormat, -1);
    EXPECT_EQ(loaded.CPUUsage, 1);
    EXPECT_EQ(loaded.DiscLabel, "Holiday 2024");
    EXPECT_EQ(loaded.LanguageFileName, "German");
    EXPECT_EQ(loaded.Volume, 16);
    EXPECT_EQ(loaded.DVDChapter, 4);
    EXPECT_EQ(loaded.psp_id, 0);
    EXPECT_EQ(loaded.pspavc_id, 5);
    EXPECT_EQ(loaded.autoShutdown, 0) << "automatic shutdown is chosen per run";
    for (int slot = 0; slot < 2; ++slot) {
        int value = 100 * (slot + 1);
        for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
            EXPECT_EQ(loaded.catalogue.Choice(slot)->*key.field, value++) << key.key;
    }
    const ini::PrivateProfile file(Path());
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"main", "Alpha", "Beta"}));
    EXPECT_FALSE(file.HasKey("main", "autoShutdown"));
}

TEST_F(Settings, UnknownSectionsAndKeysAreKept)
{
    folder_.Write("savedata.dll",
                  "[main]\r\npsp_id=7\r\npspavc_id=-2\r\nFutureKey=x\r\n"
                  "[Gone Profile]\r\nvideo_quality=3\r\n"
                  "[beta]\r\nvideo_size=4\r\n");
    store_ = Fresh();
    EXPECT_EQ(store_.psp_id, 7);
    EXPECT_EQ(store_.pspavc_id, -2);
    EXPECT_EQ(store_.catalogue.Choice(1)->video_size, 4) << "section names match in any case";
    store_.DiscLabel = "New";
    ASSERT_EQ(store_.SaveSettings(), 1);

    const ini::PrivateProfile file(Path());
    EXPECT_EQ(file.GetInt("main", "psp_id", 0), 7);
    EXPECT_EQ(file.GetInt("main", "pspavc_id", 0), -2);
    EXPECT_EQ(file.GetString("main", "FutureKey", ""), "x");
    EXPECT_EQ(file.GetInt("Gone Profile", "video_quality", 0), 3);
    EXPECT_EQ(file.GetString("main", "DiscLabel", ""), "New");
}

TEST_F(Settings, LongTextsAreCutAndLineBreaksCannotAddKeys)
{
    folder_.Write("savedata.dll", "[main]\nOutputFolder=/" + std::string(1100, 'o') + "\nDiscLabel=" +
                                      std::string(300, 'd') + "\nLanguageFileName=" + std::string(300, 'l') + "\n");
    store_ = Fresh();
    EXPECT_EQ(store_.OutputFolder.size(), 1023u);
    EXPECT_EQ(store_.DiscLabel.size(), 255u);
    EXPECT_EQ(store_.LanguageFileName.size(), 255u);

    store_.OutputFolder = "/odd\nOutputFormat=9\n[Alpha]\nshowprofile=0/";
    ASSERT_EQ(store_.SaveSettings(), 1);
    const app::SettingsStore loaded = Fresh();
    EXPECT_EQ(loaded.OutputFolder, "/odd");
    EXPECT_EQ(loaded.OutputFormat, 0);
    EXPECT_EQ(loaded.catalogue.Choice(0)->showprofile, 1);
}

TEST_F(Settings, SavingReplacesTheFileInOneStep)
{
    ASSERT_EQ(store_.SaveSettings(), 1);
    const std::string before = folder_.Read("savedata.dll");
    ASSERT_EQ(::link(Path().c_str(), (folder_.Path() + "old").c_str()), 0);

    store_.DiscLabel = "Changed";
    ASSERT_EQ(store_.SaveSettings(), 1);
    EXPECT_EQ(folder_.Read("old"), before) << "the old file was replaced, not rewritten in place";
    EXPECT_NE(folder_.Read("savedata.dll").find("DiscLabel=Changed"), std::string::npos);

    // A disk that fills up part-way through the write: the old file stays whole.
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    store_.DiscLabel = "Lost";
    int result = store_.SaveSettings();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, 0);
    EXPECT_NE(folder_.Read("savedata.dll").find("DiscLabel=Changed"), std::string::npos);
    EXPECT_EQ(testing_support::FileNames(folder_.Path()),
              (std::vector<std::string>{"home", "old", "runtime", "savedata.dll"}))
        << "no temp file is left";
}
