// diziv-cli end to end with the real engine tools on the shared test clips.
#include "CliProgram.h"

#include "AvmRunner.h"
#include "TestClips.h"

#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "support/ProcessScan.h"
#include "support/SpawnProgram.h"
#include "support/SubtitleSamples.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using avm_test::Clips;

namespace {

class CliMediaTest : public cli_test::CliProgram {
protected:
    // The output folder as the summary names it.
    std::string Folder() const { return folder_.Path() + "out"; }

    static double Seconds(const std::string& path)
    {
        return std::stod(avm_test::Probe(path).format.at("duration"));
    }

    static void ExpectVideo(const std::string& path, const char* codec)
    {
        const auto video = avm_test::Probe(path).First("video");
        ASSERT_FALSE(video.empty()) << path;
        EXPECT_EQ(video.at("codec_name"), codec) << path;
    }
};

// The third file, three seconds long, is trimmed to its seconds 1.5 to 3.
TEST_F(CliMediaTest, SeveralFilesWithAGenericProfileAndATrim)
{
    const std::vector<std::string> clips = {Copy(Clips().h264Aac, "in/one.mp4"), Copy(Clips().mpeg4Mp3, "in/two.avi"),
                                            Copy(Clips().multiTrack, "in/three.mkv")};
    cli_test::CliRun run = Run({"--profile", "MP4 - MPEG-4 Video", "-o", Out(), clips[0], clips[1], "--start", "1.5",
                                "--end", "0:03", clips[2]});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"one.mp4", "three.mp4", "two.mp4"}));
    for (const std::string& name : Outputs())
        ExpectVideo(Out() + name, "mpeg4");
    EXPECT_NEAR(Seconds(Out() + "two.mp4"), 2.0, 0.3);
    EXPECT_NEAR(Seconds(Out() + "three.mp4"), 1.5, 0.15) << "the trim keeps its fraction of a second";
    for (const char* line : {"[1/3] " , "[2/3] ", "[3/3] "})
        EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("converted"), std::string::npos) << "the summary line alone counts\n" << run.err;
    EXPECT_NE(run.out.find("\n" + Out() + "one.mp4\n" + Out() + "two.mp4\n" + Out() + "three.mp4\n" +
                           "3 converted, 0 failed, 0 skipped; output in " + Folder() + "\n"),
              std::string::npos)
        << run.out;
}

// Quotes and backslashes are plain letters in a file name; a file named
// directly needs no known extension.
TEST_F(CliMediaTest, NamesWithAQuoteOrATrailingBackslashConvert)
{
    const std::string quoted = Copy(Clips().mpeg4Mp3, "in/x\"y.avi"), slashed = Copy(Clips().h264Aac, "in/clip\\");
    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), quoted, slashed});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"clip\\.mp4", "x\"y.mp4"}));
    for (const std::string& name : Outputs())
        EXPECT_NEAR(Seconds(Out() + name), 2.0, 0.3) << name;
}

TEST_F(CliMediaTest, AFolderOfMixedClipsWithADeviceProfile)
{
    Copy(Clips().mpeg4Mp3, "in/b clip.avi");
    Copy(Clips().h264Aac, "in/A.mp4");
    Copy(Clips().mpeg2Mp2, "in/c.mpg");
    folder_.Write("in/notes.txt", std::string(4096, 'x'));
    Copy(Clips().mpeg4Mp3, "in/deeper/skipped.avi");
    cli_test::CliRun run = Run({"-p", "Apple iPad", "-o", Out(), "--video-quality", "Low", folder_.Path() + "in"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"A.mp4", "b clip.mp4", "c.mp4"}));
    for (const std::string& name : Outputs()) {
        ExpectVideo(Out() + name, "h264");
        EXPECT_FALSE(avm_test::Probe(Out() + name).First("audio").empty()) << name;
    }
    EXPECT_LT(run.out.find("A.mp4: Done"), run.out.find("b clip.avi: Done")) << "sorted by name\n" << run.out;
}

