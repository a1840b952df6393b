// Real probes through the main window: clips made with ffmpeg are added
// and read by the real avm; what the rows and Properties show is checked
// against ffprobe.
#include "WidgetTest.h"

#include "AvmRunner.h"
#include "TestClips.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "ui/MainDialog.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <sstream>

using namespace widget_test;
using avm_test::Clips;
using ui::Command;
using ui::Qs;

namespace {

class SourceMedia : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        std::filesystem::create_symlink(std::string(PROGRAM_DIR) + "avm", Program() + "avm");
        std::filesystem::create_directories(folder_.Path() + "videos");
        folder_.Write("prog/system/fonts/ARIAL.TTF", "");
        app::Settings().DecodeEngine = 0;
    }

    std::string Copy(const std::string& clip, const std::string& name)
    {
        const std::string target = folder_.Path() + "videos/" + name;
        std::filesystem::copy_file(clip, target);
        return target;
    }

    // Opens Properties of a row and lets inspect look at the window before it is cancelled.
    static void WithProperties(ui::MainDialog& window, int row, std::function<void(QWidget*)> inspect)
    {
        SelectRows(&window, {row});
        OnNextModal([inspect](QWidget* modal) {
            inspect(modal);
            if (modal->isVisible())
                modal->close();
        });
        window.RunCommand(Command::Properties);
    }

    static std::string Value(QWidget* dialog, const char* name)
    {
        return Find<QLineEdit>(dialog, name)->text().toStdString();
    }
};

double Rate(const std::string& fraction)
{
    auto slash = fraction.find('/');
    return std::stod(fraction.substr(0, slash)) / std::stod(fraction.substr(slash + 1));
}

TEST_F(SourceMedia, AFolderOfMixedClipsGivesOneRowPerReadableVideoWithItsTracks)
{
    const std::vector<std::string> readable = {Copy(Clips().mpeg4Mp3, "clip.avi"), Copy(Clips().h264Aac, "clip.mp4"),
                                               Copy(Clips().mpeg2Mp2, "clip.mpg"), Copy(Clips().multiTrack, "tracks.mkv")};
    folder_.Write("videos/text.avi", std::string(4096, 't'));
    folder_.Write("videos/tiny.avi", std::string(1023, 't'));
    folder_.Write("videos/notes.txt", std::string(4096, 'n'));
    auto window = OpenMainWindow();
    window->SetFolderChooser([this](QWidget*, const QString&, const QString&, const QString&) {
        return Qs(folder_.Path() + "videos");
    });
    RunAndProbe(*window, Command::AddFolder);

    ASSERT_EQ(window->SourceCount(), 4);
    std::vector<avm_test::ProbeFacts> facts;
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(readable[row]);
        facts.push_back(avm_test::Probe(readable[row]));
        auto video = facts[row].First("video");
        const long seconds = std::lround(std::stod(facts[row].format["duration"]));
        EXPECT_EQ(window->SourceAt(row).path, readable[row]);
        EXPECT_TRUE(window->IsTicked(row));
        EXPECT_EQ(Column(window.get(), 0)[row], readable[row]);
        EXPECT_EQ(Column(window.get(), 1)[row], video["width"] + " X " + video["height"]);
        EXPECT_EQ(Column(window.get(), 2)[row], "00:00:00");
        EXPECT_EQ(Column(window.get(), 3)[row], app::SecondsToClock(static_cast<double>(seconds)));
    }

    ASSERT_EQ(dialogs_.shown.size(), 2u);
    std::vector<std::string> messages = {dialogs_.shown[0].text, dialogs_.shown[1].text};
    std::sort(messages.begin(), messages.end());
    EXPECT_EQ(messages[0], "    " + lang::Text("MainDialog", "Load video failed") + folder_.Path() +
                               "videos/text.avi\n\n    " + lang::Text("MainDialog", "Unsupported  video") +
                               "\n\n    cannot open " + folder_.Path() +
                               "videos/text.avi: Invalid data found when processing input");
    EXPECT_EQ(messages[1], "The file is too small to be a video: " + folder_.Path() + "videos/tiny.avi");

    auto video = facts[3].First("video");
    auto audio = facts[3].First("audio");
    WithProperties(*window, 3, [&](QWidget* dialog) {
        EXPECT_EQ(Value(dialog, "locationValue"), readable[3]);
        EXPECT_EQ(Value(dialog, "durationValue"), Column(window.get(), 3)[3]);
        EXPECT_EQ(Value(dialog, "videoCodecValue"), video["codec_name"]);
        EXPECT_EQ(Value(dialog, "frameSizeValue"), video["width"] + "x" + video["height"]);
        EXPECT_NEAR(std::stod(Value(dialog, "frameRateValue")), Rate(video["avg_frame_rate"]), 0.01);
        EXPECT_EQ(Value(dialog, "audioCodecValue"), audio["codec_name"]);
        EXPECT_EQ(Value(dialog, "sampleRateValue"), audio["sample_rate"]);
        EXPECT_EQ(Value(dialog, "channelsValue"), audio["channels"]);
        auto* audioTracks = Find<QComboBox>(dialog, "audioTrackList");
        auto* subtitle = Find<QComboBox>(dialog, "subtitleTrackList");
        ASSERT_EQ(audioTracks->count(), 2);
        EXPECT_EQ(audioTracks->itemText(0).toStdString(), "1   English   ");
        EXPECT_EQ(audioTracks->itemText(1).toStdString(), "2   German   Zweite");
        ASSERT_EQ(subtitle->count(), 2);
        EXPECT_EQ(subtitle->itemText(1).toStdString(), "3   French   ");
        EXPECT_EQ(subtitle->currentIndex(), 0) << "No Subtitle";
        audioTracks->setCurrentIndex(1);
        subtitle->setCurrentIndex(1);
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(window->SourceAt(3).audioTrack, 1);
    EXPECT_EQ(window->SourceAt(3).subtitleTrack, 0);
    EXPECT_EQ(window->SourceAt(0).audioTrack, 0) << "the other rows keep their own choice";
    EXPECT_EQ(window->SourceAt(0).subtitleTrack, -1);
}

// The cut-off file's index (an MP4 "moov" written in front) promises ten
// seconds, but the data end after less than half a second. ffprobe opens it; the built-in route refuses it
// as damaged, the tolerant route of the decode script reads what is there.
TEST_F(SourceMedia, ACutOffFileIsReadOnlyThroughTheDecodeScript)
{
    const std::string whole = folder_.Path() + "whole.mp4";
    avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=10", "-f", "lavfi", "-i",
                        "sine=frequency=440:sample_rate=44100:duration=10", "-c:v", "mpeg4", "-c:a", "aac",
                        "-movflags", "+faststart", whole});
    std::string packets;
    ASSERT_TRUE(avm_test::RunProgram({"ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                                      "packet=pts_time,pos", "-of", "csv=p=0", whole},
                                     &packets));
    std::uintmax_t cut = 0;
    std::istringstream lines(packets);
    for (std::string line; std::getline(lines, line);) {
        const auto comma = line.find(',');
        if (comma != std::string::npos && std::stod(line.substr(0, comma)) >= 0.4) {
            cut = std::stoull(line.substr(comma + 1));
            break;
        }
    }
    ASSERT_GT(cut, 1024u);
    const std::string cutOff = folder_.Path() + "videos/cut off.mp4";
    std::filesystem::copy_file(whole, cutOff);
    std::filesystem::resize_file(cutOff, cut);
    ASSERT_FALSE(avm_test::Probe(cutOff).First("video").empty()) << "ffprobe still reads the file";

    auto window = OpenMainWindow();
    app::Settings().DecodeEngine = 1;
    AddFiles(*window, {cutOff});
    EXPECT_EQ(window->SourceCount(), 0);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text.rfind("    " + lang::Text("MainDialog", "Load video failed") + cutOff + "\n\n    " +
                                               lang::Text("MainDialog", "Change decoder") + ".\n\n    " + cutOff +
                                               " is damaged or cut off",
                                           0),
              0u)
        << dialogs_.shown[0].text;

    app::Settings().DecodeEngine = 0;
    AddFiles(*window, {cutOff});
    ASSERT_EQ(window->SourceCount(), 1);
    EXPECT_EQ(dialogs_.shown.size(), 1u) << "the fall-back succeeds without a message";
    EXPECT_EQ(window->SourceAt(0).decodeViaDirectShow, 1);
    EXPECT_EQ(Column(window.get(), 1), std::vector<std::string>{"160 X 120"});
}

