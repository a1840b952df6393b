#include "app/Application.h"
#include "app/ConverterApp.h"
#include "app/SettingsStore.h"
#include "app/UserFolders.h"
#include "app/Utilities.h"
#include "ini/PrivateProfile.h"
#include "lang/IniTextFile.h"
#include "platform/HandOver.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>
#include <optional>

using testing_support::RecordingDialogs;
using testing_support::TestFolder;

namespace {

// A program directory with app.ini, the built profile data and two language files.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = app::Application();
        lang::LanguageTable() = lang::IniTextFile();
        app::Settings() = app::SettingsStore();
        folder_.Write("prog/app.ini", "[main]\r\nAppName=My App\r\n");
        std::filesystem::copy_file(PROGRAM_DIR "dsp_data.dll", Program() + "dsp_data.dll");
        folder_.Write("prog/Languages/English.ini", "[MainDialog]\nOnly one instance=Already running.\nStop=Stop\n");
        folder_.Write("prog/Languages/German.ini", "[MainDialog]\nOnly one instance=Läuft schon.\nStop=Anhalten\n");
    }
    void TearDown() override
    {
        app::Application() = saved_;
        app::Settings() = app::SettingsStore();
    }

    std::string Program() const { return folder_.Path() + "prog/"; }

    // Runs start-up; returns whether the main window ran.
    bool Start(app::ConverterApp& converter, int expectedStatus = 0)
    {
        windowRan_ = false;
        EXPECT_EQ(converter.Run(), expectedStatus);
        return windowRan_;
    }
    // The main window saves the settings when it closes.
    app::ConverterApp Make()
    {
        return app::ConverterApp(Program(), dialogs_, [this] {
            windowRan_ = true;
            app::Settings().SaveSettings();
        });
    }

    TestFolder folder_;
    RecordingDialogs dialogs_;
    bool windowRan_ = false;
    app::ApplicationValues saved_;
};

}  // namespace

