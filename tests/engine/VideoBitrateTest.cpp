#include "engine/VideoBitrate.h"

#include "engine/EngineArguments.h"
#include "engine/StreamFit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace engine;

namespace {

// Shaped like the shipped generic MP4 profile: listed sizes up to 1280x720.
profiles::OutputProfile Mp4Profile(const std::string& shortName = "generic-mp4-h264")
{
    profiles::OutputProfile profile;
    profile.profile_shortname = shortName;
    profile.kind = profiles::ParseProfileKind(shortName);
    profile.command1 = "-ovc x264 -x264encopts bitrate=__video_bitrate__ -oac lavc -lavcopts acodec=aac "
                       "-vf scale=__video_size__,harddup";
    profile.video_codec.slots = {"H.264", "MPEG4"};
    profile.video_bitrate.numbers = {2000, 1200, 400};
    profile.video_size.slots = {"Original", "Custom...", "320x240", "640x480", "1280x720"};
    profile.video_width.numbers = {0, 1, 320, 640, 1280};
    profile.video_height.numbers = {0, 1, 240, 480, 720};
    return profile;
}

struct Rate {
    profiles::OutputProfile profile = Mp4Profile();
    profiles::ProfileChoice choice;
    SourceItem source;
    FrameSize output{1280, 720};

    std::int32_t Effective() const { return EffectiveVideoBitrate(profile, choice, source, output); }
};

struct RateCase {
    const char* what;
    std::function<void(Rate&)> change;
    std::int32_t expected;
};

void ExpectRates(const std::vector<RateCase>& cases)
{
    for (const RateCase& c : cases) {
        Rate rate;
        c.change(rate);
        EXPECT_EQ(rate.Effective(), c.expected) << c.what;
    }
}

void ChooseCustom(Rate& rate, std::int32_t width, std::int32_t height)
{
    rate.choice.video_size = 1;
    rate.choice.custom_width = width;
    rate.choice.custom_height = height;
    rate.output = {width, height};
}

}  // namespace

TEST(VideoBitrate, PicturesOfTheSourcesSizeGetRatesInProportionToTheirPixels)
{
    ExpectRates({
        {"the nominal size itself", [](Rate&) {}, 2000},
        {"a quarter of its pixels", [](Rate& r) { r.output = {640, 360}; }, 500},
        {"854x480, rounded", [](Rate& r) { r.output = {854, 480}; }, 890},
        {"1920x1080 stays at the chosen rate", [](Rate& r) { r.output = {1920, 1080}; }, 2000},
        {"the lower quality scales too",
         [](Rate& r) {
             r.choice.video_quality = 1;
             r.output = {640, 360};
         },
         300},
        {"a custom size counts like the source's", [](Rate& r) { ChooseCustom(r, 640, 360); }, 500},
        {"a custom size not chosen yet keeps the rate", [](Rate& r) { ChooseCustom(r, 0, 0); }, 2000},
        {"a source without a picture keeps the rate", [](Rate& r) { r.output = {0, 0}; }, 2000},
    });
}

TEST(VideoBitrate, SmallPicturesStopAtTheCodecsFloorButNeverAboveTheChosenRate)
{
    ExpectRates({
        {"320x240 H.264", [](Rate& r) { r.output = {320, 240}; }, 250},
        {"320x240 MPEG-4",
         [](Rate& r) {
             r.output = {320, 240};
             r.choice.video_codec = 1;
         },
         500},
        {"a codec the table does not know takes the higher floor",
         [](Rate& r) {
             r.output = {320, 240};
             r.profile.video_codec.slots = {"wmv8"};
         },
         500},
        {"a chosen rate below the floor",
         [](Rate& r) {
             r.output = {320, 240};
             r.choice.video_quality = 2;
             r.choice.video_codec = 1;
         },
         400},
    });
}

