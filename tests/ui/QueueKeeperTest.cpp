// The source list kept across closing the window, a damaged list file, and
// the offer to resume a job the program did not finish.
#include "JobWindowFixture.h"

#include "app/SettingsStore.h"
#include "controls/CRangeSlider.h"
#include "engine/QueueFile.h"
#include "support/FakeEngine.h"
#include "support/ProcessScan.h"
#include "ui/QueueKeeper.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>

using namespace widget_test;
using testing_support::FakeEngineScript;

namespace {

namespace fs = std::filesystem;

class QueueKeeperTest : public JobWindow {
protected:
    void SetUp() override
    {
        JobWindow::SetUp();
        testing_support::InstallFakeEngine(Program());
        LoadProfiles(std::string(SOURCE_DIR) + "data/profiles.ini");
        slot_ = SlotOf("generic-mp4");
        // The font of the default charset, which Properties checks on OK.
        folder_.Write("prog/system/fonts/ARIAL.TTF", "");
    }

    void TearDown() override
    {
        keeper_.reset();
        JobWindow::TearDown();
    }

    std::string QueuePath() const { return folder_.Path() + "queue.ini"; }

    // Closes the window as the user does, then opens a new one that
    // restores the kept list.
    void Reopen()
    {
        if (window_) {
            window_->close();
        }
        keeper_.reset();
        Open(slot_);
        keeper_ = std::make_unique<ui::QueueKeeper>(*window_, dialogs_, QueuePath());
        keeper_->Restore();
    }

    // A source file that exists, as a probe describes it.
    engine::SourceItem Source(const std::string& name)
    {
        folder_.Write(name, "video");
        engine::SourceItem item = Clip(folder_.Path() + name);
        item.videoCodec = "mpeg4";
        item.audioCodec = "mp3";
        item.sampleRate = 44100;
        return item;
    }

    engine::QueueState Kept() const
    {
        const engine::QueueLoad load = engine::LoadQueue(QueuePath());
        EXPECT_TRUE(load.state) << load.error;
        return load.state.value_or(engine::QueueState{});
    }

    // Waits until a change has been written.
    void AwaitSaved(const std::function<bool(const engine::QueueState&)>& written)
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const engine::QueueLoad load = engine::LoadQueue(QueuePath());
                return load.state && written(*load.state);
            },
            5000))
            << "not written: " << folder_.Read("queue.ini");
    }

    // a done and unticked; b cut short while it wrote its partial file; c waiting.
    std::string KeepInterruptedJob()
    {
        const std::string partial =
            OutputFolder() + ".b.mp4." + testing_support::UserAndProcess(testing_support::EndedProcessId()) + ".part";
        folder_.Write("out/" + partial.substr(OutputFolder().size()), "half");
        engine::QueueState state;
        state.jobRunning = true;
        state.rows = {{Source("a.avi"), false, "Done", "", ""},
                      {Source("b.avi"), true, "--", "", partial},
                      {Source("c.avi"), true, "--", "", ""}};
        EXPECT_TRUE(engine::SaveQueue(QueuePath(), state));
        return partial;
    }

    int slot_ = -1;
    std::unique_ptr<ui::QueueKeeper> keeper_;
};

const char kResume[] =
    "The last conversion did not finish: the program ended while it ran. Resume it now? Files already converted are "
    "not converted again.";

