#include "cli/CliChoices.h"

#include "app/SettingsStore.h"
#include "cli/EntryMatch.h"
#include "cli/ProfileListing.h"
#include "ini/PrivateProfile.h"
#include "lang/IniTextFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr char kProfiles[] = R"([AVI - DivX/XviD Video]
profile_shortname=generic-avi
file_extname=.avi
video_codec={DivX,XviD}
video_quality={High,Normal,Low}
video_size={Original,Custom...,320x240,640x480}
video_width={0,1,320,640}
video_height={0,1,240,480}
video_frame={Original,23.976,25,29.97}
video_aspect={Auto,4:3,16:9}
audio_quality={192 kbps,128 kbps}
audio_sample={44100,48000}
[DVD Folder (VIDEO_TS)]
profile_shortname=disc-dvdimg
video_quality={Low,Normal,High,Best}
video_size={720x480,720x576}
video_width={720,720}
video_height={480,576}
video_aspect={4:3 (Standard TV),16:9 (Wide Screen)}
video_tvtype={NTSC,PAL}
[Same as original video]
profile_shortname=generic-original
)";

class CliChoicesTest : public ::testing::Test {
protected:
    CliChoicesTest()
    {
        settings_.OutputFolder = "/home/user/Out/";
        folder_.Write("profiles.ini", kProfiles);
        const ini::PrivateProfile data(folder_.Path() + "profiles.ini");
        for (const std::string& section : data.SectionNames())
            settings_.catalogue.Add(profiles::ReadOutputProfile(data, section));
        lang::LanguageTable().SetValue("MainDialog", "High", "Hoch", true);
        lang::LanguageTable().SetValue("MainDialog", "Original", "Original", true);
    }
    ~CliChoicesTest() override { lang::LanguageTable() = lang::IniTextFile(); }

    std::string Apply(const std::vector<std::string>& arguments)
    {
        cli::ParseResult parsed = cli::ParseCommandLine(arguments);
        EXPECT_EQ(parsed.error, "");
        return cli::ApplyChoices(parsed.options, settings_);
    }
    profiles::ProfileChoice& Choice(int slot) { return *settings_.catalogue.Choice(slot); }

    testing_support::TestFolder folder_;
    app::SettingsStore settings_;
};

