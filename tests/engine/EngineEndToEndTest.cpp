// A conversion the way the program runs one: the source probed by the real
// encoder, the arguments expanded from a shipped profile, the encoder started
// through the launcher and its progress received on the channel.
#include "AvmRunner.h"
#include "RealEngineFixture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {

class EngineEndToEndTest : public testing_support::RealEngineFixture {
protected:
    // The progress values of stage 0 in arrival order; fails on any other stage.
    std::vector<std::int32_t> ConversionProgress() const
    {
        std::vector<std::int32_t> values;
        for (const auto& [stage, value] : progress_) {
            EXPECT_EQ(stage, 0);
            values.push_back(value);
        }
        return values;
    }
};

}  // namespace

TEST_F(EngineEndToEndTest, ShippedProfileConvertsWithProgressOnTheChannel)
{
    const std::string clip = folder_.Path() + "clip one.avi";
    testing_support::MakeTestClip(clip, 2);
    const engine::SourceItem source = Probed(clip);
    ASSERT_EQ(source.duration, 2u);
    progress_.clear();

    const std::string output = folder_.Path() + "Out/clip one.mp4";
    fs::create_directories(folder_.Path() + "Out");
    StartConversion(SlotOf("generic-mp4-h264"), source, output);
    WaitForTool();

    ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ToolLog();
    avm_test::ProbeFacts facts = avm_test::Probe(output);
    EXPECT_EQ(facts.format["format_name"], "mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(facts.First("video")["codec_name"], "h264");
    EXPECT_EQ(facts.First("audio")["codec_name"], "aac");
    EXPECT_EQ(avm_test::GreyFrames(output).size(), 50u) << "two seconds at 25 fps decode";

    const std::vector<std::int32_t> values = ConversionProgress();
    ASSERT_FALSE(values.empty()) << "no progress arrived";
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_GE(values.front(), 0);
    EXPECT_LE(values.back(), 10000);
}

TEST_F(EngineEndToEndTest, StopEndsTheConversionWithinASecondAndRemovesThePartialFile)
{
    const std::string clip = folder_.Path() + "long.avi";
    testing_support::MakeTestClip(clip, 20);
    const engine::SourceItem source = Probed(clip);
    progress_.clear();

    const std::string output = folder_.Path() + "long.vob";
    StartConversion(SlotOf("disc-dvd"), source, output);
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> stopped;
    WaitForTool([&] {
        if (!stopped && !progress_.empty() && progress_.back().second > 0) {
            engine::StoreField(Record().abort_request, 1);
            stopped = Clock::now();
        }
    });
    const auto ended = Clock::now();

    ASSERT_TRUE(stopped) << "the conversion ended before it reported progress";
    EXPECT_LT(ended - *stopped, std::chrono::seconds(1));
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultStopped);
    EXPECT_LT(ConversionProgress().back(), 10000) << "the stop came before the end";
    EXPECT_FALSE(fs::exists(output)) << "the partial output stays behind";
}
