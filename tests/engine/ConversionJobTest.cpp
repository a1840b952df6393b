#include "engine/ConversionJob.h"

#include "app/Application.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/JobView.h"
#include "engine/WorkingFolder.h"
#include "lang/IniTextFile.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

using namespace engine;
using testing_support::FakeEngineScript;

namespace {

// The list and window as plain data.
class FakeView : public JobView {
public:
    struct Row {
        SourceItem item;
        bool ticked = true;
        std::string status = "--";
    };

    int RowCount() const override { return static_cast<int>(rows.size()); }
    const SourceItem& Item(int row) const override { return rows[row].item; }
    bool IsTicked(int row) const override { return rows[row].ticked; }
    void SetTicked(int row, bool ticked) override { rows[row].ticked = ticked; }
    void SetStatus(int row, const std::string& text) override { rows[row].status = text; }
    void SetHotRow(int row) override { hotRow = row; }
    void ShowBusy(bool busy) override { busyShown.push_back(busy); }
    void RefreshTotals() override {}
    void SaveMainWindowState() override { ++saves; }
    int CheckDiscLabel() override { return 1; }
    std::string OutputFolder() const override { return outputFolder; }
    int TotalMinutes() const override { return 1; }
    int DiscCapacityMinutes() const override { return 60; }
    void ShowShutdownDialog() override { ++shutdownDialogs; }
    void PumpMessages() override
    {
        if (onPump)
            onPump();
    }

    std::vector<Row> rows;
    std::string outputFolder;
    int hotRow = -1;
    std::vector<bool> busyShown;
    int saves = 0;
    int shutdownDialogs = 0;
    std::function<void()> onPump;
};

class JobTest : public ::testing::Test {
protected:
    JobTest() : saved_(app::Application())
    {
        app::Application().appName = "Job Test";
        app::Application().appSharedName = "Job_Test_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "prog/";
        app::Application().product.applicationName = "Diziv Video Converter";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        block_.Open(app::Application().appSharedName, 0);
        app::Settings() = app::SettingsStore();
        profiles::OutputProfile profile;
        profile.name = "MP4";
        profile.profile_shortname = "generic-mp4";
        profile.file_extname = ".mp4";
        profile.command1 = "-oac copy -ovc copy __output_format__";
        profile.joincmd = "-oac copy -ovc copy";
        app::Settings().catalogue.Add(profile);
        app::Settings().OutputFormat = 0;
        view_.outputFolder = folder_.Path() + "out/";
        for (const char* name : {"a", "b", "c"}) {
            FakeView::Row row;
            row.item.path = folder_.Path() + name + ".avi";
            row.item.duration = 10;
            row.item.trimEnd = 10;
            view_.rows.push_back(row);
        }
        for (const char* key : {"Status OK", "Status Fail", "Status Abortive", "Mission accomplished",
                                "Aborted by user", "Fail to join", "One video at least", "Are you sure"})
            lang::LanguageTable().SetValue("MainDialog", key, key, true);
    }
    ~JobTest() override
    {
        app::Application() = saved_;
        app::Settings() = app::SettingsStore();
    }

    std::vector<std::string> Statuses() const
    {
        std::vector<std::string> statuses;
        for (const auto& row : view_.rows)
            statuses.push_back(row.status);
        return statuses;
    }
    std::vector<bool> Ticks() const
    {
        std::vector<bool> ticks;
        for (const auto& row : view_.rows)
            ticks.push_back(row.ticked);
        return ticks;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs_.shown)
            texts.push_back(shown.text);
        return texts;
    }

    testing_support::TestFolder folder_;
    app::ApplicationValues saved_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    EngineStatusBlock block_;
    EngineLauncher launcher_{block_, dialogs_, clock_};
    ProgressReport progress_{clock_};
    FakeView view_;
    Disks disks_ = Disks::System();
    ConversionJob job_{view_, block_, launcher_, dialogs_, progress_, 1, disks_};
};

}  // namespace

TEST_F(JobTest, AFailedMiddleRowDoesNotStopTheOthers)
{
    FakeEngineScript script("result=0;only-if=/b.avi;result=99");
    job_.OnConvert();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Status OK", "Status Fail", "Status OK"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Mission accomplished      "});
    EXPECT_EQ(view_.busyShown, (std::vector<bool>{true, false}));
    EXPECT_EQ(view_.saves, 1);
    EXPECT_FALSE(job_.Busy());
}

TEST_F(JobTest, AFailedLastRowEndsWithoutAMessage)
{
    FakeEngineScript script("result=0;only-if=/c.avi;result=1");
    job_.OnConvert();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Status OK", "Status OK", "Status Fail"}));
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(JobTest, StopDuringTheSecondRow)
{
    FakeEngineScript script("result=0;only-if=/b.avi;wait-abort");
    int asked = 0;
    view_.onPump = [&] {
        if (view_.hotRow == 1 && asked++ == 0) {
            dialogs_.Answer(false);
            job_.OnStop();  // Cancel changes nothing
            dialogs_.Answer(true);
            job_.OnStop();
        }
    };
    job_.OnConvert();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Status OK", "Status Abortive", "--"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, true}));
    ASSERT_EQ(dialogs_.shown.size(), 3u);
    EXPECT_EQ(dialogs_.shown[0].caption, "Warning");
    EXPECT_EQ(dialogs_.shown[2].text, "\n      Aborted by user      \n");
}

TEST_F(JobTest, NothingTickedAndNothingSelected)
{
    for (auto& row : view_.rows)
        row.ticked = false;
    job_.OnConvert();
    EXPECT_EQ(Texts(), std::vector<std::string>{"\n        One video at least          \n\n"});
    EXPECT_TRUE(view_.busyShown.empty());

    app::Settings().OutputFormat = -1;
    job_.OnConvert();
    EXPECT_EQ(dialogs_.shown.back().text, "Failed to get output format settings. ");
}

TEST_F(JobTest, MissingEncoderEndsTheJobAndLeavesNoWorkingFolder)
{
    app::Application().product.applicationName = "Diziv Udozir Video Joiner";
    std::filesystem::remove(app::ProgramDirectory() + "avm");
    job_.OnConvert();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].text.find("Error! Failed to load"), std::string::npos);
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"--", "--", "--"}));
    EXPECT_FALSE(job_.Busy());
    EXPECT_FALSE(std::filesystem::exists(view_.outputFolder + "__tempFolder__"));
}

TEST_F(JobTest, JoinerStopsAtTheFirstFailure)
{
    app::Application().product.applicationName = "Diziv Udozir Video Joiner";
    FakeEngineScript script("result=0;only-if=/b.avi;result=99");
    job_.OnConvert();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Status OK", "Status Fail", "--"}));
    EXPECT_EQ(Texts(), std::vector<std::string>{"\n  Fail to join  \n\n"});
    EXPECT_FALSE(std::filesystem::exists(view_.outputFolder + "__tempFolder__")) << "the working folder is removed";
}

TEST_F(JobTest, AutomaticShutdownReplacesTheFinalMessage)
{
    app::Settings().autoShutdown = 1;
    FakeEngineScript script("result=0");
    job_.OnConvert();
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(view_.shutdownDialogs, 1);
}
