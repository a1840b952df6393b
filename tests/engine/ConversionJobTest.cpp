// The conversion job without a window: rows, failures, stop, join and the
// disc step, with the fake engine acting out each tool run.
#include "engine/ConversionJob.h"

#include "app/Application.h"
#include "app/Utilities.h"
#include "engine/EngineLauncher.h"
#include "engine/JobView.h"
#include "engine/WorkingFolder.h"
#include "lang/IniTextFile.h"
#include "platform/Readiness.h"
#include "profiles/ProfileKind.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>

using namespace engine;
using testing_support::FakeEngineScript;

namespace {

class RecordingView : public JobView {
public:
    void SetTicked(int row, bool ticked) override { Add("tick " + std::to_string(row) + (ticked ? " on" : " off")); }
    void SetStatus(int row, const std::string& text) override { Add("status " + std::to_string(row) + " " + text); }
    void SetHotRow(int row) override { Add("hot " + std::to_string(row)); }
    void ShowBusy(bool busy) override { Add(busy ? "busy" : "idle"); }
    void RefreshTotals() override { Add("totals"); }
    void ShowShutdownDialog(app::WhenDone action) override
    {
        Add("when done " + std::to_string(static_cast<int>(action)));
    }
    void OpenFolder(const std::string& folder) override { Add("open " + folder); }
    // Kept apart from the events: the job clears them at its start.
    void SetReason(int row, const std::string& reason) override { reasons[row] = reason; }
    void SetRunLog(int row, const std::string& logPath) override { logs[row] = logPath; }
    void RunStarted(int row, const std::string&) override { runs.push_back("start " + std::to_string(row)); }
    void RunEnded(int row) override { runs.push_back("end " + std::to_string(row)); }

    std::vector<std::string> events;
    std::vector<std::string> runs;  // starts and ends of the rows' runs, in order
    std::map<int, std::string> reasons;
    std::map<int, std::string> logs;

private:
    void Add(std::string event) { events.push_back(std::move(event)); }
};

// Runs the steps it was given; records that it was asked each time.
class ScriptedSteps : public ToolSequence {
public:
    ScriptedSteps(std::vector<ToolCommand> runs, RecordingView& view) : runs_(std::move(runs)), view_(view) {}
    std::optional<ToolCommand> Next() override
    {
        view_.events.push_back("disc step");
        if (next_ == runs_.size())
            return std::nullopt;
        return runs_[next_++];
    }

private:
    std::vector<ToolCommand> runs_;
    std::size_t next_ = 0;
    RecordingView& view_;
};

class ConversionJobTest : public ::testing::Test {
protected:
    ConversionJobTest() : savedApplication_(app::Application())
    {
        app::Application().appName = "Diziv Test";
        app::Application().appSharedName = "Diziv_Job_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "program/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        block_.Open(app::Application().appSharedName, 0);
        for (auto [key, text] :
             {std::pair{"Status OK", "Done"}, {"Status Copied", "Done (copied)"}, {"Status Fail", "Failed"},
              {"Status Abortive", "Aborted"},
              {"Mission accomplished", "Finished."}, {"Aborted by user", "Stopped."}, {"Fail to join", "Join failed."},
              {"Job counts", "%1 converted, %2 failed"}, {"Job partly failed", "Some failed."},
              {"Not converted", "Not converted:"}, {"And more", "and %1 more"}, {"Output made", "Made:"},
              {"Open output folder", "Open"}, {"No reason", "No reason given."}, {"VCD image failed", "VCD failed."}})
            lang::LanguageTable().SetValue("MainDialog", key, text, true);
    }
    ~ConversionJobTest() override
    {
        lang::LanguageTable() = lang::IniTextFile();
        app::Application() = savedApplication_;
    }

