#include "profiles/ChoiceEntries.h"

#include <gtest/gtest.h>

using profiles::AspectRatio;
using profiles::EntryKind;

TEST(ChoiceEntries, SizesAreTypedByTheirNumbers)
{
    profiles::OutputProfile profile;
    profiles::ParseTextList("{Original,Custom...,320x240,Odd,0x480,1x1}", profile.video_size.slots);
    profiles::ParseNumberList("{0,1,320,640,0}", profile.video_width.numbers);
    profiles::ParseNumberList("{0,1,240,1,480}", profile.video_height.numbers);
    const std::tuple<EntryKind, std::int32_t, std::int32_t> expected[] = {
        {EntryKind::Original, 0, 0}, {EntryKind::Custom, 1, 1},   {EntryKind::Value, 320, 240},
        {EntryKind::Custom, 640, 1}, {EntryKind::Original, 0, 480}, {EntryKind::Original, 0, 0},
    };
    const std::vector<profiles::SizeEntry> entries = profiles::SizeEntries(profile);
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(std::tuple(entries[i].kind, entries[i].width, entries[i].height), expected[i]) << entries[i].text;
    EXPECT_EQ(profiles::SizeEntryAt(profile, 70).text, "") << "beyond the list";
}

TEST(ChoiceEntries, FrameRatesAreWordsOrRatesAsAtofReadsThem)
{
    const std::tuple<const char*, EntryKind, double, bool> cases[] = {
        {"Original", EntryKind::Original, 0, true}, {"Auto", EntryKind::Auto, 0, true},
        {"auto", EntryKind::Value, 0, true},        {"15 fps", EntryKind::Value, 15, false},
        {"0.05", EntryKind::Value, 0.05, true},     {"0.1", EntryKind::Value, 0.1, false},
    };
    for (const auto& [text, kind, rate, keepsSourceRate] : cases) {
        const profiles::FrameEntry entry = profiles::ParseFrameEntry(text);
        EXPECT_EQ(std::tuple(entry.kind, entry.rate, entry.KeepsSourceRate()), std::tuple(kind, rate, keepsSourceRate))
            << text;
    }
}

TEST(ChoiceEntries, AspectsAreWordsOrTheRatioTheyHold)
{
    const std::tuple<const char*, EntryKind, AspectRatio> cases[] = {
        {"Auto", EntryKind::Auto, AspectRatio::None},
        {"original", EntryKind::Value, AspectRatio::None},
        {"16:9 (Wide Screen)", EntryKind::Value, AspectRatio::SixteenNine},
        {"16:9 or 4:3", EntryKind::Value, AspectRatio::FourThree},
    };
    for (const auto& [text, kind, ratio] : cases) {
        const profiles::AspectEntry entry = profiles::ParseAspectEntry(text);
        EXPECT_EQ(std::tuple(entry.kind, entry.ratio), std::tuple(kind, ratio)) << text;
    }
}
