#include "engine/DiscRules.h"

#include "profiles/OutputProfile.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(DiscRules, CapacityTable)
{
    const struct {
        const char* shortName;
        int quality;
        DiscCapacity expected;
    } cases[] = {
        {"disc-dvdimg-ntsc", 0, {225, 5, 30, 210}}, {"disc-svcdimg", 3, {43, 1, 5, 38}},
        {"disc-vcdimg", 9, {85, 1, 10, 74}},        {"disc-dvdimg", -1, {225, 5, 30, 210}},
    };
    for (const auto& c : cases) {
        const DiscCapacity got = DiscCapacityFor(profiles::ParseProfileKind(c.shortName), c.quality);
        EXPECT_EQ(got.maximum, c.expected.maximum) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.minorStep, c.expected.minorStep) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.labelStep, c.expected.labelStep) << c.shortName << " " << c.quality;
        EXPECT_EQ(got.capacityMinutes, c.expected.capacityMinutes) << c.shortName << " " << c.quality;
    }
}

TEST(DiscRules, LabelRules)
{
    for (char bad : std::string("\"*/:<>?\\|'&;#"))
        EXPECT_EQ(CheckDiscLabelText(std::string("Disc") + bad), DiscLabelProblem::SpecialCharacter) << bad;
    EXPECT_EQ(CheckDiscLabelText("My Disc-2024"), DiscLabelProblem::None);

    profiles::OutputProfile mp4;
    mp4.profile_shortname = "generic-mp4";
    mp4.kind = profiles::ParseProfileKind(mp4.profile_shortname);
    EXPECT_TRUE(CheckDiscLabel(&mp4, "").Succeeded()) << "only disc images need a label";
    profiles::OutputProfile dvd;
    dvd.profile_shortname = "disc-dvdimg";
    dvd.kind = profiles::ParseProfileKind(dvd.profile_shortname);
    EXPECT_EQ(CheckDiscLabel(&dvd, "").Failure(), app::Notice(app::NoticeId::DiscLabelEmpty));
    EXPECT_EQ(CheckDiscLabel(&dvd, "A;B").Failure(), app::Notice(app::NoticeId::DiscLabelSpecialCharacter));
    EXPECT_TRUE(CheckDiscLabel(&dvd, "My Disc-2024").Succeeded());
}