TEST_F(StartUp, NamesComeFromAppIni)
{
    const struct {
        const char* appIni;  // nullptr: no app.ini
        std::string name, sharedName;
    } cases[] = {
        {"[main]\r\nAppName=My App\r\n", "My App", "My_App"},
        {nullptr, "ErrorApp", "ErrorApp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Program() + "app.ini");
        if (c.appIni)
            folder_.Write("prog/app.ini", c.appIni);
        app::ConverterApp converter = Make();
        EXPECT_TRUE(Start(converter));
        EXPECT_EQ(app::Application().appName, c.name);
        EXPECT_EQ(app::Application().appSharedName, c.sharedName);
        EXPECT_EQ(app::Application().programDirectory, Program());
        EXPECT_TRUE(dialogs_.shown.empty());
    }
    folder_.Write("prog/app.ini", "[main]\nAppName=" + std::string(300, 'n') + "\n");
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(app::Application().appName.size(), 255u);
    EXPECT_LE(app::Application().appSharedName.size(), 200u) << "the shared name stays one file-name component";
}

TEST_F(StartUp, InstallerLanguageIsTakenOnceAndTheFileDeleted)
{
    folder_.Write("prog/InnoLanguage.ini", "[DefaultLanguage]\nLanguage=German\n");
    {
        app::ConverterApp converter = Make();
        EXPECT_TRUE(Start(converter));
        EXPECT_EQ(app::Settings().LanguageFileName, "German");
        EXPECT_EQ(lang::Text("MainDialog", "Stop"), "Anhalten");
    }
    EXPECT_FALSE(std::filesystem::exists(Program() + "InnoLanguage.ini"));

    app::Settings() = app::SettingsStore();
    app::ConverterApp next = Make();
    EXPECT_TRUE(Start(next));
    EXPECT_EQ(app::Settings().LanguageFileName, "German") << "the hand-over reached the settings file";
}

TEST_F(StartUp, LanguageWithoutFileFallsBackToEnglishButKeepsTheName)
{
    folder_.Write("prog/InnoLanguage.ini", "[DefaultLanguage]\nLanguage=Klingon\n");
    {
        app::ConverterApp converter = Make();
        EXPECT_TRUE(Start(converter));
        EXPECT_EQ(app::Settings().LanguageFileName, "Klingon");
        EXPECT_EQ(lang::Text("MainDialog", "Stop"), "Stop");
    }

    std::filesystem::remove_all(Program() + "Languages");
    lang::LanguageTable() = lang::IniTextFile();
    app::ConverterApp bare = Make();
    EXPECT_TRUE(Start(bare));
    EXPECT_EQ(lang::Text("MainDialog", "Stop"), "") << "no language files at all leave every text empty";
}

TEST_F(StartUp, SecondInstanceIsRefusedWithTheMessageOnly)
{
    app::ConverterApp first = Make();
    RecordingDialogs secondDialogs;
    bool secondRan = false;
    app::ConverterApp second(Program(), secondDialogs, [&] { secondRan = true; });
    bool firstRan = false;
    app::ConverterApp running(Program(), dialogs_, [&] {
        firstRan = true;
        EXPECT_EQ(second.Run(), 1);
    });
    running.Run();
    EXPECT_TRUE(firstRan);
    EXPECT_FALSE(secondRan);
    ASSERT_EQ(secondDialogs.shown.size(), 1u);
    EXPECT_EQ(secondDialogs.shown[0].text, "Already running.");
    EXPECT_EQ(secondDialogs.shown[0].caption, "My App");
    EXPECT_FALSE(secondDialogs.shown[0].question);
}

TEST_F(StartUp, SecondStartWithFilesHandsThemToTheRunningWindow)
{
    const std::vector<std::string> files{"/videos/a.avi", "/videos/b c.mkv"};
    for (const bool windowListens : {true, false}) {
        SCOPED_TRACE(windowListens);
        RecordingDialogs secondDialogs;
        bool secondRan = false;
        app::ConverterApp second(Program(), secondDialogs, [&] { secondRan = true; });
        std::optional<std::vector<std::string>> taken;
        app::ConverterApp running(Program(), dialogs_, [&] {
            platform::HandOverReceiver receiver;
            if (windowListens) {
                ASSERT_TRUE(receiver.Listen(app::HandOverSocketPath()));
            }
            auto window = std::async(std::launch::async, [&receiver] {
                pollfd sender{receiver.Descriptor(), POLLIN, 0};
                const bool sent = sender.fd >= 0 && ::poll(&sender, 1, 5000) == 1;
                return sent ? receiver.TakeOne() : std::nullopt;
            });
            EXPECT_EQ(second.Run(files), windowListens ? 0 : 1);
            taken = window.get();
        });
        EXPECT_EQ(running.Run(), 0);
        EXPECT_FALSE(secondRan);
        if (windowListens) {
            EXPECT_EQ(taken, files);
            EXPECT_TRUE(secondDialogs.shown.empty());
        } else {
            ASSERT_EQ(secondDialogs.shown.size(), 1u) << "without a window to take them, the refusal as before";
            EXPECT_EQ(secondDialogs.shown[0].text, "Already running.");
        }
    }
}

TEST_F(StartUp, ReadsTheShippedCatalogueAndClosingWritesTheSettings)
{
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    const profiles::ProfileCatalogue& catalogue = app::Settings().catalogue;
    ASSERT_GE(catalogue.Count(), 45);
    EXPECT_EQ(catalogue.Profile(0)->name, "Same as original video");
    EXPECT_FALSE(std::filesystem::exists(app::TempDirectory() + "dsp_datas.bin"));

    const ini::PrivateProfile saved(app::SettingsFilePath());
    for (const char* key : {"OutputFolder", "AddFilesInitDir", "DecodeEngine", "OutputFormat", "CPUUsage", "DiscLabel",
                            "LanguageFileName", "Volume", "DVDChapter", "psp_id", "pspavc_id"})
        EXPECT_TRUE(saved.HasKey("main", key)) << key;
    EXPECT_EQ(saved.SectionNames().size(), static_cast<std::size_t>(catalogue.Count()) + 1);
    EXPECT_EQ(saved.GetString("main", "OutputFolder", ""), folder_.Path() + "home/OutputFolder/");
    EXPECT_EQ(saved.GetInt(catalogue.Profile(catalogue.Count() - 1)->name, "showprofile", 0), 1);
}

// The reason is told once, through the front end's reporter, naming the
// file; nothing goes to standard output.
TEST_F(StartUp, UnreadableProfileDataEndsStartUpWithStatusOne)
{
    struct Case {
        const char* what;
        void (*spoil)(const std::string& program);
        const char* problem;
    };
    const Case cases[] = {
        {"missing", [](const std::string& program) { std::filesystem::remove(program + "dsp_data.dll"); },
         "is missing"},
        {"a folder", [](const std::string& program) {
             std::filesystem::remove(program + "dsp_data.dll");
             std::filesystem::create_directory(program + "dsp_data.dll");
         },
         "cannot be read"},
        {"no copy possible", [](const std::string&) {
             std::filesystem::create_directories(app::TempDirectory() + "dsp_datas.bin/x");
         },
         "cannot be unpacked into "},
        {"cut short", [](const std::string& program) { std::filesystem::resize_file(program + "dsp_data.dll", 3000); },
         "is damaged: it ends in the middle of line "},
        {"empty", [](const std::string& program) { std::filesystem::resize_file(program + "dsp_data.dll", 0); },
         "is damaged: it holds no profile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        folder.Write("prog/app.ini", "[main]\nAppName=My App\n");
        std::filesystem::copy_file(PROGRAM_DIR "dsp_data.dll", folder.Path() + "prog/dsp_data.dll");
        app::Application().appSharedName = "My_App";
        c.spoil(folder.Path() + "prog/");
        RecordingDialogs dialogs;
        bool ran = false;
        app::ConverterApp converter(folder.Path() + "prog/", dialogs, [&] { ran = true; });
        testing::internal::CaptureStdout();
        EXPECT_EQ(converter.Run(), 1);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_FALSE(ran);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const std::string lead = "The profile data file " + folder.Path() + "prog/dsp_data.dll " + c.problem;
        EXPECT_EQ(dialogs.shown[0].text.substr(0, lead.size()), lead);
        EXPECT_TRUE(dialogs.shown[0].text.ends_with(".")) << dialogs.shown[0].text;
        EXPECT_FALSE(std::filesystem::exists(app::SettingsFilePath()));
    }
}

TEST_F(StartUp, SettingsAndTheLockAreTheUsersAndNothingIsWrittenBesideTheProgram)
{
    const std::string defaultFolder = folder_.Path() + "home/.config/My App/";
    const struct {
        const char* configHome;  // XDG_CONFIG_HOME; nullptr: unset
        std::string folder;
    } cases[] = {
        {nullptr, defaultFolder},
        {"relative/ignored", defaultFolder},
        {"cfg", folder_.Path() + "cfg/My App/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        if (!c.configHome)
            ::unsetenv("XDG_CONFIG_HOME");
        else if (c.configHome[0] == 'c')
            ::setenv("XDG_CONFIG_HOME", (folder_.Path() + c.configHome).c_str(), 1);
        else
            ::setenv("XDG_CONFIG_HOME", c.configHome, 1);
        app::Settings() = app::SettingsStore();
        app::ConverterApp converter = Make();
        EXPECT_TRUE(Start(converter));
        struct stat info;
        ASSERT_EQ(::stat(c.folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        ASSERT_EQ(::stat((c.folder + "savedata.dll").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_TRUE(std::filesystem::exists(c.folder + "My App.lock"));
    }
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(testing_support::FileNames(Program()),
              (std::vector<std::string>{"Languages", "app.ini", "dsp_data.dll"}));
}

TEST_F(StartUp, APortableMarkerKeepsTheSettingsInTheProgramDirectory)
{
    folder_.Write("prog/portable", "");
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(app::SettingsFilePath(), Program() + "savedata.dll");
    EXPECT_TRUE(std::filesystem::exists(Program() + "savedata.dll"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "home/.config"));
}

TEST_F(StartUp, SettingsLeftBesideTheProgramAreAdoptedOnce)
{
    folder_.Write("prog/savedata.dll", "[main]\nOutputFolder=/first/\n");
    {
        app::ConverterApp converter = Make();
        EXPECT_TRUE(Start(converter));
        EXPECT_EQ(app::Settings().OutputFolder, "/first/");
    }
    const std::string adopted = folder_.Path() + "home/.config/My App/savedata.dll";
    struct stat info;
    ASSERT_EQ(::stat(adopted.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    folder_.Write("prog/savedata.dll", "[main]\nOutputFolder=/second/\n");
    app::Settings() = app::SettingsStore();
    app::ConverterApp next = Make();
    EXPECT_TRUE(Start(next));
    EXPECT_EQ(app::Settings().OutputFolder, "/first/") << "the user's own file is never replaced";
}
