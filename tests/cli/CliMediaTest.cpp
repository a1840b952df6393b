// diziv-cli end to end with the real engine tools on clips made at test time.
#include "CliProgram.h"

#include "avm/AvmRunner.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class CliMediaTest : public cli_test::CliProgram {
protected:
    std::string Out() const { return folder_.Path() + "out/"; }

    // A 160x120 clip of the given length with a tone; the codecs follow the extension.
    std::string Clip(const std::string& relative, int seconds = 2, const char* size = "160x120")
    {
        const std::string path = folder_.Make(relative);
        const std::string length = std::to_string(seconds);
        std::vector<std::string> args = {"-f", "lavfi", "-i", std::string("testsrc=size=") + size + ":rate=25:duration=" + length,
                                         "-f", "lavfi", "-i", "sine=frequency=440:duration=" + length};
        if (path.ends_with(".mp4"))
            args.insert(args.end(), {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"});
        else if (path.ends_with(".avi"))
            args.insert(args.end(), {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
        else
            args.insert(args.end(), {"-c:v", "mpeg2video", "-c:a", "mp2"});
        args.push_back(path);
        avm_test::MakeClip(args);
        return path;
    }

    std::vector<std::string> Outputs() const
    {
        std::vector<std::string> names;
        if (fs::is_directory(Out()))
            for (const auto& entry : fs::directory_iterator(Out()))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

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

TEST_F(CliMediaTest, SeveralFilesWithAGenericProfile)
{
    const std::vector<std::string> clips = {Clip("in/one.mp4"), Clip("in/two.avi"), Clip("in/three.mpg")};
    cli_test::CliRun run = Run({"--profile", "MP4 - MPEG-4 Video", "-o", Out(), clips[0], clips[1], clips[2]});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"one.mp4", "three.mp4", "two.mp4"}));
    for (const std::string& name : Outputs())
        ExpectVideo(Out() + name, "mpeg4");
    for (const char* line : {"[1/3] " , "[2/3] ", "[3/3] "})
        EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("The job is finished."), std::string::npos) << run.err;
}

TEST_F(CliMediaTest, AFolderOfMixedClipsWithADeviceProfile)
{
    Clip("in/b clip.avi");
    Clip("in/A.mp4");
    Clip("in/c.mpg");
    folder_.Write("in/notes.txt", std::string(4096, 'x'));
    Clip("in/deeper/skipped.avi");
    cli_test::CliRun run = Run({"-p", "Apple iPad", "-o", Out(), "--video-quality", "Low", folder_.Path() + "in"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"A.mp4", "b clip.mp4", "c.mp4"}));
    for (const std::string& name : Outputs()) {
        ExpectVideo(Out() + name, "h264");
        EXPECT_FALSE(avm_test::Probe(Out() + name).First("audio").empty()) << name;
    }
    EXPECT_LT(run.out.find("A.mp4: Done"), run.out.find("b clip.avi: Done")) << "sorted by name\n" << run.out;
}

TEST_F(CliMediaTest, JoinMakesOneFileNamedAfterTheFirst)
{
    const std::string first = Clip("in/first.avi"), second = Clip("in/second.avi", 3);
    cli_test::CliRun run = Run({"-p", "generic-mp4", "--join", "-o", Out(), first, second});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    ASSERT_EQ(Outputs(), std::vector<std::string>{"first.mp4"});
    EXPECT_NEAR(Seconds(Out() + "first.mp4"), 5.0, 0.5);
}

TEST_F(CliMediaTest, DvdFolderUnderTheDiscLabel)
{
    const std::string clip = Clip("in/clip.mpg");
    cli_test::CliRun run =
        Run({"-p", "DVD Folder (VIDEO_TS)", "--tv-type", "pal", "--disc-label", "Holiday", "-o", Out(), clip});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{"Holiday"});
    for (const char* file : {"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_01_1.VOB"})
        EXPECT_TRUE(fs::is_regular_file(Out() + "Holiday/" + file)) << file;
    ExpectVideo(Out() + "Holiday/VIDEO_TS/VTS_01_1.VOB", "mpeg2video");
}

TEST_F(CliMediaTest, TrimConvertsOnlyThePartAsked)
{
    const std::string clip = Clip("in/long.avi", 4);
    cli_test::CliRun run = Run({"-p", "generic-mp4", "-o", Out(), "--start", "1", "--end", "0:03", clip});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NEAR(Seconds(Out() + "long.mp4"), 2.0, 0.3);
}

TEST_F(CliMediaTest, SubtitleFileIsBurnedIn)
{
    const std::string clip = Clip("in/clip.avi");
    folder_.Write("in/lines.srt", "1\n00:00:00,000 --> 00:00:02,000\nWWWWWWWW\n");
    cli_test::CliRun plain = Run({"-p", "generic-mp4", "-o", Out() + "plain", clip});
    cli_test::CliRun titled = Run({"-p", "generic-mp4", "-o", Out() + "titled", "--subtitle",
                                   folder_.Path() + "in/lines.srt", "--subtitle-size", "big", clip});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    ASSERT_EQ(titled.exitCode, 0) << titled.err;
    const auto without = avm_test::GreyFrames(Out() + "plain/clip.mp4");
    const auto with = avm_test::GreyFrames(Out() + "titled/clip.mp4");
    ASSERT_FALSE(without.empty());
    ASSERT_FALSE(with.empty());
    EXPECT_NE(without.front(), with.front());
}

TEST_F(CliMediaTest, CtrlCStopsTheRunAndRemovesItsOutput)
{
    const std::string clip = Clip("in/long.avi", 30, "320x240");
    cli_test::CliRun run = Run({"-p", "MP4 - H.264 Video", "-o", Out(), clip},
                               [](const std::string& out) { return out.find("Converting video") != std::string::npos; });
    EXPECT_EQ(run.exitCode, 130) << run.out << run.err;
    EXPECT_NE(run.out.find("Aborted"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("The job was stopped by the user."), std::string::npos) << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{});
}

TEST_F(CliMediaTest, UnreadableFilesFailAndTheOthersAreDone)
{
    const std::string good = Clip("in/good.avi"), other = Clip("in/other.mp4");
    folder_.Write("in/bad.avi", std::string(4096, '\x55'));
    cli_test::CliRun run =
        Run({"-p", "generic-mp4", "-o", Out(), good, folder_.Path() + "in/bad.avi", folder_.Path() + "in/gone.avi", other});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"good.mp4", "other.mp4"}));
    EXPECT_NE(run.err.find("bad.avi"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("gone.avi"), std::string::npos) << run.err;
}

}  // namespace
