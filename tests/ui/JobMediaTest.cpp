// Whole jobs through the real window with the real engine tools on tiny
// clips made at test time; ffprobe, lsdvd and the cue sheet judge the results.
// Stopping a real tool midway is tested on avm itself and through diziv-cli.
#include "JobWindowFixture.h"

#include "AvmRunner.h"
#include "app/SettingsStore.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

using namespace widget_test;

namespace {

namespace fs = std::filesystem;

// Seconds of media in a file as ffprobe reads it; 0 when it cannot read it.
double PlayingSeconds(const std::string& path)
{
    return std::atof(avm_test::Probe(path).format["duration"].c_str());
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

    // Makes a 2-second clip (160x120 MPEG-4 video, MP3 sound, AVI) per file
    // name and adds them all with Add Files.
    void AddClips(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back(folder_.Make("clips/" + name));
            avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-f", "lavfi", "-i",
                                "sine=frequency=440:duration=2", "-c:v", "mpeg4", "-c:a", "libmp3lame", "-f", "avi",
                                paths.back()});
        }
        AddFiles(*window_, paths);
        ASSERT_EQ(window_->SourceCount(), static_cast<int>(names.size())) << testing::PrintToString(Messages());
    }

    void ConvertAndExpectSuccess(const std::vector<std::string>& statuses)
    {
        dialogs_.shown.clear();
        Convert();
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_TRUE(Messages().front().starts_with("The job is finished.\n\n")) << Messages().front();
        EXPECT_EQ(Statuses(), statuses);
        for (const std::string& name : OutputFiles())
            EXPECT_FALSE(name.starts_with("__tempFolder__")) << name;
    }
};

TEST_F(MediaJob, ConvertTwoClipsTwiceWithoutReplacingAnyFile)
{
    Open(SlotOf("generic-mp4"));
    AddClips({"first clip.avi", "second.avi"});
    fs::create_directories(OutputFolder());
    std::ofstream(OutputFolder() + "first clip.mp4") << "the user's own file";

    // The clips' MPEG-4 pictures already fit the profile: they are copied.
    ConvertAndExpectSuccess({"Done (copied)", "Done (copied)"});
    window_->SetTicked(0, true);
    window_->SetTicked(1, true);
    ConvertAndExpectSuccess({"Done (copied)", "Done (copied)"});

    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"first clip.mp4", "first clip_1.mp4", "first clip_2.mp4",
                                                       "second.mp4", "second_1.mp4"}));
    EXPECT_EQ(folder_.Read("out/first clip.mp4"), "the user's own file");
    for (const char* name : {"first clip_1.mp4", "first clip_2.mp4", "second.mp4", "second_1.mp4"})
        EXPECT_NEAR(PlayingSeconds(OutputFolder() + name), 2.0, 0.2) << name;
}

// Quotes and backslashes are plain letters in a file name; a file chosen
// in Add Files needs no known extension.
// A source the encoder cannot read (here noise the probe never saw) fails
// with the encoder's words in its tooltip, and stays ticked.
TEST_F(MediaJob, AnUnreadableSourceFailsWithTheEncodersReason)
{
    Open(SlotOf("generic-mp4"));
    std::string noise(8192, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    folder_.Write("clips/noise.avi", noise);
    engine::SourceItem item = Clip(folder_.Path() + "clips/noise.avi");
    item.frameRate = 25;
    window_->AppendSource(item);
    dialogs_.shown.clear();
    Convert();
    EXPECT_EQ(Statuses(), std::vector<std::string>{"Failed"});
    EXPECT_EQ(Ticks(), std::vector<bool>{true});
    EXPECT_EQ(ListView(window_.get())->model()->index(0, 4).data(Qt::ToolTipRole).toString().toStdString(),
              "cannot open " + folder_.Path() + "clips/noise.avi: Invalid data found when processing input");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages().front().find("0 converted, 1 failed"), std::string::npos) << Messages().front();
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

TEST_F(MediaJob, NamesWithAQuoteOrATrailingBackslashConvert)
{
    Open(SlotOf("generic-mp4"));
    AddClips({"x\"y.avi", "clip\\"});
    ConvertAndExpectSuccess({"Done (copied)", "Done (copied)"});
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"clip\\.mp4", "x\"y.mp4"}));
    for (const std::string& name : OutputFiles())
        EXPECT_NEAR(PlayingSeconds(OutputFolder() + name), 2.0, 0.2) << name;
}

TEST_F(MediaJob, JoinerEditionJoinsThreeClipsConvertedOrAsTheyAre)
{
    UseJoinerEdition();
    const struct {
        const char* profile;
        std::vector<std::string> statuses;
        const char* output;
    } cases[] = {
        {"generic-mp4", {"Done", "Done", "Done"}, "a.mp4"},
        {"generic-original", {"--", "--", "--"}, "a.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        fs::remove_all(OutputFolder());
        Open(SlotOf(c.profile));
        AddClips({"a.avi", "b.avi", "c.avi"});
        ConvertAndExpectSuccess(c.statuses);
        EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(OutputFiles(), std::vector<std::string>{c.output});
        EXPECT_NEAR(PlayingSeconds(OutputFolder() + c.output), 6.0, 0.3);
    }
}

// What the disc tools author is checked in the disc tests; here the window
// runs the whole job into a folder named after the disc label.
TEST_F(MediaJob, DiscJobsAuthorUnderTheDiscLabel)
{
    Open(SlotOf("disc-dvdimg"));
    AddClips({"a.avi", "b.avi"});
    ConvertAndExpectSuccess({"Done", "Done"});
    EXPECT_EQ(OutputFiles(), std::vector<std::string>{"Holiday"});
    std::string listing;
    EXPECT_TRUE(avm_test::RunProgram({"lsdvd", OutputFolder() + "Holiday"}, &listing)) << listing;
    EXPECT_NE(listing.find("Chapters: 02"), std::string::npos) << listing;

    fs::remove_all(OutputFolder());
    Open(SlotOf("disc-vcdimg"));
    AddClips({"c.avi", "d.avi"});
    ConvertAndExpectSuccess({"Done", "Done"});
    const std::string cue = folder_.Read("out/Holiday/VideoCD.cue");
    const std::regex track("TRACK \\d+ MODE2/2352");
    EXPECT_EQ(std::distance(std::sregex_iterator(cue.begin(), cue.end(), track), std::sregex_iterator()), 3)
        << "the data track and one per clip\n" << cue;
    EXPECT_GT(fs::file_size(OutputFolder() + "Holiday/VideoCD.bin"), 0u);
}

}  // namespace
