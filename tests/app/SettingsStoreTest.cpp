#include "app/SettingsStore.h"
#include "engine/AdvancedChoices.h"
#include "ini/PrivateProfile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

using testing_support::TestFolder;

namespace {

// Alpha lists 3 qualities, 2 codecs, 4 sizes, 5 rates, 3 aspects, 2 TV
// types, 3 audio qualities, 2 audio codecs and 2 sample rates; Beta lists
// nothing.
profiles::OutputProfile Alpha()
{
    profiles::OutputProfile alpha;
    alpha.name = "Alpha";
    auto fill = [](auto& list, int count) {
        for (int i = 0; i < count; ++i)
            list.slots[i] = "entry " + std::to_string(i);
    };
    fill(alpha.video_quality, 3);
    fill(alpha.video_codec, 2);
    fill(alpha.video_size, 4);
    fill(alpha.video_frame, 5);
    fill(alpha.video_aspect, 3);
    fill(alpha.video_tvtype, 2);
    fill(alpha.audio_quality, 3);
    fill(alpha.audio_codec, 2);
    fill(alpha.audio_sample, 2);
    return alpha;
}

// A store over the profiles "Alpha" and "Beta", with savedata.dll in a test folder.
class Settings : public ::testing::Test {
protected:
    Settings() { store_ = Fresh(); }

    app::SettingsStore Fresh() const
    {
        app::SettingsStore store;
        store.catalogue.Add(Alpha());
        profiles::OutputProfile beta;
        beta.name = "Beta";
        store.catalogue.Add(beta);
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
    EXPECT_EQ(store_.Speed, 1) << "Balanced";
    EXPECT_EQ(store_.psp_id, 1);
    EXPECT_EQ(store_.pspavc_id, 1);
    EXPECT_EQ(store_.CopyFitting, 1) << "files from before the setting copy what fits";
    EXPECT_EQ(store_.whenDone, 0);
    EXPECT_EQ(store_.KeepSourceList, 1) << "the list is kept unless the user says otherwise";
    EXPECT_EQ(store_.SimultaneousConversions, 0) << "Automatic";
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
    store_.Speed = 2;
    store_.psp_id = 0;
    store_.pspavc_id = 5;
    store_.CopyFitting = 0;
    store_.whenDone = 2;
    store_.KeepSourceList = 0;
    store_.SimultaneousConversions = 3;
    // In the order of kProfileChoiceKeys: the last entry of every list of
    // Alpha, the only one of Beta.
    const std::vector<std::vector<std::int32_t>> choices{{0, 2, 1, 3, 4, 2, 0, 1, 2, 1, 1, 4096, 16},
                                                         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 640, 480}};
    for (int slot = 0; slot < 2; ++slot)
        for (std::size_t k = 0; k < profiles::kProfileChoiceKeys.size(); ++k)
            store_.catalogue.Choice(slot)->*profiles::kProfileChoiceKeys[k].field = choices[slot][k];
    ASSERT_EQ(store_.SaveSettings(), 1);

    testing::internal::CaptureStderr();
    const app::SettingsStore loaded = Fresh();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "every value is in range";
    EXPECT_EQ(loaded.OutputFolder, "/data/Out put/");
    EXPECT_EQ(loaded.AddFilesInitDir, "/media/films/");
    EXPECT_EQ(loaded.DecodeEngine, 2);
    EXPECT_EQ(loaded.OutputFormat, -1);
    EXPECT_EQ(loaded.CPUUsage, 1);
    EXPECT_EQ(loaded.DiscLabel, "Holiday 2024");
    EXPECT_EQ(loaded.LanguageFileName, "German");
    EXPECT_EQ(loaded.Volume, 16);
    EXPECT_EQ(loaded.DVDChapter, 4);
    EXPECT_EQ(loaded.Speed, 2);
    EXPECT_EQ(loaded.psp_id, 0);
    EXPECT_EQ(loaded.pspavc_id, 5);
    EXPECT_EQ(loaded.CopyFitting, 0);
    EXPECT_EQ(loaded.whenDone, 0) << "the action when done is chosen per run";
    EXPECT_EQ(loaded.KeepSourceList, 0);
    EXPECT_EQ(loaded.SimultaneousConversions, 3);
    for (int slot = 0; slot < 2; ++slot)
        for (std::size_t k = 0; k < profiles::kProfileChoiceKeys.size(); ++k)
            EXPECT_EQ(loaded.catalogue.Choice(slot)->*profiles::kProfileChoiceKeys[k].field, choices[slot][k])
                << profiles::kProfileChoiceKeys[k].key;
    const ini::PrivateProfile file(Path());
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"main", "Alpha", "Beta"}));
    EXPECT_FALSE(file.HasKey("main", "whenDone"));
}