// A file that cannot be added or converted says why on standard error; the
// others are converted all the same, and the run ends with status 1.
TEST_F(CliMediaTest, EachFileThatFailsSaysWhyAndTheOthersStillConvert)
{
    const std::string good = Copy(Clips().mpeg4Mp3, "in/good.avi");
    // Its first seconds read well, so it is added; its conversion finds the rest missing.
    const std::string cut = folder_.Make("in/cut.mkv");
    avm_test::MakeClip({"-i", Clips().longClip, "-c", "copy", cut});
    fs::resize_file(cut, fs::file_size(cut) / 3);
    const std::string tiny = folder_.Path() + "in/tiny.avi", missing = folder_.Path() + "in/missing.avi";
    folder_.Write("in/tiny.avi", std::string(1023, 'x'));

    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), good, cut, tiny, missing});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{"good.mp4"});
    for (const std::string& line : std::vector<std::string>{"diziv-cli: The file is too small to be a video: " + tiny + "\n",
                                    "diziv-cli: File not found: " + missing + "\n",
                                    "diziv-cli: " + cut + ": " + cut + " is damaged or cut off"})
        EXPECT_NE(run.err.find(line), std::string::npos) << line << "\n" << run.err;
    EXPECT_NE(run.out.find("\n1 converted, 3 failed, 0 skipped; output in "), std::string::npos)
        << "the refused files count as failed too\n" << run.out;
    EXPECT_NE(run.out.find("[2/2] " + cut + ": Failed"), std::string::npos) << run.out;
}

TEST_F(CliMediaTest, JoinMakesOneFileNamedAfterTheFirst)
{
    const std::string first = Copy(Clips().mpeg4Mp3, "in/first.avi"), second = Copy(Clips().multiTrack, "in/second.mkv");
    cli_test::CliRun run = Run({"-p", "generic-mp4", "--join", "-o", Out(), first, second});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    ASSERT_EQ(Outputs(), std::vector<std::string>{"first.mp4"});
    EXPECT_NEAR(Seconds(Out() + "first.mp4"), 5.0, 0.5);
}

TEST_F(CliMediaTest, DvdFolderUnderTheDiscLabel)
{
    const std::string clip = Copy(Clips().mpeg2Mp2, "in/clip.mpg");
    cli_test::CliRun run =
        Run({"-p", "DVD Folder (VIDEO_TS)", "--tv-type", "pal", "--disc-label", "Holiday", "-o", Out(), clip});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{"Holiday"});
    for (const char* file : {"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_01_1.VOB"})
        EXPECT_TRUE(fs::is_regular_file(Out() + "Holiday/" + file)) << file;
    ExpectVideo(Out() + "Holiday/VIDEO_TS/VTS_01_1.VOB", "mpeg2video");

    // Again: the disc folder is left as it is, or replaced by a new one.
    fs::remove(Out() + "Holiday/VIDEO_TS/VIDEO_TS.BUP");
    cli_test::CliRun skipped = Run({"-q", "-p", "DVD Folder (VIDEO_TS)", "--tv-type", "pal", "--disc-label", "Holiday",
                                    "--skip-existing", "-o", Out(), clip});
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
    EXPECT_EQ(skipped.out, "0 converted, 0 failed, 1 skipped; output in " + Folder() + "\n");
    cli_test::CliRun replaced = Run({"-q", "-p", "DVD Folder (VIDEO_TS)", "--tv-type", "pal", "--disc-label", "Holiday",
                                     "--overwrite", "-o", Out(), clip});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(replaced.out, Out() + "Holiday\n1 converted, 0 failed, 0 skipped; output in " + Folder() + "\n");
    EXPECT_EQ(Outputs(), std::vector<std::string>{"Holiday"});
    EXPECT_TRUE(fs::is_regular_file(Out() + "Holiday/VIDEO_TS/VIDEO_TS.BUP")) << "the folder is the new one";
}

TEST_F(CliMediaTest, SubtitleFileIsBurnedIn)
{
    const std::string clip = Copy(Clips().mpeg4Mp3, "in/clip.avi");
    cli_test::CliRun plain = Run({"-p", "generic-mp4", "-o", Out() + "plain", clip});
    cli_test::CliRun titled = Run({"-p", "generic-mp4", "-o", Out() + "titled", "--subtitle",
                                   Clips().subtitles, "--subtitle-size", "big", clip});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    ASSERT_EQ(titled.exitCode, 0) << titled.err;
    const auto without = avm_test::GreyFrames(Out() + "plain/clip.mp4");
    const auto with = avm_test::GreyFrames(Out() + "titled/clip.mp4");
    ASSERT_FALSE(without.empty());
    ASSERT_FALSE(with.empty());
    EXPECT_NE(without.front(), with.front());
}

