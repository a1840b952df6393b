#include "engine/DiscRules.h"

#include "app/Application.h"
#include "lang/IniTextFile.h"
#include "profiles/OutputProfile.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(DiscRules, CapacityTable)
{
    const struct {
        const char* shortName;
        int quality;
        DiscCapacity expected;
    } cases[] = {
        {"disc-dvdimg-ntsc", 0, {225, 5, 30, 210}}, {"disc-dvdimg", 2, {165, 5, 15, 150}},
        {"disc-dvdimg", 3, {135, 5, 15, 120}},      {"disc-svcdimg", 0, {55, 1, 5, 50}},
        {"disc-svcdimg", 3, {43, 1, 5, 38}},        {"disc-vcdimg", 0, {130, 2, 20, 124}},
        {"disc-vcdimg", 1, {120, 1, 10, 104}},      {"disc-vcdimg", 2, {96, 1, 10, 84}},
        {"disc-vcdimg", 3, {85, 1, 10, 74}},        {"disc-vcdimg", 9, {85, 1, 10, 74}},
        {"disc-dvdimg", -1, {225, 5, 30, 210}},
    };
    for (const auto& c : cases) {
        const DiscCapacity got = DiscCapacityFor(c.shortName, c.quality);
        EXPECT_EQ(got.maximum, c.expected.maximum) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.minorStep, c.expected.minorStep) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.labelStep, c.expected.labelStep) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.capacityMinutes, c.expected.capacityMinutes) << c.shortName << " " << c.quality;
    }
}

TEST(DiscRules, LabelTexts)
{
    using P = DiscLabelProblem;
    EXPECT_EQ(CheckDiscLabelText("My Disc-2024"), P::None);
    EXPECT_EQ(CheckDiscLabelText(""), P::Empty);
    for (char bad : std::string("\"*/:<>?\\|'&;#"))
        EXPECT_EQ(CheckDiscLabelText(std::string("Disc") + bad), P::SpecialCharacter) << bad;
}

TEST(DiscRules, LabelCheckTellsWhatIsWrongOnlyForDiscImages)
{
    lang::LanguageTable().SetValue("MainDialog", "Disc label enmpty", "Empty label", true);
    lang::LanguageTable().SetValue("MainDialog", "Not special char", "No special characters", true);
    profiles::OutputProfile dvd, mp4;
    dvd.profile_shortname = "disc-dvdimg";
    mp4.profile_shortname = "generic-mp4";
    testing_support::RecordingDialogs dialogs;

    EXPECT_EQ(CheckDiscLabel(&mp4, "", dialogs), 1);
    EXPECT_EQ(CheckDiscLabel(nullptr, "", dialogs), 1);
    EXPECT_EQ(CheckDiscLabel(&dvd, "Holiday 2024", dialogs), 1);
    EXPECT_TRUE(dialogs.shown.empty());

    EXPECT_EQ(CheckDiscLabel(&dvd, "", dialogs), 0);
    EXPECT_EQ(CheckDiscLabel(&dvd, "A;B", dialogs), 0);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, "Empty label");
    EXPECT_EQ(dialogs.shown[1].text, "No special characters\n\" * / : < > ? \\ | ' & ; #");
    EXPECT_EQ(dialogs.shown[1].caption, app::Application().appName);
}

TEST(DiscRules, WholeMinutes)
{
    EXPECT_EQ(WholeMinutes(119.9), 1);
    EXPECT_EQ(WholeMinutes(3600), 60);
    EXPECT_EQ(WholeMinutes(59), 0);
}