TEST_F(Settings, UnknownSectionsAndKeysAreKept)
{
    folder_.Write("savedata.dll",
                  "[main]\r\npsp_id=7\r\npspavc_id=-2\r\nFutureKey=x\r\n"
                  "[Gone Profile]\r\nvideo_quality=3\r\n"
                  "[alpha]\r\nvideo_size=3\r\n");
    store_ = Fresh();
    EXPECT_EQ(store_.psp_id, 7);
    EXPECT_EQ(store_.pspavc_id, -2);
    EXPECT_EQ(store_.catalogue.Choice(0)->video_size, 3) << "section names match in any case";
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

// A value the program cannot have written gives the default, with one line
// on standard error naming the file, the key, the value and the profile.
TEST_F(Settings, ValuesOutOfRangeGiveTheDefaultsAndSaySo)
{
    const std::string volumeRows = std::to_string(engine::kVolumeRows.size());
    const std::string chapterRows = std::to_string(engine::kDvdChapterRows.size());
    const struct {
        std::string section, key, value;
        const char* why;
    } cases[] = {
        {"main", "Volume", "2147483647", "out of range"},
        {"main", "Volume", "-2147483648", "out of range"},
        {"main", "Volume", volumeRows, "out of range"},
        {"main", "Volume", "-1", "out of range"},
        {"main", "Volume", "", "is not a whole number"},
        {"main", "Volume", "8x", "is not a whole number"},
        {"main", "Volume", "+8", "is not a whole number"},
        {"main", "DVDChapter", chapterRows, "out of range"},
        {"main", "Speed", std::to_string(engine::kSpeedRows.size()), "out of range"},
        {"main", "Speed", "-1", "out of range"},
        {"main", "Speed", "fast", "is not a whole number"},
        {"main", "DecodeEngine", "3", "out of range"},
        {"main", "CPUUsage", "-1", "out of range"},
        {"main", "OutputFormat", "2", "out of range"},
        {"main", "OutputFormat", "-2", "out of range"},
        {"main", "psp_id", "99999999999999", "out of range"},
        {"main", "pspavc_id", "0x10", "is not a whole number"},
        {"main", "CopyFitting", "2", "out of range"},
        {"main", "KeepSourceList", "-1", "out of range"},
        {"main", "OutputFolder", "relative/", "is not an absolute folder"},
        {"main", "AddFilesInitDir", "", "is not an absolute folder"},
        {"main", "LanguageFileName", "../../secret", "is not a language name"},
        {"main", "LanguageFileName", "", "is not a language name"},
        {"Alpha", "audio_sample", "77777", "out of range"},
        {"Alpha", "audio_sample", "2", "out of range"},
        {"Alpha", "video_quality", "3", "out of range"},
        {"Alpha", "video_codec", "-1", "out of range"},
        {"Alpha", "video_size", "4", "out of range"},
        {"Alpha", "video_frame", "5", "out of range"},
        {"Alpha", "video_aspect", "3", "out of range"},
        {"Alpha", "video_tvtype", "2", "out of range"},
        {"Alpha", "audio_quality", "3", "out of range"},
        {"Alpha", "audio_codec", "2", "out of range"},
        {"Alpha", "showprofile", "2", "out of range"},
        {"Alpha", "video_letterbox", "-1", "out of range"},
        {"Alpha", "custom_width", "15", "out of range"},
        {"Alpha", "custom_height", "4097", "out of range"},
        {"Alpha", "custom_width", "99999999999", "out of range"},
        {"Alpha", "video_size", "two", "is not a whole number"},
        {"Beta", "video_codec", "1", "out of range"},
        {"Beta", "audio_sample", "1", "out of range"},
    };
    const app::SettingsStore defaults = Fresh();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + "=" + c.value);
        folder_.Write("savedata.dll", "[" + c.section + "]\n" + c.key + "=" + c.value + "\n");
        testing::internal::CaptureStderr();
        const app::SettingsStore loaded = Fresh();
        const std::string profile = c.section == "main" ? "" : " for \"" + c.section + "\"";
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "diziv: savedata.dll: " + c.key + "=" + c.value + " " + c.why + profile + ", using the default\n");
        EXPECT_EQ(loaded.OutputFolder, defaults.OutputFolder);
        EXPECT_EQ(loaded.AddFilesInitDir, defaults.AddFilesInitDir);
        EXPECT_EQ(loaded.LanguageFileName, defaults.LanguageFileName);
        EXPECT_EQ(std::vector<int>({loaded.DecodeEngine, loaded.OutputFormat, loaded.CPUUsage, loaded.Volume,
                                    loaded.DVDChapter, loaded.Speed, loaded.psp_id, loaded.pspavc_id,
                                    loaded.CopyFitting, loaded.KeepSourceList}),
                  std::vector<int>({defaults.DecodeEngine, defaults.OutputFormat, defaults.CPUUsage, defaults.Volume,
                                    defaults.DVDChapter, defaults.Speed, defaults.psp_id, defaults.pspavc_id,
                                    defaults.CopyFitting, defaults.KeepSourceList}));
        for (int slot = 0; slot < 2; ++slot)
            for (const profiles::ProfileChoiceKey& key : profiles::kProfileChoiceKeys)
                EXPECT_EQ(loaded.catalogue.Choice(slot)->*key.field, defaults.catalogue.Choice(slot)->*key.field)
                    << key.key;
    }

    folder_.Write("savedata.dll", "[main]\nDiscLabel=" + std::string(100, '7') + "\nVolume=" + std::string(100, '7') +
                                      "\n[Alpha]\nvideo_size=3\nshowprofile=0\n");
    testing::internal::CaptureStderr();
    const app::SettingsStore loaded = Fresh();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "diziv: savedata.dll: Volume=" + std::string(40, '7') + "... out of range, using the default\n")
        << "a long value is shown in part";
    EXPECT_EQ(loaded.DiscLabel, std::string(100, '7')) << "a disc label is any text; the job checks it";
    EXPECT_EQ(loaded.catalogue.Choice(0)->video_size, 3) << "the other values of the file count";
    EXPECT_EQ(loaded.catalogue.Choice(0)->showprofile, 0);
}

TEST_F(Settings, JobTakesTheWhenDoneChoiceAndNothingForUnknownNumbers)
{
    const struct {
        int stored;
        app::WhenDone whenDone;
    } cases[] = {{0, app::WhenDone::Nothing}, {1, app::WhenDone::ShutDown}, {2, app::WhenDone::Suspend},
                 {3, app::WhenDone::Quit},    {4, app::WhenDone::Nothing},  {-1, app::WhenDone::Nothing}};
    for (const auto& c : cases) {
        store_.whenDone = c.stored;
        EXPECT_EQ(store_.ForJob().whenDone, c.whenDone) << c.stored;
    }
}

TEST_F(Settings, JobTakesTheSpeedRowAndBalancedForUnknownNumbers)
{
    const struct {
        int stored;
        app::EncodeSpeed speed;
    } cases[] = {{0, app::EncodeSpeed::Faster},   {1, app::EncodeSpeed::Balanced}, {2, app::EncodeSpeed::Better},
                 {3, app::EncodeSpeed::Balanced}, {-1, app::EncodeSpeed::Balanced}};
    for (const auto& c : cases) {
        store_.Speed = c.stored;
        EXPECT_EQ(store_.ForJob().speed, c.speed) << c.stored;
    }
}
