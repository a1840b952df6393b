// Whole jobs through the real window with the real engine tools on tiny
// clips made at test time; ffprobe, lsdvd and the cue sheet judge the results.
#include "JobWindowFixture.h"

#include "app/SettingsStore.h"
#include "engine/MediaProbe.h"
#include "ui/EngineSession.h"
#include "platform/PipedProcess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

using namespace widget_test;

namespace {

namespace fs = std::filesystem;

const std::string kFinished = "The job is finished.      ";

struct ProgramRun {
    int exitCode;
    std::string output;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    platform::PipedProcess process;
    if (process.Start(program, arguments) != 0)
        return {-1, "cannot start " + program};
    std::string output;
    while (process.ReadOutput(output, 1000)) {
    }
    return {process.WaitForExit(60000).value_or(-1), output};
}

// Seconds of media in a file as ffprobe reads it; 0 when it cannot read it.
double PlayingSeconds(const std::string& path)
{
    ProgramRun run = RunProgram("ffprobe", {"-v", "error", "-select_streams", "v:0", "-count_packets", "-show_entries",
                                            "format=duration", "-of", "csv=p=0", path});
    return run.exitCode == 0 ? std::atof(run.output.c_str()) : 0;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class MediaJob : public JobWindow {
protected:
    void SetUp() override
    {
        JobWindow::SetUp();
        for (const char* tool : {"avm", "savm", "dvdimage", "vcdimage"})
            fs::create_symlink(std::string(PROGRAM_DIR) + tool, Program() + tool);
        LoadProfiles(std::string(SOURCE_DIR) + "data/profiles.ini");
        app::Settings().DiscLabel = "Holiday";
    }

    // A clip of 160x120 MPEG-4 video with MP3 sound, in AVI.
    std::string MakeClip(const std::string& name, int seconds)
    {
        const std::string path = folder_.Make("clips/" + name + ".avi");
        const std::string duration = ":duration=" + std::to_string(seconds);
        ProgramRun run = RunProgram("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25" + duration,
                                               "-f", "lavfi", "-i", "sine=frequency=440" + duration, "-c:v", "mpeg4",
                                               "-c:a", "libmp3lame", "-y", path});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return path;
    }

    // Probes each clip as Add Files does and appends its row.
    void AddClips(const std::vector<std::string>& names, int seconds = 2)
    {
        ui::EngineSession& engine = window_->Engine();
        engine::MediaProbe probe(engine.block, engine.launcher, dialogs_, [] { ui::MainDialog::PumpMessages(); },
                                 engine.NotifyWindow());
        for (const std::string& name : names) {
            std::optional<engine::SourceItem> item = probe.ProbeSource(MakeClip(name, seconds), engine::kDecodeAuto);
            ASSERT_TRUE(item) << name << ": " << (dialogs_.shown.empty() ? "" : dialogs_.shown.back().text);
            window_->AppendSource(*item);
        }
    }

    void ConvertAndExpectSuccess(const std::vector<std::string>& statuses)
    {
        dialogs_.shown.clear();
        Convert();
        EXPECT_EQ(Messages(), std::vector<std::string>{kFinished});
        EXPECT_EQ(Statuses(), statuses);
        EXPECT_FALSE(fs::exists(OutputFolder() + "__tempFolder__"));
    }
};

TEST_F(MediaJob, ConvertTwoClipsTwiceWithoutReplacingAnyFile)
{
    Open(SlotOf("generic-mp4"));
    AddClips({"first clip", "second"});
    fs::create_directories(OutputFolder());
    std::ofstream(OutputFolder() + "first clip.mp4") << "the user's own file";

    ConvertAndExpectSuccess({"Done", "Done"});
    window_->SetTicked(0, true);
    window_->SetTicked(1, true);
    ConvertAndExpectSuccess({"Done", "Done"});

    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"first clip.mp4", "first clip_1.mp4", "first clip_2.mp4",
                                                       "second.mp4", "second_1.mp4"}));
    EXPECT_EQ(ReadAll(OutputFolder() + "first clip.mp4"), "the user's own file");
    for (const char* name : {"first clip_1.mp4", "first clip_2.mp4", "second.mp4", "second_1.mp4"})
        EXPECT_NEAR(PlayingSeconds(OutputFolder() + name), 2.0, 0.2) << name;
}

TEST_F(MediaJob, StoppedRunLeavesNoPartialFile)
{
    Open(SlotOf("generic-mp4-h264"));
    AddClips({"one", "two"}, 20);
    bool pressed = false;
    WhileRunning([&] {
        if (pressed)
            return;
        pressed = true;
        dialogs_.Answer(true);
        window_->RunCommand(ui::Command::Stop);
    });
    Convert();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Aborted", "--"}));
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

TEST_F(MediaJob, JoinThreeClipsInTheJoinerEdition)
{
    UseJoinerEdition();
    Open(SlotOf("generic-mp4"));
    AddClips({"a", "b", "c"});
    ConvertAndExpectSuccess({"Done", "Done", "Done"});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"a.mp4"});
    EXPECT_NEAR(PlayingSeconds(OutputFolder() + "a.mp4"), 6.0, 0.3);
}

TEST_F(MediaJob, OriginalJoinCopiesTheSourcesAsTheyAre)
{
    UseJoinerEdition();
    Open(SlotOf("generic-original"));
    AddClips({"a", "b", "c"});
    ConvertAndExpectSuccess({"--", "--", "--"});
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"a.avi"});
    EXPECT_NEAR(PlayingSeconds(OutputFolder() + "a.avi"), 6.0, 0.3);
}

TEST_F(MediaJob, DvdFolderHoldsOneTitleWithAChapterPerClip)
{
    Open(SlotOf("disc-dvdimg"));
    AddClips({"a", "b"});
    ConvertAndExpectSuccess({"Done", "Done"});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"Holiday"});
    ProgramRun listing = RunProgram("lsdvd", {OutputFolder() + "Holiday"});
    EXPECT_EQ(listing.exitCode, 0) << listing.output;
    EXPECT_NE(listing.output.find("Title: 01"), std::string::npos) << listing.output;
    EXPECT_NE(listing.output.find("Chapters: 02"), std::string::npos) << listing.output;
}

TEST_F(MediaJob, VcdImageHoldsATrackPerClip)
{
    Open(SlotOf("disc-vcdimg"));
    AddClips({"a", "b"});
    ConvertAndExpectSuccess({"Done", "Done"});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"Holiday"});
    const std::string cue = ReadAll(OutputFolder() + "Holiday/VideoCD.cue");
    EXPECT_TRUE(cue.starts_with("FILE \"VideoCD.bin\" BINARY")) << cue;
    const std::regex track("TRACK \\d+ MODE2/2352");
    EXPECT_EQ(std::distance(std::sregex_iterator(cue.begin(), cue.end(), track), std::sregex_iterator()), 3)
        << "the data track and one per clip\n" << cue;
    EXPECT_GT(fs::file_size(OutputFolder() + "Holiday/VideoCD.bin"), 0u);
}

}  // namespace