// Read in another charset, the Russian lines would burn in as other letters.
TEST_F(CliMediaTest, SubtitleCharsetIsDetectedAsIfGiven)
{
    const std::string subtitles = folder_.Path() + "in/ru.srt";
    folder_.Write("in/ru.srt", testing_support::Encoded(testing_support::kRussianCues, "CP1251"));
    const std::string clip = Clips().mpeg4Mp3;
    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), "--subtitle", subtitles,
                                Copy(clip, "in/detected.avi"), "--subtitle", subtitles, "--subtitle-charset",
                                "CP1251", Copy(clip, "in/given.avi"), "--subtitle", subtitles,
                                "--subtitle-charset", "Western", Copy(clip, "in/western.avi")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find(subtitles + ": Subtitle charset: Russian (RUSSIAN_CHARSET) (detected)"), std::string::npos)
        << run.err;
    const auto detected = avm_test::PacketHashes(Out() + "detected.mp4", "v");
    ASSERT_FALSE(detected.empty());
    EXPECT_EQ(detected, avm_test::PacketHashes(Out() + "given.mp4", "v"));
    EXPECT_NE(detected, avm_test::PacketHashes(Out() + "western.mp4", "v"));
}

TEST_F(CliMediaTest, CtrlCStopsTheRunAndRemovesItsOutput)
{
    const std::string clip = Copy(Clips().longClip, "in/long.avi"), next = Copy(Clips().mpeg4Mp3, "in/next.avi");
    cli_test::CliRun run = Run({"-p", "MP4 - H.264 Video", "-o", Out(), clip, next},
                               [](const std::string& out) { return out.find("Converting video") != std::string::npos; });
    EXPECT_EQ(run.exitCode, 130) << run.out << run.err;
    EXPECT_NE(run.out.find("Aborted"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n0 converted, 0 failed, 2 skipped; output in "), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("The job was stopped by the user."), std::string::npos) << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{});
}

TEST_F(CliMediaTest, WaitConvertsOnceTheOtherCopyEnds)
{
    const std::string clip = Copy(Clips().mpeg4Mp3, "in/clip.avi");
    auto window = RunOtherCopy();
    const pid_t pid = Start({"--wait", "-p", "generic-mp4", "-o", Out(), clip});
    ASSERT_TRUE(AwaitError("waiting for it to end"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Outputs(), std::vector<std::string>{});
    window.reset();
    cli_test::CliRun run = Finish(pid);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{"clip.mp4"});
    EXPECT_EQ(run.err.find("waiting"), run.err.rfind("waiting")) << "said once: " << run.err;
}

TEST_F(CliMediaTest, UnreadableFilesFailAndTheOthersAreDone)
{
    const std::string good = Copy(Clips().mpeg4Mp3, "in/good.avi"), other = Copy(Clips().h264Aac, "in/other.mp4");
    folder_.Write("in/bad.avi", std::string(4096, '\x55'));
    cli_test::CliRun run =
        Run({"-p", "generic-mp4", "-o", Out(), good, folder_.Path() + "in/bad.avi", folder_.Path() + "in/gone.avi", other});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"good.mp4", "other.mp4"}));
    EXPECT_NE(run.err.find("bad.avi"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("gone.avi"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\n" + Out() + "good.mp4\n" + Out() + "other.mp4\n2 converted, 2 failed, 0 skipped; output in " +
                           Folder() + "\n"),
              std::string::npos)
        << run.out;
}

