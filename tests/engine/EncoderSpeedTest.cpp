#include "engine/EncoderSpeed.h"

#include "engine/EngineArguments.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

profiles::OutputProfile ProfileWith(const std::string& shortName, const std::string& command1,
                                    const std::string& command2 = "")
{
    profiles::OutputProfile profile;
    profile.profile_shortname = shortName;
    profile.kind = profiles::ParseProfileKind(shortName);
    profile.command1 = command1;
    profile.command2 = command2;
    return profile;
}

}  // namespace

// The encoder of the template the choice picks decides, not any encoder the
// profile names: an AVI profile's second codec picks command2.
TEST(EncoderSpeed, OnlyTheChosenTemplatesEncoderCanHavePresets)
{
    const struct {
        profiles::OutputProfile profile;
        std::int32_t videoCodec;
        bool presets;
    } cases[] = {
        {ProfileWith("generic-mp4", "-ovc x264 -x264encopts crf=23 -oac lavc"), 0, true},
        {ProfileWith("generic-mkv-hevc", "-ovc x265 -x265encopts crf=28"), 0, true},
        {ProfileWith("generic-mkv-av1", "-ovc svtav1 -svtav1encopts crf=35:preset=8"), 0, true},
        {ProfileWith("generic-webm", "-ovc vpx -vpxencopts crf=33"), 0, true},
        {ProfileWith("generic-avi", "-ovc lavc -lavcopts vcodec=mpeg4", "-ovc xvid"), 1, false},
        {ProfileWith("generic-avi", "-ovc lavc -lavcopts vcodec=mpeg4", "-ovc x264"), 0, false},
        {ProfileWith("generic-avi", "-ovc lavc -lavcopts vcodec=mpeg4", "-ovc x264"), 1, true},
        {ProfileWith("generic-original", "-ovc copy -oac copy"), 0, false},
        {ProfileWith("generic-mp3", "-novideo -oac lavc"), 0, false},
        {ProfileWith("generic-mp4", "-oac lavc -ovc"), 0, false},
    };
    for (const auto& c : cases) {
        profiles::ProfileChoice choice;
        choice.video_codec = c.videoCodec;
        EXPECT_EQ(HasSpeedPresets(c.profile, choice), c.presets) << c.profile.command1 << " / " << c.videoCodec;
    }
}

// Balanced adds nothing, so the line stays exactly what it was before there
// was a choice.
TEST(EncoderSpeed, TheEncoderLineCarriesTheSpeedOnlyWhereItCounts)
{
    SourceItem source;
    source.path = "/in/a.avi";
    source.duration = 10;
    source.trimEnd = 10;
    const profiles::OutputProfile x264 = ProfileWith("generic-mp4", "-ovc x264 -x264encopts crf=23");
    const profiles::OutputProfile mpeg4 = ProfileWith("generic-mp4", "-ovc lavc -lavcopts vcodec=mpeg4");
    const profiles::ProfileChoice choice;
    auto line = [&](const profiles::OutputProfile& profile, app::EncodeSpeed speed) {
        return CommandText(BuildEngineArguments(
            {source, profile, choice, app::DecodeEngine::BuiltIn, {}, "R", "/out/a.mp4", ".mp4", std::nullopt, speed}));
    };
    EXPECT_EQ(line(x264, app::EncodeSpeed::Faster),
              " -sfm R /in/a.avi -ovc x264 -x264encopts crf=23 -speed faster -o /out/a.mp4");
    EXPECT_EQ(line(x264, app::EncodeSpeed::Better),
              " -sfm R /in/a.avi -ovc x264 -x264encopts crf=23 -speed better -o /out/a.mp4");
    EXPECT_EQ(line(x264, app::EncodeSpeed::Balanced), " -sfm R /in/a.avi -ovc x264 -x264encopts crf=23 -o /out/a.mp4");
    EXPECT_EQ(line(mpeg4, app::EncodeSpeed::Better),
              " -sfm R /in/a.avi -ovc lavc -lavcopts vcodec=mpeg4 -o /out/a.mp4");
}
