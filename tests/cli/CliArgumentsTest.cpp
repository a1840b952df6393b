// The program's answers that need no media: help, version, the profile
// list and usage errors, which change nothing on disk.
#include "CliProgram.h"

#include "support/FakeEngine.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using CliArguments = cli_test::CliProgram;

TEST_F(CliArguments, HelpVersionAndProfiles)
{
    cli_test::CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: diziv-cli"), std::string::npos);
    EXPECT_EQ(Run({"--version"}).out, "diziv-cli 1.0.0\n");

    cli_test::CliRun list = Run({"--list-profiles"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    const std::size_t generic = list.out.find("Generic\n"), disc = list.out.find("VCD SVCD DVD\n"),
                      apple = list.out.find("Apple\n"), ipad = list.out.find("Apple iPad");
    EXPECT_LT(generic, disc);
    EXPECT_LT(disc, apple);
    EXPECT_LT(apple, ipad);
    EXPECT_NE(ipad, std::string::npos) << list.out;

    cli_test::CliRun ipads = Run({"--list-profiles", "IPAD"});
    EXPECT_EQ(ipads.exitCode, 0) << ipads.err;
    EXPECT_NE(ipads.out.find("Apple iPad  (apple-ipad)\n          container mp4; video H.264; audio AAC; size "),
              std::string::npos)
        << ipads.out;
    EXPECT_EQ(ipads.out.find("Generic"), std::string::npos) << ipads.out;
    EXPECT_EQ(ipads.out.find("iPhone"), std::string::npos) << ipads.out;
    cli_test::CliRun sound = Run({"--list-profiles", "generic-opus"});
    EXPECT_NE(sound.out.find("Opus - Audio Only  (generic-opus)\n          container opus; no video; audio Opus\n"),
              std::string::npos)
        << sound.out;
    cli_test::CliRun none = Run({"--list-profiles=no such thing"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no such thing"), std::string::npos) << none.err;
}

TEST_F(CliArguments, UsageErrorsEndWithStatusTwoAndLeaveNoTrace)
{
    folder_.Write("in/a.avi", std::string(2048, 'x'));
    const std::string clip = folder_.Path() + "in/a.avi", out = folder_.Path() + "out";
    // Which texts are refused is the parser's and the choices' own test;
    // here one case of each check the program makes before it starts.
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus", clip},
        {"-p", "No Such Profile", clip},
        {"-p", "DVD Folder (VIDEO_TS)", "--disc-label", "a;b", "-o", out, clip},
        {"-p", "MP4 - H.264 Video", "-o", out},
        {"-p", "MP4 - H.264 Video", "--overwrite", "--skip-existing", "-o", out, clip},
    };
    for (const auto& arguments : cases) {
        cli_test::CliRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments[1] << "\n" << run.err;
        EXPECT_NE(run.err, "") << arguments[1];
        EXPECT_EQ(run.out, "") << arguments[1];
        EXPECT_FALSE(std::filesystem::exists(out)) << arguments[1];
        EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << arguments[1];
    }
}

TEST_F(CliArguments, TheSpeedIsOfferedAndABadOneRefused)
{
    EXPECT_NE(Run({"--help"}).out.find("\n      --speed=S              faster, balanced or better"), std::string::npos);
    folder_.Write("in/a.avi", std::string(2048, 'x'));
    const std::string clip = folder_.Path() + "in/a.avi", out = folder_.Path() + "out";
    cli_test::CliRun bad = Run({"-p", "MP4 - H.264 Video", "--speed", "fastest", "-o", out, clip});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("'fastest' names no speed; choose one of:"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("better"), std::string::npos) << bad.err;
    cli_test::CliRun avi = Run({"-p", "AVI - DivX/XviD Video", "--speed", "better", "-o", out, clip});
    EXPECT_EQ(avi.exitCode, 2);
    EXPECT_NE(avi.err.find("the video encoder of \"AVI - DivX/XviD Video\" has no speed presets"), std::string::npos)
        << avi.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliArguments, AProfileBeginningOfSeveralNamesListsThem)
{
    folder_.Write("in/a.avi", std::string(2048, 'x'));
    cli_test::CliRun run = Run({"-p", "mp4", "-o", folder_.Path() + "out", folder_.Path() + "in/a.avi"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    for (const char* name : {"MP4 - H.264 Video  (generic-mp4-h264)", "MP4 - MPEG-4 Video  (generic-mp4)"})
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Apple"), std::string::npos) << run.err;
}

TEST_F(CliArguments, SettingsAreWrittenOnlyWhenAsked)
{
    const std::string settings = SettingsFile();
    EXPECT_EQ(Run({"-p", "Apple iPad", "--video-quality", "Low"}).exitCode, 2) << "nothing to convert";
    EXPECT_FALSE(std::filesystem::exists(settings));
    cli_test::CliRun saved = Run({"-p", "Apple iPad", "--video-quality", "Low", "--save-settings"});
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    const std::string text = folder_.Read(settings.substr(folder_.Path().size()));
    EXPECT_NE(text.find("OutputFormat=20"), std::string::npos) << text;
    cli_test::CliRun list = Run({"--list-profiles"});
    EXPECT_NE(list.out.find("  * 20  Apple iPad"), std::string::npos) << list.out;
    EXPECT_NE(text.find("CopyFitting=1"), std::string::npos) << "on unless turned off\n" << text;
    for (const char* choice : {"--no-copy-fitting", "--copy-fitting"}) {
        EXPECT_EQ(Run({choice, "--save-settings"}).exitCode, 0) << choice;
        const std::string kept = folder_.Read(settings.substr(folder_.Path().size()));
        EXPECT_NE(kept.find(std::string("CopyFitting=") + (choice[2] == 'n' ? "0" : "1")), std::string::npos)
            << choice << "\n" << kept;
    }
}

// The stand-in engine probes every file; the new conversion fails, and the
// file of that name from before stays as it was.
TEST_F(CliArguments, OverwriteKeepsTheOldOutputWhenTheNewRunFails)
{
    for (const char* tool : {"avm", "savm", "dvdimage", "vcdimage"})
        std::filesystem::remove(Program() + tool);
    testing_support::InstallFakeEngine(Program());
    const std::string out = folder_.Path() + "out/";
    folder_.Write("in/a.avi", std::string(2048, 'x'));
    folder_.Write("out/a.mp4", "old");
    testing_support::FakeEngineScript engine("facts=160,120,3,0,0;result=0;only-if=" + out + ";result=1");
    cli_test::CliRun run = Run({"--overwrite", "-p", "generic-mp4", "-o", out, folder_.Path() + "in/a.avi"});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(testing_support::FileNames(out), std::vector<std::string>{"a.mp4"});
    EXPECT_EQ(folder_.Read("out/a.mp4"), "old");
    EXPECT_NE(run.out.find("a.avi: Failed\n0 converted, 1 failed, 0 skipped; output in " + folder_.Path() + "out\n"),
              std::string::npos)
        << run.out;
}

// The job itself with --wait, once the other copy ends, is CliMediaTest's.
TEST_F(CliArguments, AnotherRunningCopyRefusesTheRunOrIsAwaited)
{
    folder_.Write("in/a.avi", std::string(2048, 'x'));
    const std::vector<std::string> job = {"-p", "generic-mp4", "-o", folder_.Path() + "out",
                                          folder_.Path() + "in/a.avi"};
    const auto window = RunOtherCopy();
    cli_test::CliRun refused = Run(job);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "diziv-cli: The program is already running.\n");
    EXPECT_EQ(refused.out, "");

    std::vector<std::string> waiting = job;
    waiting.insert(waiting.begin(), "--wait");
    const pid_t pid = Start(waiting);
    EXPECT_TRUE(AwaitError("waiting for it to end"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(folder_.Read("cli.out"), "") << "nothing is probed while waiting";
    ::kill(pid, SIGINT);
    const auto interrupted = std::chrono::steady_clock::now();
    cli_test::CliRun stopped = Finish(pid);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted, std::chrono::seconds(2))
        << "Ctrl+C ends the wait at once";
    EXPECT_EQ(stopped.exitCode, 130) << stopped.err;
    EXPECT_EQ(stopped.err, "diziv-cli: another copy of the program is running; waiting for it to end\n");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "out"));
}

}  // namespace