TEST_F(QueueKeeperTest, TicksTrimsAndTrackChoicesSurviveClosingAndReopeningTheWindow)
{
    Reopen();
    engine::SourceItem tracked = Source("one.avi");
    tracked.tracks[0] = {engine::kTrackAudio, 128, "eng", ""};
    tracked.tracks[1] = {engine::kTrackAudio, 129, "fre", "Kommentar"};
    tracked.audioTrack = 0;
    window_->AppendSource(tracked);
    window_->AppendSource(Source("two \"quoted\" =;.avi"));
    window_->AppendSource(Source("-drei ä.avi"));

    // Unticked with a click in its box, trimmed and given another track through the dialogs.
    QAbstractItemModel* rows = ListView(window_.get())->model();
    rows->setData(rows->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
    SelectRows(window_.get(), {2});
    OnNextModal([](QWidget* modal) {
        auto* slider = Find<CRangeSlider>(modal, "slider");
        slider->SetLeftRight(2, 7);
        Q_EMIT slider->rangeChanged(3);
        QTest::mouseClick(Find<QPushButton>(modal, "saveButton"), Qt::LeftButton);
    });
    window_->RunCommand(ui::Command::SplitVideo);
    AwaitSaved([](const engine::QueueState& kept) { return kept.rows.size() == 3 && kept.rows[2].item.trimEnd == 7; });
    SelectRows(window_.get(), {0});
    OnNextModal([](QWidget* modal) {
        Find<QComboBox>(modal, "audioTrackList")->setCurrentIndex(1);
        QTest::mouseClick(Find<QPushButton>(modal, "okButton"), Qt::LeftButton);
    });
    window_->RunCommand(ui::Command::Properties);
    ASSERT_EQ(window_->SourceAt(0).audioTrack, 1);
    AwaitSaved([](const engine::QueueState& kept) {
        return kept.rows.size() == 3 && kept.rows[0].item.audioTrack == 1;
    });
    // Kept only by the write when the window closes.
    window_->SetRowStatus(2, "Failed");

    Reopen();
    EXPECT_EQ(Column(window_.get(), 0), (std::vector<std::string>{folder_.Path() + "one.avi",
                                                                  folder_.Path() + "two \"quoted\" =;.avi",
                                                                  folder_.Path() + "-drei ä.avi"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(Column(window_.get(), 2), (std::vector<std::string>{"00:00:00", "00:00:00", "00:00:02"}));
    EXPECT_EQ(Column(window_.get(), 3), (std::vector<std::string>{"00:00:10", "00:00:10", "00:00:07"}));
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"--", "--", "Failed"}));
    EXPECT_EQ(window_->SourceAt(0).audioTrack, 1);
    EXPECT_STREQ(window_->SourceAt(0).tracks[1].title, "Kommentar");
    EXPECT_EQ(window_->SourceAt(0).width, 160) << "the probed facts come back without a probe";
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(QueueKeeperTest, ABurstOfChangesIsWrittenOnceItIsOver)
{
    Reopen();
    for (int i = 0; i < 200; ++i)
        window_->AppendSource(Source("clip" + std::to_string(i) + ".avi"));
    EXPECT_FALSE(fs::exists(QueuePath())) << "nothing is written while the rows arrive";
    AwaitSaved([](const engine::QueueState& kept) { return kept.rows.size() == 200; });
}

TEST_F(QueueKeeperTest, AFileThatIsGoneIsDroppedAndNamed)
{
    engine::QueueState state;
    state.rows = {{Source("here.avi"), true, "--", "", ""},
                  {Clip(folder_.Path() + "gone.avi"), true, "--", "", ""},
                  {Source("also here.avi"), false, "--", "", ""}};
    ASSERT_TRUE(engine::SaveQueue(QueuePath(), state));
    Reopen();
    EXPECT_EQ(Column(window_.get(), 0),
              (std::vector<std::string>{folder_.Path() + "here.avi", folder_.Path() + "also here.avi"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "These files of the kept source list no longer exist and were taken off the list:\n" +
                              folder_.Path() + "gone.avi"}));
    AwaitSaved([](const engine::QueueState& kept) { return kept.rows.size() == 2; });
}

TEST_F(QueueKeeperTest, ADamagedFileIsToldAboutSetAsideAndTheListStartsEmpty)
{
    engine::QueueState state;
    state.rows = {{Source("a.avi"), true, "--", "", ""}, {Source("b.avi"), true, "--", "", ""}};
    const std::string whole = engine::FormatQueue(state);
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"garbage", std::string("\0\x01\x02 not a list at all", 21)},
        {"cut short", whole.substr(0, whole.size() * 2 / 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder_.Write("queue.ini", c.text);
        Reopen();
        EXPECT_EQ(window_->SourceCount(), 0);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"The source list kept from the last run could not be read: " +
                                                        QueuePath() + " is damaged or cut short. The list starts "
                                                        "empty; the file was kept as " + QueuePath() + ".bad."}));
        EXPECT_EQ(folder_.Read("queue.ini.bad"), c.text);
        window_->AppendSource(Source("new.avi"));
        AwaitSaved([](const engine::QueueState& kept) { return kept.rows.size() == 1; });
    }
}

TEST_F(QueueKeeperTest, WithTheSettingOffNoListIsReadOrKept)
{
    engine::QueueState state;
    state.rows = {{Source("a.avi"), true, "--", "", ""}};
    ASSERT_TRUE(engine::SaveQueue(QueuePath(), state));
    app::Settings().KeepSourceList = 0;
    Reopen();
    EXPECT_EQ(window_->SourceCount(), 0);
    window_->AppendSource(Source("b.avi"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !fs::exists(QueuePath()); }, 5000)) << "the old list is not left behind";
}

TEST_F(QueueKeeperTest, WhileAJobRunsTheFileNamesItAndTheOutputOfTheRunningRow)
{
    Reopen();
    for (const char* name : {"a.avi", "b.avi"})
        window_->AppendSource(Source(name));
    FakeEngineScript script("write-output;sleep=300;result=0");
    std::vector<engine::QueueState> seen;
    WhileRunning([&] { seen.push_back(Kept()); });
    Convert();

    bool markedRunningB = false;
    for (const engine::QueueState& kept : seen) {
        if (kept.jobRunning && kept.rows.size() == 2 && kept.rows[1].runOutput.find(".b.mp4.") != std::string::npos) {
            markedRunningB = true;
        }
    }
    EXPECT_TRUE(markedRunningB) << "row b was never kept as running";
    AwaitSaved([](const engine::QueueState& kept) {
        return !kept.jobRunning && kept.rows.size() == 2 && kept.rows[0].runOutput.empty() &&
               kept.rows[1].runOutput.empty() && !kept.rows[0].ticked && !kept.rows[1].ticked;
    });
}

TEST_F(QueueKeeperTest, AcceptingTheResumeConvertsTheRowsLeftAndRemovesThePartialOutput)
{
    const std::string partial = KeepInterruptedJob();
    FakeEngineScript script("write-output;result=0");
    dialogs_.Answer(true);
    Reopen();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !job_->Busy(); }, 60000));

    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().front(), kResume);
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Done", "Done", "Done"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"b.mp4", "c.mp4"})) << "a is not converted again";
    EXPECT_FALSE(fs::exists(partial));
    AwaitSaved([](const engine::QueueState& kept) { return !kept.jobRunning; });
}

TEST_F(QueueKeeperTest, DecliningTheResumeKeepsTheListAndForgetsTheJob)
{
    const std::string partial = KeepInterruptedJob();
    dialogs_.Answer(false);
    Reopen();
    EXPECT_EQ(Messages(), std::vector<std::string>{kResume});
    EXPECT_FALSE(job_->Busy());
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Done", "--", "--"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(fs::exists(partial)) << "the run that wrote it is gone";
    EXPECT_FALSE(Kept().jobRunning);

    dialogs_.shown.clear();
    Reopen();
    EXPECT_TRUE(dialogs_.shown.empty()) << "asked once only";
    EXPECT_EQ(window_->SourceCount(), 3);
}

}  // namespace
