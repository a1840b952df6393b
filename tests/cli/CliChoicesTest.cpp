#include "cli/CliChoices.h"

#include "app/SettingsStore.h"
#include "cli/EntryMatch.h"
#include "lang/IniTextFile.h"

#include <gtest/gtest.h>

namespace {

class CliChoicesTest : public ::testing::Test {
protected:
    CliChoicesTest()
    {
        settings_.OutputFolder = "/home/user/Out/";
        profiles::OutputProfile avi;
        avi.name = "AVI - DivX/XviD Video";
        avi.profile_shortname = "generic-avi";
        avi.kind = profiles::ParseProfileKind(avi.profile_shortname);
        ParseList("{DivX,XviD}", avi.video_codec);
        ParseList("{High,Normal,Low}", avi.video_quality);
        ParseList("{Original,Custom...,320x240,640x480}", avi.video_size);
        profiles::ParseNumberList("{0,1,320,640}", avi.video_width.numbers);
        profiles::ParseNumberList("{0,1,240,480}", avi.video_height.numbers);
        ParseList("{Original,23.976,25,29.97}", avi.video_frame);
        ParseList("{Auto,4:3,16:9}", avi.video_aspect);
        ParseList("{192 kbps,128 kbps}", avi.audio_quality);
        ParseList("{44100,48000}", avi.audio_sample);
        settings_.catalogue.Add(avi);

        profiles::OutputProfile dvd;
        dvd.name = "DVD Folder (VIDEO_TS)";
        dvd.profile_shortname = "disc-dvdimg";
        dvd.kind = profiles::ParseProfileKind(dvd.profile_shortname);
        ParseList("{Low,Normal,High,Best}", dvd.video_quality);
        ParseList("{720x480,720x576}", dvd.video_size);
        ParseList("{4:3 (Standard TV),16:9 (Wide Screen)}", dvd.video_aspect);
        ParseList("{NTSC,PAL}", dvd.video_tvtype);
        settings_.catalogue.Add(dvd);

        profiles::OutputProfile original;
        original.name = "Same as original video";
        original.profile_shortname = "generic-original";
        original.kind = profiles::ParseProfileKind(original.profile_shortname);
        settings_.catalogue.Add(original);
        lang::LanguageTable().SetValue("MainDialog", "High", "Hoch", true);
        lang::LanguageTable().SetValue("MainDialog", "Original", "Original", true);
    }
    ~CliChoicesTest() override { lang::LanguageTable() = lang::IniTextFile(); }

    template <std::size_t N>
    static void ParseList(const char* value, profiles::TextList<N>& list)
    {
        profiles::ParseTextList(value, list.slots);
    }

    std::string Apply(const std::vector<std::string>& arguments)
    {
        cli::ParseResult parsed = cli::ParseCommandLine(arguments);
        EXPECT_EQ(parsed.error, "");
        return cli::ApplyChoices(parsed.options, settings_);
    }
    profiles::ProfileChoice& Choice(int slot) { return *settings_.catalogue.Choice(slot); }

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