    JobSpec Spec(const std::string& shortName, const std::vector<std::string>& names, bool joiner = false)
    {
        JobSpec spec;
        spec.profile.profile_shortname = shortName;
        spec.profile.kind = profiles::ParseProfileKind(shortName);
        spec.profile.file_extname = ".mp4";
        spec.profile.command1 = "-ovc lavc";
        spec.profile.joincmd = "-ovc copy";
        spec.settings.outputFolder = folder_.Path() + "out/";
        spec.settings.discLabel = "MyDisc";
        spec.joinerMode = joiner;
        for (const std::string& name : names) {
            SourceItem item;
            item.path = folder_.Path() + name;
            item.duration = 10;
            item.trimEnd = 10;
            spec.rows.push_back({static_cast<int>(spec.rows.size()) + 2, item});
        }
        return spec;
    }

    // Starts the job and drives it as a front end's event loop does.
    void Run(JobSpec spec, const std::function<void()>& whileBusy = [] {})
    {
        job_.Start(std::move(spec));
        for (int turn = 0; job_.Busy() && turn < 2000; ++turn) {
            platform::WaitForReadable(job_.ExitDescriptors(), ConversionJob::kTickMs);
            whileBusy();
            job_.OnTick();
        }
        EXPECT_FALSE(job_.Busy());
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs_.shown)
            texts.push_back(shown.text);
        return texts;
    }

    testing_support::TestFolder folder_;
    app::ApplicationValues savedApplication_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    EngineStatusBlock block_;
    EngineLauncher launcher_{block_, dialogs_, clock_};
    ProgressReport progress_{clock_};
    Disks disks_{[](const std::string&) { return std::int64_t{100000}; }, [] { return std::vector<std::string>{}; },
                 [](const std::string&) { return std::string("/"); }};
    RecordingView view_;
    ConversionJob job_{view_, block_, launcher_, dialogs_, progress_, ::getpid(), disks_};
};

}  // namespace

