#include "app/Application.h"
#include "app/ConverterApp.h"
#include "lang/IniTextFile.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::RecordingDialogs;
using testing_support::TestFolder;

namespace {

// A program directory with app.ini and two language files.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = app::Application();
        folder_.Write("prog/app.ini", "[main]\r\nAppName=My App\r\n");
        folder_.Write("prog/Languages/English.ini", "[MainDialog]\nOnly one instance=Already running.\nStop=Stop\n");
        folder_.Write("prog/Languages/German.ini", "[MainDialog]\nOnly one instance=Läuft schon.\nStop=Anhalten\n");
    }
    void TearDown() override { app::Application() = saved_; }

    std::string Program() const { return folder_.Path() + "prog/"; }

    // Runs start-up; returns whether the main window ran.
    bool Start(app::ConverterApp& converter, int expectedStatus = 0)
    {
        windowRan_ = false;
        EXPECT_EQ(converter.Run(), expectedStatus);
        return windowRan_;
    }
    app::ConverterApp Make() { return app::ConverterApp(Program(), dialogs_, [this] { windowRan_ = true; }); }

    TestFolder folder_;
    RecordingDialogs dialogs_;
    bool windowRan_ = false;
    app::ApplicationValues saved_;
};

}  // namespace

TEST_F(StartUp, NamesComeFromAppIni)
{
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(app::Application().appName, "My App");
    EXPECT_EQ(app::Application().appSharedName, "My_App");
    EXPECT_EQ(app::Application().programDirectory, Program());
    EXPECT_EQ(lang::Text("MainDialog", "Stop"), "Stop");
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(StartUp, MissingAppIniGivesErrorApp)
{
    std::filesystem::remove(Program() + "app.ini");
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(app::Application().appName, "ErrorApp");
    EXPECT_EQ(app::Application().appSharedName, "ErrorApp");
}

TEST_F(StartUp, LongAppNameIsCut)
{
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
        EXPECT_EQ(converter.LanguageFileName(), "German");
        EXPECT_EQ(lang::Text("MainDialog", "Stop"), "Anhalten");
    }
    EXPECT_FALSE(std::filesystem::exists(Program() + "InnoLanguage.ini"));
}

TEST_F(StartUp, LanguageWithoutFileFallsBackToEnglishButKeepsTheName)
{
    folder_.Write("prog/InnoLanguage.ini", "[DefaultLanguage]\nLanguage=Klingon\n");
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(converter.LanguageFileName(), "Klingon");
    EXPECT_EQ(lang::Text("MainDialog", "Stop"), "Stop");
}

TEST_F(StartUp, NoLanguageFilesLeaveEveryTextEmpty)
{
    std::filesystem::remove_all(Program() + "Languages");
    app::ConverterApp converter = Make();
    EXPECT_TRUE(Start(converter));
    EXPECT_EQ(lang::Text("MainDialog", "Stop"), "");
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