// Files are probed several at once, yet each file's line comes in the order
// of the files, and so do the refusals.
TEST_F(CliMediaTest, ScanningLinesAndRefusalsComeInFileOrder)
{
    const std::string noise(4096, '\x55');
    Copy(Clips().mpeg4Mp3, "in/a.avi");
    folder_.Write("in/b.avi", noise);
    Copy(Clips().h264Aac, "in/c.mp4");
    folder_.Write("in/d.avi", std::string(1023, 'x'));
    folder_.Write("in/e.avi", noise);
    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), folder_.Path() + "in"});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"a.mp4", "c.mp4"}));
    std::size_t line = 0, refusal = 0;
    for (const char* name : {"a.avi", "b.avi", "c.mp4", "d.avi", "e.avi"}) {
        const std::size_t at = run.out.find("please wait... " + folder_.Path() + "in/" + name + "\n");
        ASSERT_NE(at, std::string::npos) << name << "\n" << run.out;
        EXPECT_GE(at, line) << name << "\n" << run.out;
        line = at;
    }
    for (const char* name : {"b.avi", "d.avi", "e.avi"}) {
        const std::size_t at = run.err.find(folder_.Path() + "in/" + name);
        ASSERT_NE(at, std::string::npos) << name << "\n" << run.err;
        EXPECT_GE(at, refusal) << name << "\n" << run.err;
        refusal = at;
    }
}

// Without an option a rerun numbers its output; --skip-existing leaves the
// source out, --overwrite puts the new file in the old one's place. --quiet
// prints only the outputs and the summary.
TEST_F(CliMediaTest, RerunsNumberSkipOrOverwriteTheEarlierOutput)
{
    const std::string clip = Copy(Clips().mpeg4Mp3, "in/clip.avi");
    folder_.Write("out/clip.mp4", "old");
    const std::vector<std::string> job = {"-q", "-p", "generic-mp4", "-o", Out(), clip};
    auto rerun = [&](const char* option) {
        std::vector<std::string> arguments = job;
        arguments.insert(arguments.begin(), option);
        return Run(arguments);
    };

    cli_test::CliRun skipped = rerun("--skip-existing");
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
    EXPECT_EQ(skipped.out, "0 converted, 0 failed, 1 skipped; output in " + Folder() + "\n");
    EXPECT_EQ(folder_.Read("out/clip.mp4"), "old");

    cli_test::CliRun numbered = Run(job);
    EXPECT_EQ(numbered.exitCode, 0) << numbered.err;
    EXPECT_EQ(numbered.out, Out() + "clip_1.mp4\n1 converted, 0 failed, 0 skipped; output in " + Folder() + "\n");
    EXPECT_EQ(folder_.Read("out/clip.mp4"), "old");

    cli_test::CliRun replaced = rerun("--overwrite");
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(replaced.out, Out() + "clip.mp4\n1 converted, 0 failed, 0 skipped; output in " + Folder() + "\n");
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"clip.mp4", "clip_1.mp4"}));
    ExpectVideo(Out() + "clip.mp4", "mpeg4");
}

// Two sources of one name: the second output is numbered, and --overwrite
// does not put it over the first one this run made.
TEST_F(CliMediaTest, OverwriteSparesWhatTheSameRunMade)
{
    const std::string first = Copy(Clips().mpeg4Mp3, "a/clip.avi"), second = Copy(Clips().h264Aac, "b/clip.mp4");
    cli_test::CliRun run = Run({"-q", "--overwrite", "-p", "generic-mp4", "-o", Out(), first, second});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Out() + "clip.mp4\n" + Out() + "clip_1.mp4\n2 converted, 0 failed, 0 skipped; output in " +
                           Folder() + "\n");
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"clip.mp4", "clip_1.mp4"}));
}