// A failed row keeps its tick, so that converting again retries exactly
// the failed rows, and tells why it failed.
TEST_F(ConversionJobTest, RowsRunInTurnAndAFailedRowDoesNotStopTheOthers)
{
    FakeEngineScript script("say=cannot open the input;only-if=-ok.avi;write-output;result=0");
    Run(Spec("generic-mp4", {"a-ok.avi", "b.avi", "c-ok.avi"}));
    EXPECT_EQ(view_.events, (std::vector<std::string>{
                                "status 2 --", "status 3 --", "status 4 --", "busy",                //
                                "hot 2", "hot -1", "tick 2 off", "status 2 Done",                  //
                                "hot 3", "hot -1", "status 3 Failed",                              //
                                "hot 4", "hot -1", "tick 4 off", "status 4 Done", "idle"}));
    EXPECT_EQ(view_.reasons, (std::map<int, std::string>{{2, ""}, {3, "cannot open the input"}, {4, ""}}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Some failed.\n\n2 converted, 1 failed\n\nNot converted:\nb.avi"});
    EXPECT_EQ(testing_support::FileNames(folder_.Path() + "out/"), (std::vector<std::string>{"a-ok.mp4", "c-ok.mp4"}))
        << "the finished files under their final names, and nothing else";
}

// A row whose picture already fits is copied and says so; the next row,
// which does not fit, is encoded as before.
TEST_F(ConversionJobTest, ARowWhosePictureFitsIsCopiedAndSaysSo)
{
    const std::string argv = folder_.Path() + "argv";
    JobSpec spec = Spec("generic-mp4", {"fits.mp4", "other.mp4"});
    spec.profile.command1 = "-ovc x264 -x264encopts bitrate=__video_bitrate__ -vf scale=__video_size__ -nosound";
    spec.profile.video_bitrate.numbers = {1000};
    for (JobRow& row : spec.rows) {
        row.item.videoCodec = "h264";
        row.item.videoBitrate = 800;
        row.item.width = 320;
        row.item.height = 240;
    }
    spec.rows[1].item.videoBitrate = 1200;
    {
        FakeEngineScript script("write-output;result=0", argv);
        Run(spec);
    }
    EXPECT_NE(std::find(view_.events.begin(), view_.events.end(), "status 2 Done (copied)"), view_.events.end());
    EXPECT_NE(std::find(view_.events.begin(), view_.events.end(), "status 3 Done"), view_.events.end());
    const std::vector<std::string> last = testing_support::ReadRecordedArguments(argv);
    EXPECT_NE(std::find(last.begin(), last.end(), "x264"), last.end()) << "the row that does not fit is encoded";

    spec.rows.resize(1);
    {
        FakeEngineScript script("write-output;result=0", argv);
        Run(spec);
    }
    const std::vector<std::string> copied = testing_support::ReadRecordedArguments(argv);
    const std::vector<std::string> expected = {"-ovc", "copy", "-nosound"};
    EXPECT_NE(std::search(copied.begin(), copied.end(), expected.begin(), expected.end()), copied.end());
}

// A source without a picture is refused before any run by a profile that
// writes one, with the reason on its row; the other rows go on. Sound-only
// output and output in the source's own format take it.
TEST_F(ConversionJobTest, ASourceWithoutPictureIsRefusedOnlyByAProfileThatWritesOne)
{
    const std::string refusal = "No picture: choose sound.";
    lang::LanguageTable().SetValue("MainDialog", "Source Has No Picture", refusal, true);
    const struct {
        const char* shortName;
        bool soundOnlyProfile;
        bool joiner;
        bool refused;
        std::string message;
    } cases[] = {
        {"generic-mp4", false, false, true, "Some failed.\n\n2 converted, 1 failed\n\nNot converted:\nb.wav: " + refusal},
        {"disc-dvd", false, false, true, "Some failed.\n\n2 converted, 1 failed\n\nNot converted:\nb.wav: " + refusal},
        {"generic-mp4", false, true, true, "\n  Join failed.  \n\n  b.wav: " + refusal},
        {"generic-mp3", true, false, false, "Finished."},
        {"generic-mp3", true, true, false, "Finished."},
        {"generic-original", false, false, false, "Finished."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shortName) + (c.joiner ? " joined" : ""));
        FakeEngineScript script("write-output;result=0");
        JobSpec spec = Spec(c.shortName, {"a.avi", "b.wav", "c.avi"}, c.joiner);
        spec.profile.flag_onlyaudio = c.soundOnlyProfile ? 1 : 0;
        spec.rows[1].item.soundOnly = true;
        view_.events.clear();
        dialogs_.shown.clear();
        Run(spec);
        auto happened = [&](const std::string& event) {
            return std::find(view_.events.begin(), view_.events.end(), event) != view_.events.end();
        };
        EXPECT_EQ(happened("hot 3"), !c.refused) << "a refused row starts no run";
        EXPECT_EQ(happened("status 3 Failed"), c.refused);
        EXPECT_EQ(view_.reasons[3], c.refused ? refusal : "");
        EXPECT_EQ(happened("hot 4"), !c.joiner || !c.refused) << "only a join stops at the refused row";
        ASSERT_FALSE(Messages().empty());
        EXPECT_TRUE(Messages().back().starts_with(c.message)) << Messages().back();
    }
}

// The encoder writes a hidden partial file; only a run that succeeded gets
// the final name, and a name taken while it ran is not overwritten.
TEST_F(ConversionJobTest, OutputsGetTheirFinalNameOnlyOnceComplete)
{
    const std::string argv = folder_.Path() + "argv";
    const std::string out = folder_.Path() + "out/";
    {
        FakeEngineScript script("write-output;result=0", argv);
        JobSpec spec = Spec("generic-mp4", {"clip.avi"});
        spec.profile.command1 = "-ovc lavc __output_format__";
        Run(spec, [&] { folder_.Write("out/clip.mp4", "taken meanwhile"); });
    }
    const std::vector<std::string> arguments = testing_support::ReadRecordedArguments(argv);
    ASSERT_GE(arguments.size(), 2u);
    EXPECT_NE(std::find(arguments.begin(), arguments.end(), "format=mp4"), arguments.end())
        << "the muxer comes from the final name's extension";
    EXPECT_EQ(arguments.back(), out + ".clip.mp4." + std::to_string(::getuid()) + "-" + std::to_string(::getpid()) +
                                    ".part");
    EXPECT_EQ(testing_support::FileNames(out), (std::vector<std::string>{"clip.mp4", "clip_1.mp4"}));
    EXPECT_EQ(folder_.Read("out/clip.mp4"), "taken meanwhile");
    EXPECT_EQ(folder_.Read("out/clip_1.mp4"), "fake output");

    for (const char* script : {"write-output;result=99", "write-output;wait-abort", "write-output;crash"}) {
        SCOPED_TRACE(script);
        FakeEngineScript failing(script);
        Run(Spec("generic-mp4", {"other.avi"}, false), [&] { job_.RequestStop(); });
        EXPECT_EQ(testing_support::FileNames(out), (std::vector<std::string>{"clip.mp4", "clip_1.mp4"}));
    }
}

TEST_F(ConversionJobTest, TheFinalMessageCountsTheConvertedAndNamesTheFailed)
{
    const struct {
        const char* script;
        std::vector<std::string> names;
        std::string message;
        std::vector<std::string> ticksOff;
        bool offersFolder;
    } cases[] = {
        {"write-output;result=0", {"a.avi", "b.avi"}, "Finished.\n\n2 converted, 0 failed", {"tick 2 off", "tick 3 off"}, true},
        {"only-if=a.avi;write-output;result=0", {"a.avi", "b.avi"}, "Some failed.\n\n1 converted, 1 failed\n\nNot converted:\nb.avi",
         {"tick 2 off"}, true},
        {"result=99",
         {"1.avi", "2.avi", "3.avi", "4.avi", "5.avi", "6.avi", "7.avi"},
         "Some failed.\n\n0 converted, 7 failed\n\nNot converted:\n1.avi\n2.avi\n3.avi\n4.avi\n5.avi\nand 2 more",
         {},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        view_.events.clear();
        dialogs_.shown.clear();
        dialogs_.offered.clear();
        FakeEngineScript script(c.script);
        Run(Spec("generic-mp4", c.names));
        EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
        std::vector<std::string> ticks;
        std::copy_if(view_.events.begin(), view_.events.end(), std::back_inserter(ticks),
                     [](const std::string& event) { return event.starts_with("tick"); });
        EXPECT_EQ(ticks, c.ticksOff);
        EXPECT_EQ(dialogs_.offered, c.offersFolder ? std::vector<std::string>{"Open"} : std::vector<std::string>{});
    }

    dialogs_.takeOffer = true;
    FakeEngineScript script("write-output;result=0");
    Run(Spec("generic-mp4", {"a.avi"}));
    EXPECT_EQ(view_.events.back(), "open " + folder_.Path() + "out/");
}

// Every run of a job keeps a log of its own for its row; the next job
// starts afresh.
TEST_F(ConversionJobTest, EachRowKeepsTheLogOfItsRunUntilTheNextJob)
{
    const std::string tool = std::filesystem::path(EncoderPath()).filename().string();
    const auto logText = [this](const std::string& path) { return folder_.Read(path.substr(folder_.Path().size())); };
    {
        FakeEngineScript script("only-if=b.avi;say=first;write-output;result=0");
        Run(Spec("generic-mp4", {"a.avi", "b.avi"}));
    }
    ASSERT_EQ(view_.logs.size(), 2u);
    const std::string firstLog = view_.logs[2], secondLog = view_.logs[3];
    EXPECT_NE(firstLog, secondLog);
    EXPECT_EQ(logText(firstLog), "");
    EXPECT_EQ(logText(secondLog), tool + ": first\n");
    EXPECT_EQ(view_.reasons[2], "No reason given.") << "a tool that says nothing still fails with a reason";

    FakeEngineScript script("say=again;write-output;result=0");
    Run(Spec("generic-mp4", {"b.avi"}));
    EXPECT_EQ(view_.reasons[2], "") << "a new job clears what the rows showed";
    EXPECT_EQ(logText(view_.logs[2]), tool + ": again\n");
    EXPECT_FALSE(std::filesystem::exists(secondLog)) << "the logs of the job before go";
}

TEST_F(ConversionJobTest, StopEndsTheRunningRowAndLeavesTheRestUntouched)
{
    FakeEngineScript script("wait-abort");
    bool asked = false;
    Run(Spec("generic-mp4", {"a.avi", "b.avi"}), [&] {
        if (!asked) {
            dialogs_.Answer(true);
            job_.OnStop();
            asked = true;
        }
    });
    EXPECT_EQ(view_.events, (std::vector<std::string>{"status 2 --", "status 3 --", "busy", "hot 2",
                                                      "status 2 Aborted", "idle"}));
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_TRUE(dialogs_.shown[0].question);
    EXPECT_EQ(dialogs_.shown[1].text, "\n      Stopped.      \n");
}

// A job that ran to its end hands over to the chosen action instead of
// its final message; a stopped one ends quietly: the user is at the screen.
TEST_F(ConversionJobTest, WhenDoneActionReplacesTheFinalMessageUnlessStopped)
{
    const struct {
        app::WhenDone whenDone;
        bool stop;
        const char* lastEvent;
        std::size_t messages;
    } cases[] = {
        {app::WhenDone::Nothing, false, "idle", 1},        {app::WhenDone::ShutDown, false, "when done 1", 0},
        {app::WhenDone::Suspend, false, "when done 2", 0}, {app::WhenDone::Quit, false, "when done 3", 0},
        {app::WhenDone::Suspend, true, "idle", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.whenDone));
        view_.events.clear();
        dialogs_.shown.clear();
        FakeEngineScript script(c.stop ? "wait-abort" : "write-output;result=0");
        JobSpec spec = Spec("generic-mp4", {"a.avi"});
        spec.settings.whenDone = c.whenDone;
        Run(spec, [&] {
            if (c.stop && job_.Busy()) {
                job_.RequestStop();
            }
        });
        ASSERT_FALSE(view_.events.empty());
        EXPECT_EQ(view_.events.back(), c.lastEvent);
        EXPECT_EQ(dialogs_.shown.size(), c.messages);
    }
}

TEST_F(ConversionJobTest, JoinRunsLastWithEveryPartAndAFailedPartEndsTheJob)
{
    const std::string argv = folder_.Path() + "argv";
    {
        FakeEngineScript script("write-output;result=0", argv);
        Run(Spec("generic-mp4", {"a.avi", "b.avi"}, true));
    }
    const std::vector<std::string> joined = testing_support::ReadRecordedArguments(argv);
    ASSERT_EQ(joined.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(joined.begin() + 2, joined.begin() + 6),
              (std::vector<std::string>{"-ovc", "copy", "-o",
                                        folder_.Path() + "out/.a.mp4." + std::to_string(::getuid()) + "-" +
                                            std::to_string(::getpid()) + ".part"}));
    EXPECT_TRUE(joined[6].ends_with("/001.mp4") && joined[7].ends_with("/002.mp4")) << joined[6] << " " << joined[7];
    EXPECT_EQ(std::vector<std::string>(view_.events.end() - 3, view_.events.end()),
              (std::vector<std::string>{"idle", "tick 2 off", "tick 3 off"}))
        << "the rows are unticked once the output is made";
    EXPECT_EQ(Messages(), std::vector<std::string>{"Finished.\n\nMade: " + folder_.Path() + "out/a.mp4"});
    EXPECT_EQ(testing_support::FileNames(folder_.Path() + "out/"), std::vector<std::string>{"a.mp4"})
        << "the working folder goes";

    view_.events.clear();
    dialogs_.shown.clear();
    FakeEngineScript failing("say=part broke;result=99");
    Run(Spec("generic-mp4", {"a.avi", "b.avi"}, true));
    EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "status 2 Failed"), 1);
    EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "hot 3"), 0) << "no row after a failed part";
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n  Join failed.  \n\n  a.avi: part broke"});
    EXPECT_EQ(std::count_if(view_.events.begin(), view_.events.end(),
                            [](const std::string& event) { return event.starts_with("tick"); }),
              0)
        << "rows of a join that failed stay ticked";
}