TEST(VideoBitrate, TheSourcesOwnRateCapsTheScaledRate)
{
    ExpectRates({
        {"one and a half times the source's", [](Rate& r) { r.source.videoBitrate = 1000; }, 1500},
        {"a rich source does not raise it", [](Rate& r) { r.source.videoBitrate = 9000; }, 2000},
        {"the cap goes below the floor",
         [](Rate& r) {
             r.output = {320, 240};
             r.source.videoBitrate = 100;
         },
         150},
        {"an unknown source rate caps nothing",
         [](Rate& r) {
             r.output = {320, 240};
             r.source.videoBitrate = 0;
         },
         250},
        {"a custom size is capped too",
         [](Rate& r) {
             ChooseCustom(r, 1280, 720);
             r.source.videoBitrate = 600;
         },
         900},
    });
}

TEST(VideoBitrate, ListedSizesAndDiscsKeepTheChosenRateExactly)
{
    ExpectRates({
        {"listed 320x240",
         [](Rate& r) {
             r.choice.video_size = 2;
             r.output = {320, 240};
             r.source.videoBitrate = 100;
         },
         2000},
        {"DVD",
         [](Rate& r) {
             r.profile = Mp4Profile("disc-dvd");
             r.profile.video_size.slots = {"720x480"};
             r.profile.video_width.numbers = {720};
             r.profile.video_height.numbers = {480};
             r.output = {720, 480};
             r.source.videoBitrate = 100;
         },
         2000},
        {"a disc profile with an Original entry",
         [](Rate& r) {
             r.profile = Mp4Profile("disc-vcd");
             r.output = {320, 240};
         },
         2000},
        {"no rate for the quality", [](Rate& r) { r.choice.video_quality = 7; }, 0},
    });
}

TEST(VideoBitrate, TheNominalSizeIsTheLargestListedAtMost1080p)
{
    struct Case {
        std::vector<FrameSize> listed;  // 0x0 Original, 1x1 Custom
        FrameSize expected;
    };
    const std::vector<Case> cases = {
        {{{0, 0}, {1, 1}, {320, 240}, {1280, 720}, {640, 480}}, {1280, 720}},
        {{{0, 0}, {640, 360}, {3840, 2160}, {1920, 1080}, {2560, 1440}}, {1920, 1080}},
        {{{0, 0}, {1, 1}}, {1280, 720}},
        {{{3840, 2160}}, {1920, 1080}},
    };
    for (const Case& c : cases) {
        profiles::OutputProfile profile;
        std::string listed;
        for (std::size_t i = 0; i < c.listed.size(); ++i) {
            const std::string text = std::to_string(c.listed[i].width) + "x" + std::to_string(c.listed[i].height);
            profile.video_size.slots[i] = text;
            profile.video_width.numbers[i] = c.listed[i].width;
            profile.video_height.numbers[i] = c.listed[i].height;
            listed += text + " ";
        }
        const FrameSize nominal = NominalFrameSize(profile);
        EXPECT_EQ(nominal.width, c.expected.width) << listed;
        EXPECT_EQ(nominal.height, c.expected.height) << listed;
    }
}

// The encoder writes the rate sized to its picture; the decision to copy a
// fitting picture compares with the chosen rate, since a copy keeps the
// source's own bits and so never grows the file.
TEST(VideoBitrate, TheEncoderSizesItsRateButACopyIsJudgedByTheChosenRate)
{
    const profiles::OutputProfile profile = Mp4Profile();
    const profiles::ProfileChoice choice;
    SourceItem source;
    source.path = "/videos/small.mp4";
    source.duration = source.trimEnd = 10;
    source.videoCodec = "h264";
    source.videoBitrate = 600;
    source.width = 640;
    source.height = 360;
    source.frameRate = 25;
    auto encoderRate = [&](std::optional<FrameSize> joinerFirstSource) {
        const Arguments words = FilledTemplate({source, profile, choice, app::DecodeEngine::Auto, {}, "", "", ".mp4",
                                                joinerFirstSource});
        return words.at(3);
    };
    EXPECT_EQ(encoderRate(std::nullopt), "bitrate=500");
    EXPECT_EQ(encoderRate(FrameSize{320, 240}), "bitrate=250") << "a join writes the first source's size";

    const app::JobSettings settings;
    EXPECT_TRUE(ChooseStreamCopy({source, profile, choice, settings}).video) << "600 kbit/s is within 2000";
    source.videoBitrate = 2100;
    EXPECT_FALSE(ChooseStreamCopy({source, profile, choice, settings}).video);
}