TEST_F(CliMediaTest, VerboseShowsEachToolCommandAndItsLog)
{
    const std::string clip = Copy(Clips().mpeg4Mp3, "in/my clip.avi");
    folder_.Write("in/bad.avi", std::string(4096, '\x55'));
    cli_test::CliRun run = Run({"-v", "-q", "-p", "generic-mp4", "-o", Out(), clip, folder_.Path() + "in/bad.avi"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("diziv-cli: run: " + Program() + "avm -sfm "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" '" + clip + "' "), std::string::npos) << "quoted for the shell\n" << run.err;
    EXPECT_NE(run.err.find(" -o '" + Out() + ".my clip.mp4."), std::string::npos) << "its partial name\n" << run.err;
    EXPECT_NE(run.err.find("\navm: cannot open " + folder_.Path() + "in/bad.avi"), std::string::npos)
        << "the tool's log\n" << run.err;

    cli_test::CliRun quiet = Run({"-q", "-p", "generic-mp4", "-o", Out(), clip});
    EXPECT_EQ(quiet.err.find("run: "), std::string::npos) << quiet.err;
}

// Two users (each with a home, settings, lock and temp folder of their own)
// convert at the same time, each with a status record of its own; a record
// a killed run left behind is cleared and blocks nobody.
TEST_F(CliMediaTest, TwoUsersConvertAtOnceAndRecordsOfDeadRunsAreCleared)
{
    const pid_t ended = testing_support::EndedProcessId();
    const std::string stale = SharedName() + "." + testing_support::UserAndProcess(ended);
    {
        platform::SharedMemory left;
        ASSERT_TRUE(left.Create(stale, engine::kRecordSize));
    }

    // As root, the second user is a real one (nobody); otherwise both runs
    // are this user with a home and runtime folder of their own.
    const bool realSecondUser = ::getuid() == 0 && testing_support::RunnableByOthers(Program() + "diziv-cli");
    const uid_t nobody = 65534;
    if (realSecondUser)
        fs::permissions(folder_.Path(), fs::perms::owner_all | fs::perms::others_exec);
    std::vector<pid_t> runs;
    for (const std::string user : {"ann", "bob"}) {
        const std::string home = folder_.Make(user + "/home/");
        const std::string runtime = folder_.Make(user + "/runtime/");
        const std::string out = folder_.Make("out/" + user + "/");
        const std::string clip = Copy(Clips().h264Aac, user + "/clip.mp4");
        fs::create_directories(runtime);
        fs::create_directories(out);
        fs::permissions(runtime, fs::perms::owner_all);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        const std::vector<std::string> args = {Program() + "diziv-cli", "-p", "MP4 - MPEG-4 Video", "-o", out, clip};
        if (realSecondUser && user == "bob") {
            for (const auto& entry : fs::recursive_directory_iterator(folder_.Path() + user))
                ASSERT_EQ(::lchown(entry.path().c_str(), nobody, nobody), 0);
            for (const std::string& own : {folder_.Path() + user, out})
                ASSERT_EQ(::lchown(own.c_str(), nobody, nobody), 0);
            fs::permissions(Out(), fs::perms::others_exec, fs::perm_options::add);
            runs.push_back(testing_support::SpawnProgramAs(nobody, nobody, args, folder_.Path() + user + ".log"));
        } else {
            runs.push_back(testing_support::SpawnProgram(args, folder_.Path() + user + ".log"));
        }
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        int status = -1;
        ASSERT_EQ(::waitpid(runs[i], &status, 0), runs[i]);
        const std::string user = i == 0 ? "ann" : "bob";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << folder_.Read(user + ".log");
        ExpectVideo(Out() + user + "/clip.mp4", "mpeg4");
        if (realSecondUser && user == "bob") {
            struct stat made {};
            ASSERT_EQ(::stat((Out() + user + "/clip.mp4").c_str(), &made), 0);
            EXPECT_EQ(made.st_uid, nobody);
        }
    }
    for (const std::string& name : testing_support::FileNames("/dev/shm/"))
        EXPECT_NE(name.rfind(SharedName() + ".", 0), 0u) << name << " outlived its run";
}

// The choice travels from the command line through the job to x264's own
// settings: veryfast, the default medium, slow.
TEST_F(CliMediaTest, TheSpeedChoiceReachesTheEncoder)
{
    const std::string clip = folder_.Path() + "in/moving.avi";
    std::filesystem::create_directories(folder_.Path() + "in");
    avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=1", "-c:v", "mpeg4", clip});
    const struct {
        std::vector<std::string> speed;
        const char *subme, *ref;
    } cases[] = {{{"--speed", "faster"}, "2", "1"}, {{}, "7", "3"}, {{"--speed", "better"}, "8", "5"}};
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"-p", "MP4 - H.264 Video", "--no-copy-fitting", "--overwrite", "-o", Out()};
        arguments.insert(arguments.end(), c.speed.begin(), c.speed.end());
        arguments.push_back(clip);
        cli_test::CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(avm_test::EncoderSetting(Out() + "moving.mp4", "subme"), c.subme);
        EXPECT_EQ(avm_test::EncoderSetting(Out() + "moving.mp4", "ref"), c.ref);
    }
}

}  // namespace