TEST_F(ConversionJobTest, DiscStepRunsAfterTheRowsAndDecidesTheOutcome)
{
    const ToolCommand step{EncoderPath(), {"-sfm", block_.Name(), "disc"}};
    job_.SetDiscSteps([&](const JobSpec& spec, const std::string& workingFolder) {
        EXPECT_EQ(spec.settings.discLabel, "MyDisc");
        EXPECT_TRUE(app::IsWorkingFolder(workingFolder)) << workingFolder;
        EXPECT_EQ(workingFolder.rfind(folder_.Path() + "out/" + app::kWorkingFolderStem, 0), 0u) << workingFolder;
        return std::make_unique<ScriptedSteps>(std::vector<ToolCommand>{step, step}, view_);
    });
    FakeEngineScript script("result=0");
    Run(Spec("disc-dvdimg", {"a.avi"}));
    EXPECT_EQ(view_.events, (std::vector<std::string>{"status 2 --", "busy", "hot 2", "hot -1", "status 2 Done",
                                                      "disc step", "disc step", "disc step", "idle",
                                                      "tick 2 off"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Finished.\n\nMade: " + folder_.Path() + "out/"});

    const struct {
        const char* script;
        int discSteps;
        std::string message;
    } failures[] = {
        {"only-if=disc;result=99", 0, "VCD failed.\n\na.avi: No reason given."},
        {"result=0;only-if=disc;say=vcdxbuild ended with exit code 1;result=99", 3,
         "VCD failed.\n\nvcdxbuild ended with exit code 1"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.script);
        view_.events.clear();
        dialogs_.shown.clear();
        FakeEngineScript failing(failure.script);
        Run(Spec("disc-vcdimg", {"a.avi"}));
        EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "disc step"), failure.discSteps)
            << "a row that did not convert leaves nothing to author";
        EXPECT_EQ(Messages(), std::vector<std::string>{failure.message});
        EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "tick 2 off"), 0);
    }
}

