// The probe pool with the fake engine standing in for the encoder: several
// runs at once, the outcomes in the order of the files, each file's
// refusals with its own reason, and Cancel.
#include "engine/ProbePool.h"

#include "app/Application.h"
#include "app/Utilities.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/ProcessScan.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <ostream>
#include <thread>

using namespace engine;
using testing_support::FakeEngineScript;

namespace app {

// Notices in failure messages: the message number and its values.
void PrintTo(const Notice& notice, std::ostream* out)
{
    *out << "notice " << static_cast<int>(notice.id);
    for (const std::string& value : notice.args)
        *out << " \"" << value << "\"";
}

}  // namespace app

namespace {

// Every run logs the file it was given and writes facts; only a file named
// "*good*" is read, after a while. Decode scripts are not.
constexpr char kSlowGood[] = "say-last=cannot read;facts=640,480,10,0,128;tracks=1,0;only-if=good;sleep=300;result=0";

class ProbePoolTest : public ::testing::Test {
protected:
    ProbePoolTest() : saved_(app::Application())
    {
        app::Application().appName = "Pool App";
        app::Application().appSharedName = "Pool_App_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "prog/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        pool_ = std::make_unique<ProbePool>(app::Application().appSharedName, dialogs_, ::getpid(), clock_);
    }
    ~ProbePoolTest() override
    {
        pool_.reset();
        testing_support::KillProcessesHolding(app::ProgramDirectory());
        app::Application() = saved_;
    }

    std::vector<std::string> Sources(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            folder_.Write("videos/" + name, std::string(4096, 'x'));
            paths.push_back(folder_.Path() + "videos/" + name);
        }
        return paths;
    }

    // Waits for every outcome, taking them as they come.
    std::vector<ProbeOutcome> WaitAndTake(const std::function<void()>& between = [] {})
    {
        std::vector<ProbeOutcome> taken;
        const auto take = [&] {
            for (ProbeOutcome& outcome : pool_->TakeReady())
                taken.push_back(std::move(outcome));
        };
        pool_->WaitAll([&] {
            between();
            take();
        });
        take();
        return taken;
    }

    // What runs of this program left: records, logs, scripts.
    std::vector<std::string> LeftBehind() const
    {
        std::vector<std::string> left;
        for (const std::string& name : testing_support::FileNames("/dev/shm/")) {
            if (name.rfind(app::Application().appSharedName + ".", 0) == 0) {
                left.push_back(name);
            }
        }
        for (const std::string& name : testing_support::FileNames(app::TempDirectory())) {
            left.push_back(name);
        }
        return left;
    }

    testing_support::TestFolder folder_;
    app::ApplicationValues saved_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    std::unique_ptr<ProbePool> pool_;
};

}  // namespace

// The slow good files finish after the bad ones behind them; still every
// outcome comes in the order of the files, each refusal names its own file
// (each run has a log of its own), probes at once have decode scripts of
// their own, and the file shown as current is the earliest one running.
TEST_F(ProbePoolTest, OutcomesComeInFileOrderWithEachFilesOwnReason)
{
    FakeEngineScript script(kSlowGood);
    const std::vector<std::string> paths = Sources({"good 1.avi", "bad 2.avi", "bad 3.avi", "good 4.avi", "bad 5.avi"});
    for (app::DecodeEngine decoder : {app::DecodeEngine::BuiltIn, app::DecodeEngine::Auto}) {
        SCOPED_TRACE(decoder == app::DecodeEngine::Auto ? "Auto" : "BuiltIn");
        pool_->Start(paths, decoder, 3);
        EXPECT_EQ(pool_->Total(), 5u);
        std::vector<std::size_t> current;  // positions of the files shown as current
        std::vector<ProbeOutcome> outcomes = WaitAndTake([&] {
            const auto at = std::find(paths.begin(), paths.end(), pool_->CurrentPath());
            if (at != paths.end()) {
                current.push_back(static_cast<std::size_t>(at - paths.begin()));
            }
        });
        EXPECT_FALSE(pool_->Busy());
        EXPECT_EQ(pool_->Done(), 5u);
        ASSERT_FALSE(current.empty());
        EXPECT_EQ(current.front(), 0u);
        EXPECT_TRUE(std::is_sorted(current.begin(), current.end())) << "the current file never goes back";

        ASSERT_EQ(outcomes.size(), paths.size());
        std::vector<std::string> scripts(paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            SCOPED_TRACE(paths[i]);
            const ProbeOutcome& outcome = outcomes[i];
            EXPECT_EQ(outcome.path, paths[i]);
            if (paths[i].find("good") != std::string::npos) {
                ASSERT_TRUE(outcome.item.has_value());
                EXPECT_EQ(outcome.item->path, paths[i]);
                EXPECT_EQ(outcome.item->width, 640);
                EXPECT_TRUE(outcome.refusals.empty());
                EXPECT_EQ(outcome.runs.size(), 1u);
                continue;
            }
            EXPECT_FALSE(outcome.item.has_value());
            const app::NoticeId refusal = decoder == app::DecodeEngine::Auto ? app::NoticeId::VideoUnreadable
                                                                             : app::NoticeId::VideoUnreadableByDecoder;
            EXPECT_EQ(outcome.refusals,
                      std::vector<app::Notice>{app::Notice(refusal, {paths[i], "cannot read " + paths[i]})});
            // Auto tries the decode script after the direct read.
            ASSERT_EQ(outcome.runs.size(), decoder == app::DecodeEngine::Auto ? 2u : 1u);
            EXPECT_EQ(outcome.runs[0].arguments.back(), paths[i]);
            EXPECT_NE(outcome.runs[0].log.find("cannot read " + paths[i]), std::string::npos) << outcome.runs[0].log;
            scripts[i] = outcome.runs.back().arguments.back();
        }
        if (decoder == app::DecodeEngine::Auto) {
            EXPECT_NE(scripts[1], scripts[2]) << "bad 2 and bad 3 are probed at once";
        }
        EXPECT_TRUE(dialogs_.shown.empty()) << "refusals are gathered, not shown";
        EXPECT_EQ(LeftBehind(), std::vector<std::string>{});
    }
}

