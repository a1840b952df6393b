// Disc jobs from the first row to the finished disc, with the fake engine in
// place of every tool: the job's own working folder goes afterwards, and
// nothing the user keeps in the output folder does.
#include "app/Application.h"
#include "app/Utilities.h"
#include "disc/JobDiscSteps.h"
#include "engine/ConversionJob.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/JobView.h"
#include "engine/WorkingFolder.h"
#include "platform/Readiness.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace {

class QuietView : public engine::JobView {
public:
    void SetTicked(int, bool) override {}
    void SetStatus(int, const std::string&) override {}
    void SetReason(int, const std::string&) override {}
    void SetRunLog(int, const std::string&) override {}
    void OpenFolder(const std::string&) override {}
    void SetHotRow(int) override {}
    void ShowBusy(bool) override {}
    void RefreshTotals() override {}
    void ShowShutdownDialog(app::WhenDone) override {}
};

class DiscJobTest : public ::testing::Test {
protected:
    DiscJobTest() : savedApplication_(app::Application())
    {
        app::Application().appName = "Diziv Disc Job Test";
        app::Application().appSharedName = "Diziv_Disc_Job_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "program/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        block_.Open(app::Application().appSharedName, 0);
        disc::InstallDiscSteps(job_, block_, dialogs_);
    }
    ~DiscJobTest() override { app::Application() = savedApplication_; }

    engine::JobSpec Spec(const std::string& shortName, const std::string& extension) const
    {
        engine::JobSpec spec;
        spec.profile.profile_shortname = shortName;
        spec.profile.kind = profiles::ParseProfileKind(shortName);
        spec.profile.file_extname = extension;
        spec.profile.command1 = "-ovc lavc";
        spec.settings.outputFolder = Output();
        spec.settings.discLabel = "MyDisc";
        for (const char* name : {"a.avi", "b.avi"}) {
            engine::SourceItem item;
            item.path = folder_.Path() + name;
            item.duration = 10;
            item.trimEnd = 10;
            spec.rows.push_back({static_cast<int>(spec.rows.size()), item});
        }
        return spec;
    }

    void Run(engine::JobSpec spec)
    {
        job_.Start(std::move(spec));
        for (int turn = 0; job_.Busy() && turn < 2000; ++turn) {
            platform::WaitForReadable({launcher_.ExitDescriptor()}, engine::ConversionJob::kTickMs);
            job_.OnTick();
        }
        EXPECT_FALSE(job_.Busy());
    }

    std::string Output() const { return folder_.Path() + "out/"; }

    testing_support::TestFolder folder_;
    app::ApplicationValues savedApplication_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    engine::EngineStatusBlock block_;
    engine::EngineLauncher launcher_{block_, dialogs_, clock_};
    engine::ProgressReport progress_{clock_};
    engine::Disks disks_{[](const std::string&) { return std::int64_t{100000}; },
                         [] { return std::vector<std::string>{}; },
                         [](const std::string&) { return std::string("/"); }};
    QuietView view_;
    engine::ConversionJob job_{view_, block_, launcher_, dialogs_, progress_, ::getpid(), disks_};
};

}  // namespace

TEST_F(DiscJobTest, TheUsersFoldersOutliveTheDiscJob)
{
    const struct {
        const char* shortName;
        const char* extension;
        const char* script;
        std::vector<std::string> left;
    } cases[] = {
        {"disc-dvdimg", ".vob", "result=0", {"MyDisc", "__tempFolder__", "__tempFolder__x1Y2z3"}},
        {"disc-dvdimg", ".vob", "result=99", {"__tempFolder__", "__tempFolder__x1Y2z3"}},
        {"disc-vcdimg", ".mpg", "result=0", {"MyDisc", "__tempFolder__", "__tempFolder__x1Y2z3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shortName) + " " + c.script);
        std::filesystem::remove_all(Output());
        folder_.Write("out/__tempFolder__/mine.vob", "the user's");
        folder_.Write("out/__tempFolder__x1Y2z3/mine.vob", "the user's too");
        testing_support::FakeEngineScript script(c.script);
        Run(Spec(c.shortName, c.extension));
        EXPECT_EQ(testing_support::FileNames(Output()), c.left);
        EXPECT_EQ(folder_.Read("out/__tempFolder__/mine.vob"), "the user's");
        EXPECT_EQ(folder_.Read("out/__tempFolder__x1Y2z3/mine.vob"), "the user's too");
    }
}