TEST_F(ConversionJobTest, AnEncoderThatCannotStartEndsTheJobQuietly)
{
    std::filesystem::remove(EncoderPath());
    Run(Spec("generic-mp4", {"a.avi", "b.avi"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error! Failed to load " + EncoderPath() + " ."});
    EXPECT_EQ(view_.events.back(), "idle");
    EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "hot 2"), 0);
}

// Joins and disc jobs collect their parts in a folder they make; what the
// user keeps in the output folder under a like name is left alone, whether
// the job succeeds or fails.
TEST_F(ConversionJobTest, TheUsersOwnFoldersOutliveJoinsAndDiscJobs)
{
    job_.SetDiscSteps([&](const JobSpec&, const std::string&) {
        return std::make_unique<ScriptedSteps>(std::vector<ToolCommand>{}, view_);
    });
    const struct {
        const char* shortName;
        bool joiner;
        const char* script;
    } cases[] = {
        {"generic-mp4", true, "write-output;result=0"},
        {"generic-mp4", true, "result=99"},
        {"generic-original", true, "write-output;result=0"},
        {"disc-dvdimg", false, "result=0"},
        {"disc-vcdimg", false, "result=99"},
    };
    const std::vector<std::string> own{"__tempFolder__", "__tempFolder__abc123", "clip.mp4"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shortName) + " " + c.script);
        folder_.Write("out/__tempFolder__/mine.txt", "the user's");
        folder_.Write("out/__tempFolder__abc123/mine.txt", "the user's too");
        folder_.Write("out/clip.mp4", "an earlier result");
        FakeEngineScript script(c.script);
        Run(Spec(c.shortName, {"a.avi", "b.avi"}, c.joiner));
        std::vector<std::string> left = testing_support::FileNames(folder_.Path() + "out/");
        std::erase_if(left, [](const std::string& name) { return name.starts_with("a.") || name.starts_with("b."); });
        EXPECT_EQ(left, own) << "the job's own working folder goes, nothing else";
        EXPECT_EQ(folder_.Read("out/__tempFolder__/mine.txt"), "the user's");
        EXPECT_EQ(folder_.Read("out/__tempFolder__abc123/mine.txt"), "the user's too");
    }
}

