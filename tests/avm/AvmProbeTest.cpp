// Probe runs with the program's probe line: the media facts and track table
// avm writes, checked against ffprobe, and the three-second test output.
#include "AvmRunner.h"
#include "TestClips.h"
#include "engine/CommandLine.h"
#include "engine/DecodeScript.h"
#include "engine/MediaProbe.h"
#include "platform/PrivateTempFolder.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace avm_test;

namespace {

// The program's probe line without the record option the runner adds.
std::vector<std::string> ProbeLine(const std::string& input)
{
    std::vector<std::string> args = engine::ProbeArguments("Rec", input);
    args.erase(args.begin(), args.begin() + 2);
    return args;
}

double Rate(const std::string& fraction)
{
    auto slash = fraction.find('/');
    return std::stod(fraction.substr(0, slash)) / std::stod(fraction.substr(slash + 1));
}

}  // namespace

TEST(AvmProbe, MediaFactsAndTracksMatchFfprobe)
{
    for (const std::string& clip : {Clips().h264Aac, Clips().mpeg4Mp3, Clips().multiTrack, Clips().mpeg2Mp2}) {
        SCOPED_TRACE(clip);
        testing_support::TestFolder folder;
        AvmRunner runner(folder.Path());
        runner.PrepareProbe();
        RunResult run = runner.Run(ProbeLine(clip));
        ASSERT_EQ(run.resultCode, 0) << run.log;
        EXPECT_TRUE(run.progress.empty()) << "probe runs send no progress";

        ProbeFacts source = Probe(clip);
        auto video = source.First("video");
        auto audio = source.First("audio");
        const engine::EngineRecord& record = run.record;
        EXPECT_EQ(record.video_codec, video["codec_name"]);
        EXPECT_EQ(record.width, std::stoi(video["width"]));
        EXPECT_EQ(record.height, std::stoi(video["height"]));
        EXPECT_NEAR(record.frame_rate, Rate(video["avg_frame_rate"]), 0.01);
        EXPECT_EQ(record.audio_codec, audio["codec_name"]);
        EXPECT_EQ(record.sample_rate, std::stoi(audio["sample_rate"]));
        EXPECT_EQ(record.channels, std::stoi(audio["channels"]));
        EXPECT_EQ(record.duration, std::lround(std::stod(source.format["duration"])));

        int entry = 0;
        for (const auto& stream : source.streams) {
            const std::string& type = stream.at("codec_type");
            if (type != "audio" && type != "subtitle")
                continue;
            const engine::TrackEntry& track = record.tracks[entry++];
            EXPECT_EQ(track.kind, type == "audio" ? engine::kTrackAudio : engine::kTrackSubtitle);
            EXPECT_EQ(track.track_id, std::stoi(stream.at("index")));
            std::string language = stream.count("tags_language") ? stream.at("tags_language") : "und";
            EXPECT_EQ(track.language, language);
            EXPECT_EQ(track.title, stream.count("tags_title") ? stream.at("tags_title") : "");
        }
        EXPECT_EQ(record.tracks[entry].kind, engine::kTrackEnd);
    }
}

// The program writes its script into the private temp folder of the run's
// shared name; there avm reads it as a script.
TEST(AvmProbe, ADecodeScriptIsReadThroughItsSourceAtThirtyFrames)
{
    testing_support::TestFolder folder;
    for (const char* tool : {"avm", "savm"}) {
        AvmRunner runner(folder.Path());
        const std::string script = platform::PrivateTempFolder(runner.Name()) + "temp_0000_abcde.qvz";
        ASSERT_EQ(engine::WriteDecodeScript(Clips().mpeg4Mp3, script), 1);
        runner.PrepareProbe();
        RunResult run = runner.Run(ProbeLine(script), tool);
        ASSERT_EQ(run.resultCode, 0) << tool << ": " << run.log;
        EXPECT_EQ(run.record.frame_rate, 30.0f);
        EXPECT_STREQ(run.record.video_codec, "mpeg4");
        EXPECT_EQ(run.record.width, 160);
    }
}
