// The probe pool with the real encoder: test clips, a file it cannot read
// and a cut-off file only the decode script reads, probed several at once,
// give what probes one at a time give, in the order of the files.
#include "AvmRunner.h"
#include "RealEngineFixture.h"
#include "TestClips.h"
#include "engine/MediaProbe.h"
#include "engine/ProbePool.h"

#include <cstring>

namespace {

using ProbePoolMedia = testing_support::RealEngineFixture;

void ExpectSameItem(const engine::SourceItem& pooled, const engine::SourceItem& single)
{
    EXPECT_EQ(pooled.path, single.path);
    EXPECT_EQ(pooled.duration, single.duration);
    EXPECT_EQ(pooled.videoCodec, single.videoCodec);
    EXPECT_EQ(pooled.frameRate, single.frameRate);
    EXPECT_EQ(pooled.videoBitrate, single.videoBitrate);
    EXPECT_EQ(pooled.width, single.width);
    EXPECT_EQ(pooled.height, single.height);
    EXPECT_EQ(pooled.audioCodec, single.audioCodec);
    EXPECT_EQ(pooled.audioBitrate, single.audioBitrate);
    EXPECT_EQ(pooled.sampleRate, single.sampleRate);
    EXPECT_EQ(pooled.channels, single.channels);
    EXPECT_EQ(std::memcmp(pooled.tracks.data(), single.tracks.data(), sizeof pooled.tracks), 0);
    EXPECT_EQ(pooled.decodeViaDirectShow, single.decodeViaDirectShow);
}

}  // namespace

TEST_F(ProbePoolMedia, ProbesAtOnceGiveWhatProbesOneAtATimeGive)
{
    folder_.Write("noise.avi", std::string(4096, '\x55'));
    const std::vector<std::string> paths = {avm_test::Clips().h264Aac,    folder_.Path() + "noise.avi",
                                            avm_test::Clips().mpeg4Mp3,   avm_test::MakeCutOffClip(folder_.Path()),
                                            avm_test::Clips().multiTrack, avm_test::Clips().mpeg2Mp2};
    engine::ProbePool pool(app::Application().appSharedName, dialogs_, channel_.WindowId(), clock_);
    pool.Start(paths, app::DecodeEngine::Auto, 4);
    std::vector<engine::ProbeOutcome> outcomes;
    pool.WaitAll([&] {
        for (engine::ProbeOutcome& outcome : pool.TakeReady()) {
            outcomes.push_back(std::move(outcome));
        }
    });
    for (engine::ProbeOutcome& outcome : pool.TakeReady()) {
        outcomes.push_back(std::move(outcome));
    }
    ASSERT_EQ(outcomes.size(), paths.size());
    EXPECT_TRUE(dialogs_.shown.empty());

    engine::MediaProbe single(block_, launcher_, dialogs_, channel_.WindowId());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i]);
        EXPECT_EQ(outcomes[i].path, paths[i]);
        dialogs_.shown.clear();
        const std::optional<engine::SourceItem> item = single.ProbeSource(paths[i], app::DecodeEngine::Auto, {});
        ASSERT_EQ(outcomes[i].item.has_value(), item.has_value());
        if (item) {
            ExpectSameItem(*outcomes[i].item, *item);
        } else {
            ASSERT_EQ(dialogs_.shown.size(), 1u);
            EXPECT_EQ(outcomes[i].refusals, std::vector<app::Notice>{*dialogs_.shown[0].notice});
        }
    }
    EXPECT_EQ(outcomes[1].refusals.at(0).args.at(1),
              "cannot open " + paths[1] + ": Invalid data found when processing input");
    ASSERT_TRUE(outcomes[3].item.has_value());
    EXPECT_EQ(outcomes[3].item->decodeViaDirectShow, 1) << "read through its decode script";
}
