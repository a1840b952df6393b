// The built window program killed in the middle of a job, then started
// again: it offers to resume and converts only what was left. The window
// driver plugin (tests/support/window_driver) plays the user.
#include "WidgetTest.h"

#include "app/UserFolders.h"
#include "engine/QueueFile.h"
#include "profiles/ProfileCatalogue.h"
#include "support/FakeEngine.h"
#include "support/SpawnProgram.h"

#include <QTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

using namespace widget_test;
using testing_support::FakeEngineScript;

namespace {

namespace fs = std::filesystem;

class QueueCrash : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        const std::string name = "Test Converter " + std::to_string(::getpid());
        app::Application().appName = name;
        folder_.Write("prog/app.ini", "[main]\nAppName=" + name + "\n");
        fs::copy_file(PROGRAM_DIR "diziv", Program() + "diziv");
        fs::copy_file(PROGRAM_DIR "dsp_data.dll", Program() + "dsp_data.dll");
        testing_support::InstallFakeEngine(Program());
        userFolder_ = app::UserDataDirectory();
        folder_.Write("home/.config/" + name + "/savedata.dll", "[main]\nOutputFolder=" + OutputFolder() +
                                                                     "\nOutputFormat=" + SlotOf("generic-mp4") +
                                                                     // One run at a time: row b runs alone when killed.
                                                                     "\nSimultaneousConversions=1\n");
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("QT_PLUGIN_PATH", DRIVER_PLUGIN_DIR, 1);
        ::setenv("QT_QPA_GENERIC_PLUGINS", "window_driver", 1);
    }

    void TearDown() override
    {
        for (const char* name : {"QT_PLUGIN_PATH", "QT_QPA_GENERIC_PLUGINS", "WINDOW_DRIVER_CONVERT_AT",
                                 "WINDOW_DRIVER_CLOSE_AFTER", "WINDOW_DRIVER_LOG"})
            ::unsetenv(name);
        WidgetTest::TearDown();
    }

    std::string OutputFolder() const { return folder_.Path() + "out/"; }

    // The catalogue slot of the shipped profile with that short name.
    std::string SlotOf(const std::string& shortName) const
    {
        profiles::ProfileCatalogue catalogue;
        EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue, Program() + "dsp_data.dll", folder_.Path() + "data.bin"),
                  "");
        for (int slot = 0; slot < catalogue.Count(); ++slot) {
            if (catalogue.Profile(slot)->profile_shortname == shortName) {
                return std::to_string(slot);
            }
        }
        ADD_FAILURE() << "no profile " << shortName;
        return "0";
    }
    std::string QueuePath() const { return userFolder_ + "queue.ini"; }

    pid_t Start(const std::string& output)
    {
        const pid_t pid = testing_support::SpawnProgram({Program() + "diziv"}, folder_.Path() + output);
        EXPECT_GT(pid, 0);
        return pid;
    }

    // Waits for the kept list to show what written tells; false after 30 s.
    bool AwaitKept(const std::function<bool(const engine::QueueState&)>& written)
    {
        return QTest::qWaitFor(
            [&] {
                const engine::QueueLoad load = engine::LoadQueue(QueuePath());
                return load.state && written(*load.state);
            },
            30000);
    }

    std::string userFolder_;
};

TEST_F(QueueCrash, AfterAKillTheNextStartResumesWithTheRowsThatWereLeft)
{
    engine::QueueState list;
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) {
        folder_.Write(name, "video");
        engine::SourceItem item = Clip(folder_.Path() + name);
        item.videoCodec = "mpeg4";
        item.audioCodec = "mp3";
        item.sampleRate = 44100;
        list.rows.push_back({item, true, "--", "", ""});
    }
    ASSERT_TRUE(engine::SaveQueue(QueuePath(), list));

    // Each run writes its partial file first, then takes a while.
    FakeEngineScript engine("write-output;sleep=1500;result=0");
    ::setenv("WINDOW_DRIVER_CONVERT_AT", "3", 1);
    const pid_t first = Start("first.out");
    std::string partial;
    const bool secondRowRuns = AwaitKept([&partial](const engine::QueueState& kept) {
        if (!kept.jobRunning || kept.rows.size() != 3 || kept.rows[1].runOutput.empty()) {
            return false;
        }
        partial = kept.rows[1].runOutput;
        return true;
    });
    if (secondRowRuns) {
        EXPECT_TRUE(QTest::qWaitFor([&partial] { return fs::exists(partial); }, 5000)) << partial;
    }
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    ASSERT_TRUE(secondRowRuns) << "the job never reached row b: " << folder_.Read("first.out")
                               << folder_.Read("home/.config/" + app::Application().appName + "/queue.ini");
    ASSERT_NE(partial.find("/.b."), std::string::npos) << partial;

    ::unsetenv("WINDOW_DRIVER_CONVERT_AT");
    ::setenv("WINDOW_DRIVER_LOG", (folder_.Path() + "boxes.txt").c_str(), 1);
    // The resume question and the box at the end of the job, then the window closes.
    ::setenv("WINDOW_DRIVER_CLOSE_AFTER", "2", 1);
    const pid_t second = Start("second.out");
    int status = -1;
    if (!QTest::qWaitFor([&] { return ::waitpid(second, &status, WNOHANG) == second; }, 60000)) {
        ::kill(second, SIGKILL);
        ::waitpid(second, &status, 0);
        ADD_FAILURE() << "the second start did not end: " << folder_.Read("second.out");
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << folder_.Read("second.out");

    const std::string boxes = folder_.Read("boxes.txt");
    EXPECT_EQ(boxes.rfind("The last conversion did not finish", 0), 0u) << boxes;
    EXPECT_NE(boxes.find("2 converted, 0 failed"), std::string::npos) << "only b and c: " << boxes;
    EXPECT_EQ(testing_support::FileNames(OutputFolder()), (std::vector<std::string>{"a.mp4", "b.mp4", "c.mp4"}));
    EXPECT_FALSE(fs::exists(partial));
    const engine::QueueLoad kept = engine::LoadQueue(QueuePath());
    ASSERT_TRUE(kept.state) << kept.error;
    EXPECT_FALSE(kept.state->jobRunning);
    ASSERT_EQ(kept.state->rows.size(), 3u);
    for (const engine::QueueRow& row : kept.state->rows) {
        EXPECT_FALSE(row.ticked) << row.item.path;
    }
}

}  // namespace