// A file of sound only, even one whose cover picture is a video stream to
// ffprobe, is a row without a picture: its frame size and the picture
// facts of Properties say so rather than 0.
TEST_F(SourceMedia, ASoundFileIsARowWithoutPicture)
{
    const std::string plain = folder_.Path() + "videos/1 tone.flac", covered = folder_.Path() + "videos/2 song.mp3";
    avm_test::MakeClip({"-f", "lavfi", "-i", "sine=duration=3", plain});
    avm_test::MakeClip({"-f", "lavfi", "-i", "sine=duration=2", "-f", "lavfi", "-i", "color=size=64x64:duration=1",
                        "-map", "0", "-map", "1", "-frames:v", "1", "-c:v", "png", "-disposition:v", "attached_pic",
                        covered});
    auto window = OpenMainWindow();
    AddFiles(*window, {plain, covered});
    ASSERT_EQ(window->SourceCount(), 2) << (dialogs_.shown.empty() ? "" : dialogs_.shown[0].text);
    const std::string noPicture = lang::Text("MainDialog", "No Picture");
    ASSERT_FALSE(noPicture.empty());
    EXPECT_EQ(Column(window.get(), 1), (std::vector<std::string>{noPicture, noPicture}));
    EXPECT_EQ(Column(window.get(), 3), (std::vector<std::string>{"00:00:03", "00:00:02"}));
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(window->SourceAt(row).soundOnly);
        WithProperties(*window, row, [&](QWidget* dialog) {
            for (const char* fact : {"videoCodecValue", "videoBitrateValue", "frameSizeValue", "frameRateValue"}) {
                EXPECT_EQ(Value(dialog, fact), lang::Text("PropertiesDialog", "No Picture Value")) << fact;
            }
            EXPECT_EQ(Value(dialog, "audioCodecValue"), row == 0 ? "flac" : "mp3");
        });
    }
}

}  // namespace