// With two runs at once the rows start in list order, two at a time, and
// each ends on its own: a failed row neither stops nor holds up the others.
TEST_F(ConversionJobTest, SeveralRowsRunAtOnceAndAFailureStaysInItsRow)
{
    FakeEngineScript script("sleep=150;say=cannot open the input;only-if=-ok.avi;write-output;result=0");
    JobSpec spec = Spec("generic-mp4", {"a-ok.avi", "b.avi", "c-ok.avi", "d-ok.avi"});
    spec.settings.parallelRuns = 2;
    Run(std::move(spec));
    ASSERT_EQ(view_.runs.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(view_.runs.begin(), view_.runs.begin() + 2),
              (std::vector<std::string>{"start 2", "start 3"}))
        << "the second row starts before the first ends";
    for (const char* row : {"2", "3", "4", "5"})
        EXPECT_EQ(std::count(view_.runs.begin(), view_.runs.end(), std::string("end ") + row), 1) << row;
    for (const char* status : {"status 2 Done", "status 3 Failed", "status 4 Done", "status 5 Done"})
        EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), status), 1) << status;
    EXPECT_EQ(view_.reasons[3], "cannot open the input");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Some failed.\n\n3 converted, 1 failed\n\nNot converted:\nb.avi"});
    EXPECT_EQ(testing_support::FileNames(folder_.Path() + "out/"),
              (std::vector<std::string>{"a-ok.mp4", "c-ok.mp4", "d-ok.mp4"}));
    EXPECT_NE(view_.logs[2], view_.logs[3]) << "each run keeps a log of its own";
}

