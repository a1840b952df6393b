#include "engine/EngineLauncher.h"

#include "app/Application.h"
#include "app/Utilities.h"
#include "engine/CommandLine.h"
#include "engine/ProgressChannel.h"
#include "engine/RunLog.h"
#include "support/FakeClock.h"
#include "support/FakeEngine.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace engine;
using testing_support::FakeEngineScript;

namespace {

// A program directory with the fake engine under every tool name, the
// record open and the progress channel bound, as the main window has them.
class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() : savedApplication_(app::Application()), channel_([](std::int32_t, std::int32_t) {})
    {
        app::Application().appName = "Diziv Test";
        app::Application().appSharedName = "Diziv_Test_" + std::to_string(::getpid());
        app::Application().programDirectory = folder_.Path() + "program dir/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        block_.Open(app::Application().appSharedName, 0);
        channel_.Open(block_.Name());
    }

    ~LauncherTest() override { app::Application() = savedApplication_; }

    EngineRecord& Record() { return *block_.Data(); }

    // Starts the encoder for a conversion run and waits, running onPump at every pump.
    void RunConversion(const std::function<void()>& onPump = [] {})
    {
        PrepareConversionRun(Record(), channel_.WindowId(), 0, 10);
        EXPECT_TRUE(launcher_.StartEngine(EncoderPath(), RecordNameArguments(block_.Name())));
        launcher_.WaitForEngine(50, onPump);
    }

    testing_support::TestFolder folder_;
    app::ApplicationValues savedApplication_;
    testing_support::RecordingDialogs dialogs_;
    testing_support::FakeClock clock_;
    EngineStatusBlock block_;
    EngineLauncher launcher_{block_, dialogs_, clock_};
    ProgressChannel channel_;
};

}  // namespace

TEST_F(LauncherTest, OutcomeComesFromTheRecordNotTheExitCode)
{
    struct Case {
        std::string script;
        std::int32_t resultCode;
        RunOutcome outcome;
    };
    const Case cases[] = {
        {"sleep=100;result=0", kResultSuccess, RunOutcome::Succeeded},
        {"result=0;exit=3", kResultSuccess, RunOutcome::Succeeded},
        {"result=99", kResultFailed, RunOutcome::Failed},
        {"sleep=100;exit=0", kResultNotReported, RunOutcome::Failed},
        {"crash", kResultNotReported, RunOutcome::Failed},
    };
    for (const Case& c : cases) {
        FakeEngineScript script(c.script);
        RunConversion();
        EXPECT_EQ(Record().result_code, c.resultCode) << c.script;
        EXPECT_EQ(ReadRunOutcome(Record()), c.outcome) << c.script;
    }
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(LauncherTest, ToolThatHasAlreadyEndedIsNotPumpedFor)
{
    FakeEngineScript script("result=0");
    PrepareConversionRun(Record(), channel_.WindowId(), 0, 10);
    ASSERT_TRUE(launcher_.StartEngine(EncoderPath(), RecordNameArguments(block_.Name())));
    for (int i = 0; i < 200 && LoadField(Record().result_code) != kResultSuccess; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int pumps = 0;
    launcher_.WaitForEngine(50, [&] { ++pumps; });
    EXPECT_EQ(pumps, 0);
}

TEST_F(LauncherTest, ToolIgnoringAbortIsEndedAfterTheGracePeriod)
{
    struct Case {
        std::string script;
        std::uint64_t endsAfterMs;
    };
    // "sleep" dies from SIGTERM; "hang" ignores it and has to be killed.
    const Case cases[] = {
        {"sleep=30000", EngineLauncher::kAbortGraceMs},
        {"hang", EngineLauncher::kAbortGraceMs + EngineLauncher::kKillGraceMs},
    };
    for (const Case& c : cases) {
        FakeEngineScript script(c.script);
        std::uint64_t abortAt = 0;
        RunConversion([&] {
            if (LoadField(Record().abort_request) == 0) {
                StoreField(Record().abort_request, 1);
                abortAt = clock_.NowMs();
            }
            clock_.Advance(500);
        });
        EXPECT_EQ(Record().result_code, kResultStopped) << c.script;
        EXPECT_EQ(ReadRunOutcome(Record()), RunOutcome::Stopped) << c.script;
        EXPECT_GE(clock_.NowMs() - abortAt, c.endsAfterMs) << c.script;
        EXPECT_LE(clock_.NowMs() - abortAt, c.endsAfterMs + 2000) << c.script;
    }
}

TEST_F(LauncherTest, ArgumentsReachTheToolExactlyAndItsOutputGoesToTheLog)
{
    const std::string input = folder_.Path() + "my \"odd\" video\\.avi";
    const std::string output = folder_.Path() + "-out put ü.mpg";
    const std::string argumentsFile = folder_.Path() + "argv";
    FakeEngineScript script("result=0;no-such-step", argumentsFile);
    PrepareConversionRun(Record(), channel_.WindowId(), 0, 10);
    const Arguments arguments = {"-sfm", block_.Name(), input, "-ovc", "lavc", "-o", output};
    ASSERT_TRUE(launcher_.StartEngine(EncoderPath(), arguments));
    launcher_.WaitForEngine(50, [] {});

    EXPECT_EQ(testing_support::ReadRecordedArguments(argumentsFile), arguments);
    EXPECT_EQ(launcher_.LogPath(), app::TempDirectory() + "avm.log");
    EXPECT_NE(folder_.Read(launcher_.LogPath().substr(folder_.Path().size())).find("unknown step 'no-such-step'"),
              std::string::npos);
}

TEST_F(LauncherTest, MissingToolIsReportedWithItsFullPath)
{
    for (bool subtitleEdition : {true, false}) {
        app::Application().product.subtitleEdition = subtitleEdition;
        app::Application().programDirectory = folder_.Path() + "empty/";
        const std::string expectedPath = folder_.Path() + (subtitleEdition ? "empty/avm" : "empty/savm");
        ASSERT_EQ(EncoderPath(), expectedPath);
        dialogs_.shown.clear();

        EXPECT_FALSE(launcher_.StartEngine(EncoderPath(), RecordNameArguments(block_.Name())));
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].text, "Error! Failed to load " + expectedPath + " .");
        EXPECT_EQ(dialogs_.shown[0].caption, "Diziv Test");
        int pumps = 0;
        launcher_.WaitForEngine(50, [&] { ++pumps; });
        EXPECT_EQ(pumps, 0);
    }
    EXPECT_EQ(DvdToolPath(), folder_.Path() + "empty/dvdimage");
    EXPECT_EQ(VcdToolPath(), folder_.Path() + "empty/vcdimage");
}

// A run's reason is the last line of its log, shown without the tool's name.
TEST(RunLog, TheReasonIsTheLastLineWithoutTheToolsName)
{
    const struct {
        std::string log, reason;
    } cases[] = {
        {"avm: opening a.avi\navm: cannot open a.avi: Invalid data\n", "cannot open a.avi: Invalid data"},
        {"avm: cannot create /o/a.mp4: Not a directory\r\n\n  \n", "cannot create /o/a.mp4: Not a directory"},
        {"[mp3 @ 0x1] header missing\n", "[mp3 @ 0x1] header missing"},
        {"dvdimage: dvdauthor ended with exit code 1: ERR: no VOB\n", "dvdauthor ended with exit code 1: ERR: no VOB"},
        {"", ""},
        {"\n \n", ""},
    };
    for (const auto& c : cases) {
        const std::string tool = c.log.starts_with("dvdimage") ? "dvdimage" : "avm";
        EXPECT_EQ(ReasonFromLog(c.log, tool), c.reason) << c.log;
    }
}
