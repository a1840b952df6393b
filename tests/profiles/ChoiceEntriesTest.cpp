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
    const struct {
        EntryKind kind;
        std::int32_t width, height;
        const char* text;
    } expected[] = {
        {EntryKind::Original, 0, 0, "Original"}, {EntryKind::Custom, 1, 1, "Custom..."},
        {EntryKind::Value, 320, 240, "320x240"},  {EntryKind::Custom, 640, 1, "Odd"},
        {EntryKind::Original, 0, 480, "0x480"},   {EntryKind::Original, 0, 0, "1x1"},
    };
    const std::vector<profiles::SizeEntry> entries = profiles::SizeEntries(profile);
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(entries[i].kind, expected[i].kind);
        EXPECT_EQ(entries[i].width, expected[i].width);
        EXPECT_EQ(entries[i].height, expected[i].height);
        EXPECT_EQ(entries[i].text, expected[i].text);
    }
    const profiles::SizeEntry beyond = profiles::SizeEntryAt(profile, 70);
    EXPECT_EQ(beyond.kind, EntryKind::Original);
    EXPECT_EQ(beyond.text, "");
}

TEST(ChoiceEntries, FrameRatesAreWordsOrRatesAsAtofReadsThem)
{
    const struct {
        const char* text;
        EntryKind kind;
        double rate;
        bool keepsSourceRate;
    } cases[] = {
        {"Original", EntryKind::Original, 0, true}, {"Auto", EntryKind::Auto, 0, true},
        {"auto", EntryKind::Value, 0, true},        {"", EntryKind::Value, 0, true},
        {"29.97", EntryKind::Value, 29.97, false},  {"15 fps", EntryKind::Value, 15, false},
        {"0.05", EntryKind::Value, 0.05, true},     {"0.1", EntryKind::Value, 0.1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const profiles::FrameEntry entry = profiles::ParseFrameEntry(c.text);
        EXPECT_EQ(entry.kind, c.kind);
        EXPECT_DOUBLE_EQ(entry.rate, c.rate);
        EXPECT_EQ(entry.KeepsSourceRate(), c.keepsSourceRate);
        EXPECT_EQ(entry.text, c.text);
    }
}

TEST(ChoiceEntries, AspectsAreWordsOrTheRatioTheyHold)
{
    const struct {
        const char* text;
        EntryKind kind;
        AspectRatio ratio;
    } cases[] = {
        {"Auto", EntryKind::Auto, AspectRatio::None},
        {"Original", EntryKind::Original, AspectRatio::None},
        {"original", EntryKind::Value, AspectRatio::None},
        {"4:3", EntryKind::Value, AspectRatio::FourThree},
        {"16:9 (Wide Screen)", EntryKind::Value, AspectRatio::SixteenNine},
        {"16:9 or 4:3", EntryKind::Value, AspectRatio::FourThree},
        {"Square", EntryKind::Value, AspectRatio::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const profiles::AspectEntry entry = profiles::ParseAspectEntry(c.text);
        EXPECT_EQ(entry.kind, c.kind);
        EXPECT_EQ(entry.ratio, c.ratio);
    }
}

TEST(ChoiceEntries, ListsGiveOneEntryPerListedText)
{
    profiles::OutputProfile profile;
    profiles::ParseTextList("{Auto,25,29.97}", profile.video_frame.slots);
    profiles::ParseTextList("{Original,16:9}", profile.video_aspect.slots);
    const std::vector<profiles::FrameEntry> frames = profiles::FrameEntries(profile);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].kind, EntryKind::Auto);
    EXPECT_DOUBLE_EQ(frames[2].rate, 29.97);
    const std::vector<profiles::AspectEntry> aspects = profiles::AspectEntries(profile);
    ASSERT_EQ(aspects.size(), 2u);
    EXPECT_EQ(aspects[0].kind, EntryKind::Original);
    EXPECT_EQ(aspects[1].ratio, AspectRatio::SixteenNine);
    EXPECT_EQ(profiles::FrameEntryAt(profile, 1).text, "25");
    EXPECT_EQ(profiles::AspectEntryAt(profile, 5).text, "");
}