// Every refusal of a probe is gathered, the file checks made before any
// run and a tool that cannot be loaded included.
TEST_F(ProbePoolTest, RefusalsAreGatheredInOrder)
{
    FakeEngineScript script(kSlowGood);
    const std::vector<std::string> paths = Sources({"good.avi"});
    folder_.Write("videos/tiny.avi", std::string(1023, 'x'));
    const std::string tiny = folder_.Path() + "videos/tiny.avi", gone = folder_.Path() + "videos/gone.avi";
    pool_->Start({gone, paths[0], tiny}, app::DecodeEngine::Auto, 2);
    std::vector<ProbeOutcome> outcomes = WaitAndTake();
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[0].refusals, std::vector<app::Notice>{app::Notice(app::NoticeId::SourceNotFound, {gone})});
    EXPECT_TRUE(outcomes[1].item.has_value());
    EXPECT_EQ(outcomes[2].refusals, std::vector<app::Notice>{app::Notice(app::NoticeId::FileTooSmall, {tiny})});

    app::Application().programDirectory = folder_.Path() + "no tools/";
    const std::string tool = folder_.Path() + "no tools/avm";
    pool_->Start(paths, app::DecodeEngine::Auto, 2);
    outcomes = WaitAndTake();
    ASSERT_EQ(outcomes.size(), 1u);
    const std::vector<app::Notice> expected = {{app::NoticeId::ToolNotLoaded, {tool}},
                                               {app::NoticeId::ToolNotLoaded, {tool}},
                                               {app::NoticeId::VideoUnreadable, {paths[0], ""}}};
    EXPECT_EQ(outcomes[0].refusals, expected);
    EXPECT_TRUE(dialogs_.shown.empty());
}

// Cancel ends the runs (killing one that ignores SIGTERM after the grace),
// keeps what had finished and drops the rest; nothing is left behind, and
// the pool starts again afterwards.
TEST_F(ProbePoolTest, CancelKeepsTheFinishedOutcomesAndLeavesNothingBehind)
{
    FakeEngineScript script("facts=640,480,10,0,128;result=0;only-if=hang;hang");
    const std::vector<std::string> paths = Sources({"ok 1.avi", "hang 2.avi", "ok 3.avi", "hang 4.avi", "ok 5.avi"});
    pool_->Start(paths, app::DecodeEngine::Auto, 2);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pool_->Done() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        pool_->OnToolEvent();
    }
    ASSERT_EQ(pool_->Done(), 2u) << "ok 1 and ok 3 are probed";
    std::vector<ProbeOutcome> before = pool_->TakeReady();
    ASSERT_EQ(before.size(), 1u) << "ok 3 waits behind hang 2";
    EXPECT_EQ(before[0].path, paths[0]);
    EXPECT_EQ(pool_->CurrentPath(), paths[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the fakes reach their hang step

    pool_->Cancel();
    EXPECT_EQ(pool_->CurrentPath(), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    pool_->OnToolEvent();
    EXPECT_TRUE(pool_->Busy()) << "SIGTERM is ignored";
    clock_.Advance(ProbePool::kCancelGraceMs);
    std::vector<ProbeOutcome> after = WaitAndTake();
    EXPECT_FALSE(pool_->Busy());
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].path, paths[2]);
    EXPECT_TRUE(after[0].item.has_value());
    EXPECT_TRUE(pool_->TakeReady().empty()) << "each outcome is given once, the dropped ones never";
    EXPECT_EQ(pool_->Done(), 2u);
    EXPECT_TRUE(testing_support::AwaitNoProcessHolding(app::ProgramDirectory(), std::chrono::seconds(2)));
    EXPECT_EQ(LeftBehind(), std::vector<std::string>{});

    pool_->Start({paths[0]}, app::DecodeEngine::Auto, 2);
    std::vector<ProbeOutcome> again = WaitAndTake();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(again[0].item.has_value());
}