TEST_F(CliChoicesTest, ProfilesByNumberNameShortNameOrBeginning)
{
    const struct {
        const char* text;
        int slot;
    } cases[] = {
        {"0", 0}, {"1", 1}, {"dvd folder (video_ts)", 1}, {"generic-original", 2}, {"AVI", 0},
        {"Same", 2}, {"3", -1}, {"generic", -1}, {"", -1}, {"MP4", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::FindProfile(settings_, c.text), c.slot) << c.text;
}

TEST_F(CliChoicesTest, ABeginningOfSeveralProfilesListsThem)
{
    const std::string error = Apply({"-p", "GENERIC"});
    EXPECT_NE(error.find("several profiles"), std::string::npos) << error;
    EXPECT_NE(error.find("\n  0  AVI - DivX/XviD Video  (generic-avi)"), std::string::npos) << error;
    EXPECT_NE(error.find("\n  2  Same as original video  (generic-original)"), std::string::npos) << error;
    EXPECT_EQ(error.find("DVD"), std::string::npos) << error;
    EXPECT_EQ(Apply({"-p", "Blu"}), "'Blu' names no profile (see --list-profiles)");
}

TEST_F(CliChoicesTest, ProfileListFilteredWithContainerCodecsAndSize)
{
    EXPECT_EQ(cli::ProfileListing(settings_.catalogue, 1, "Avi"),
              "Generic\n     0  AVI - DivX/XviD Video  (generic-avi)\n"
              "          container avi; video DivX or XviD; audio as the source; size as the source\n");
    EXPECT_EQ(cli::ProfileListing(settings_.catalogue, 1, "dvdIMG"),
              "VCD SVCD DVD\n  *  1  DVD Folder (VIDEO_TS)  (disc-dvdimg)\n"
              "          container DVD folder (VIDEO_TS); video as the source; audio as the source; size 720x480 "
              "(NTSC)\n");
    EXPECT_EQ(cli::ProfileListing(settings_.catalogue, 1, "mkv"), "");
    const std::string all = cli::ProfileListing(settings_.catalogue, 1, "");
    EXPECT_NE(all.find("Same as original video"), std::string::npos) << all;
    EXPECT_NE(all.find("AVI - DivX"), std::string::npos) << all;
}

TEST_F(CliChoicesTest, EntriesByTextShownTextNumberOrBeginning)
{
    EXPECT_EQ(Apply({"-p", "0", "--video-quality", "hoch", "--frame-rate", "25", "--aspect", "16:9",
                     "--sample-rate", "48", "--video-codec", "xvid", "--audio-quality", "1", "--no-letterbox"}),
              "");
    const profiles::ProfileChoice& c = Choice(0);
    EXPECT_EQ(c.video_quality, 0);
    EXPECT_EQ(c.video_frame, 2) << "the text 25 wins over row 25";
    EXPECT_EQ(c.video_aspect, 2);
    EXPECT_EQ(c.audio_sample, 1);
    EXPECT_EQ(c.video_codec, 1);
    EXPECT_EQ(c.audio_quality, 1);
    EXPECT_EQ(c.video_letterbox, 0);
    EXPECT_EQ(settings_.OutputFormat, 0);
}

TEST_F(CliChoicesTest, SizesIncludingACustomOne)
{
    EXPECT_EQ(Apply({"-p", "0", "--size", "640x480"}), "");
    EXPECT_EQ(Choice(0).video_size, 3);
    EXPECT_EQ(Apply({"--size", "400X300"}), "");
    EXPECT_EQ(Choice(0).video_size, 1);
    EXPECT_EQ(Choice(0).custom_width, 400);
    EXPECT_EQ(Choice(0).custom_height, 300);
    EXPECT_NE(Apply({"--size", "10x10"}), "");
    EXPECT_NE(Apply({"-p", "1", "--size", "720x576"}), "") << "the TV type sets a disc's size";
}

TEST_F(CliChoicesTest, DiscChoices)
{
    EXPECT_EQ(Apply({"-p", "DVD", "--tv-type", "pal", "--aspect", "4:3", "--dvd-chapters", "30",
                     "--disc-label", "Holiday", "--video-quality", "Best"}),
              "");
    EXPECT_EQ(Choice(1).video_tvtype, 1);
    EXPECT_EQ(Choice(1).video_aspect, 0);
    EXPECT_EQ(Choice(1).video_quality, 3);
    EXPECT_EQ(settings_.DVDChapter, 4);
    EXPECT_EQ(settings_.DiscLabel, "Holiday");
}

TEST_F(CliChoicesTest, VolumeCpuAndOutputFolder)
{
    EXPECT_EQ(Apply({"-p", "0", "--volume", "150", "--cpu-usage", "85", "-o", "/tmp/a/../b"}), "");
    EXPECT_EQ(settings_.Volume, 10);
    EXPECT_EQ(settings_.CPUUsage, 1);
    EXPECT_EQ(settings_.OutputFolder, "/tmp/b/");
    EXPECT_EQ(Apply({"--volume", "original"}), "");
    EXPECT_EQ(settings_.Volume, 8);
}

TEST_F(CliChoicesTest, ChoicesThatDoNotSuitTheProfile)
{
    const std::vector<std::vector<std::string>> cases = {
        {"-p", "0", "--tv-type", "PAL"},           {"-p", "1", "--frame-rate", "25"},
        {"-p", "0", "--dvd-chapters", "10"},       {"-p", "0", "--disc-label", "X"},
        {"-p", "2", "--volume", "200%"},           {"-p", "0", "--video-quality", "Ultra"},
        {"-p", "0", "--aspect", "5"},              {"-p", "0", "--volume", "110"},
        {"-p", "0", "--cpu-usage", "50"},          {"-p", "0", "-o", "/tmp/bad:name"},
        {"-p", "0", "-o", "/tmp/.hidden"},
    };
    for (const auto& arguments : cases) {
        EXPECT_NE(Apply(arguments), "") << arguments[1] << " " << arguments[2];
    }
    EXPECT_EQ(settings_.OutputFolder, "/home/user/Out/");
    settings_.OutputFormat = -1;
    EXPECT_NE(Apply({}), "") << "no profile chosen";
}

// The check follows the video codec chosen on the same line: the AVI
// profile's second codec here encodes with x264.
TEST_F(CliChoicesTest, SpeedByWordNumberOrBeginningForEncodersWithPresets)
{
    folder_.Write("more.ini", "[AVI or H.264]\nprofile_shortname=generic-avi\nvideo_codec={DivX,H.264}\n"
                              "command1=-ovc lavc -lavcopts vcodec=mpeg4\ncommand2=-ovc x264 -x264encopts crf=23\n");
    settings_.catalogue.Add(profiles::ReadOutputProfile(ini::PrivateProfile(folder_.Path() + "more.ini"), "AVI or H.264"));
    settings_.Speed = 0;
    EXPECT_NE(Apply({"-p", "3", "--speed", "better"}), "") << "DivX has no presets";
    EXPECT_EQ(settings_.Speed, 0);
    EXPECT_EQ(Apply({"--speed", "balanced"}), "") << "what every encoder does";
    EXPECT_EQ(settings_.Speed, 1);
    EXPECT_EQ(Apply({"-p", "3", "--video-codec", "H.264", "--speed", "better"}), "");
    EXPECT_EQ(settings_.Speed, 2);
    EXPECT_EQ(Apply({"--speed", "F"}), "");
    EXPECT_EQ(settings_.Speed, 0);
    EXPECT_EQ(Apply({"--speed", "1"}), "");
    EXPECT_EQ(settings_.Speed, 1);
    const std::string error = Apply({"--speed", "best"});
    EXPECT_NE(error.find("'best' names no speed"), std::string::npos) << error;
    EXPECT_EQ(settings_.Speed, 1);
}

TEST(EntryMatch, AmbiguousBeginningsNameNothing)
{
    const cli::EntryList list{"size", {"320x240", "320x200", "640x480"}, {}};
    EXPECT_EQ(cli::FindEntry(list, "320"), std::nullopt);
    EXPECT_EQ(cli::FindEntry(list, "640"), 2);
    EXPECT_EQ(cli::FindEntry(list, "1"), 1);
    std::int32_t field = 7;
    const std::string error = cli::Choose(list, "999x1", field);
    EXPECT_EQ(field, 7);
    EXPECT_NE(error.find("2  640x480"), std::string::npos) << error;
}

}  // namespace