// Stop asks once and stops every run; the rows not reached stay as they were.
TEST_F(ConversionJobTest, StopEndsEveryRunningRowAtOnce)
{
    FakeEngineScript script("write-output;wait-abort");
    JobSpec spec = Spec("generic-mp4", {"a.avi", "b.avi", "c.avi"});
    spec.settings.parallelRuns = 2;
    bool asked = false;
    Run(std::move(spec), [&] {
        if (!asked && view_.runs.size() == 2) {
            dialogs_.Answer(true);
            job_.OnStop();
            asked = true;
        }
    });
    for (const char* status : {"status 2 Aborted", "status 3 Aborted"})
        EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), status), 1) << status;
    EXPECT_EQ(std::count(view_.runs.begin(), view_.runs.end(), "start 4"), 0);
    EXPECT_EQ(view_.events.back(), "idle");
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_TRUE(dialogs_.shown[0].question);
    EXPECT_EQ(dialogs_.shown[1].text, "\n      Stopped.      \n");
    EXPECT_TRUE(testing_support::FileNames(folder_.Path() + "out/").empty()) << "nothing half-written stays";
}

// A join converts its parts at once and joins them in list order, whichever
// part ends first; a part that fails gives up the part still running.
TEST_F(ConversionJobTest, AJoinConvertsItsPartsAtOnceAndJoinsThemInListOrder)
{
    {
        FakeEngineScript script("write-output;result=0;only-if=/a.avi;sleep=300");
        JobSpec spec = Spec("generic-mp4", {"a.avi", "b.avi"}, true);
        spec.settings.parallelRuns = 2;
        Run(std::move(spec));
    }
    EXPECT_EQ(std::vector<std::string>(view_.runs.begin(), view_.runs.begin() + 2),
              (std::vector<std::string>{"start 2", "start 3"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Finished.\n\nMade: " + folder_.Path() + "out/a.mp4"});

    view_ = RecordingView();
    dialogs_.shown.clear();
    FakeEngineScript script("say=part broke;result=99;only-if=/b.avi;wait-abort");
    JobSpec spec = Spec("generic-mp4", {"a.avi", "b.avi"}, true);
    spec.settings.parallelRuns = 2;
    Run(std::move(spec));
    EXPECT_EQ(Messages(), std::vector<std::string>{"\n  Join failed.  \n\n  a.avi: part broke"});
    EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), "status 3 Aborted"), 0)
        << "the part given up was not stopped by the user";
    EXPECT_EQ(testing_support::FileNames(folder_.Path() + "out/"), std::vector<std::string>{"a.mp4"})
        << "only the first job's output";
}
