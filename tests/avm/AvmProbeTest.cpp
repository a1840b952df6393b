// Identify runs with the program's probe line: the media facts and track
// table avm writes, checked against ffprobe and against what the three-second
// test conversion probes once were wrote; the files both refuse; the bit
// rates Matroska keeps in tags; the decode script of a probe; a probe
// without libavfilter.
#include "AvmRunner.h"
#include "TestClips.h"
#include "app/Application.h"
#include "engine/DecodeScript.h"
#include "engine/MediaProbe.h"
#include "engine/RunLog.h"
#include "platform/PrivateTempFolder.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavfilter/version.h>
}

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace avm_test;

namespace {

// The program's probe line without the record option the runner adds.
std::vector<std::string> ProbeLine(const std::string& input)
{
    std::vector<std::string> args = engine::ProbeArguments("Rec", input);
    args.erase(args.begin(), args.begin() + 2);
    return args;
}

// The test conversion of the first three seconds, as probes ran it before.
std::vector<std::string> TestConversionLine(const std::string& input, const std::string& output)
{
    std::vector<std::string> args = {"-endpos", "3", input};
    engine::AppendWords(args, "-oac mp3lame -ovc lavc -of mpeg -lameopts abr:br=192:mode=0"
                              " -lavcopts vcodec=mpeg1video:keyint=12 -mpegopts format=mpeg1 -ofps 23.976025");
    args.insert(args.end(), {"-o", output});
    return args;
}

RunResult ProbeRun(const std::string& folder, const std::vector<std::string>& args)
{
    AvmRunner runner(folder);
    runner.PrepareProbe();
    return runner.Run(args);
}

double Rate(const std::string& fraction)
{
    auto slash = fraction.find('/');
    return std::stod(fraction.substr(0, slash)) / std::stod(fraction.substr(slash + 1));
}

std::string Reason(const RunResult& run)
{
    return engine::ReasonFromLog(run.log, "avm");
}

void ExpectSameFacts(const engine::EngineRecord& identified, const engine::EngineRecord& converted)
{
    EXPECT_STREQ(identified.video_codec, converted.video_codec);
    EXPECT_EQ(identified.width, converted.width);
    EXPECT_EQ(identified.height, converted.height);
    EXPECT_EQ(identified.duration, converted.duration);
    EXPECT_EQ(identified.frame_rate, converted.frame_rate);
    EXPECT_EQ(identified.video_bitrate, converted.video_bitrate);
    EXPECT_STREQ(identified.audio_codec, converted.audio_codec);
    EXPECT_EQ(identified.audio_bitrate, converted.audio_bitrate);
    EXPECT_EQ(identified.sample_rate, converted.sample_rate);
    EXPECT_EQ(identified.channels, converted.channels);
    for (int i = 0; i < engine::kMaxTracks; ++i) {
        SCOPED_TRACE("track entry " + std::to_string(i));
        EXPECT_EQ(identified.tracks[i].kind, converted.tracks[i].kind);
        EXPECT_EQ(identified.tracks[i].track_id, converted.tracks[i].track_id);
        EXPECT_STREQ(identified.tracks[i].language, converted.tracks[i].language);
        EXPECT_STREQ(identified.tracks[i].title, converted.tracks[i].title);
    }
}

void ExpectFactsOfFfprobe(const std::string& clip, const engine::EngineRecord& record)
{
    ProbeFacts source = Probe(clip);
    auto video = source.First("video");
    auto audio = source.First("audio");
    EXPECT_EQ(record.video_codec, video["codec_name"]);
    EXPECT_EQ(record.video_profile, video["profile"] == "unknown" ? "" : video["profile"]);
    EXPECT_EQ(record.video_level, std::max(0, std::stoi(video["level"])));
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
        if (type != "audio" && type != "subtitle") {
            continue;
        }
        const engine::TrackEntry& track = record.tracks[entry++];
        EXPECT_EQ(track.kind, type == "audio" ? engine::kTrackAudio : engine::kTrackSubtitle);
        EXPECT_EQ(track.track_id, std::stoi(stream.at("index")));
        std::string language = stream.count("tags_language") ? stream.at("tags_language") : "und";
        EXPECT_EQ(track.language, language);
        EXPECT_EQ(track.title, stream.count("tags_title") ? stream.at("tags_title") : "");
    }
    EXPECT_EQ(record.tracks[entry].kind, engine::kTrackEnd);
}

// A copy of a clip with every `from` in its bytes replaced by `to` (as long).
std::string Patched(const std::string& clip, const std::string& from, const std::string& to, const std::string& copy)
{
    std::ifstream in(clip, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bool found = false;
    for (auto at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size())) {
        bytes.replace(at, from.size(), to);
        found = true;
    }
    EXPECT_TRUE(found) << from << " is not in " << clip;
    std::ofstream(copy, std::ios::binary) << bytes;
    return copy;
}

}  // namespace

// Identifying writes what the test conversion wrote, and what ffprobe
// tells, for every kind of clip; it sends no progress.
TEST(AvmIdentify, FactsEqualThoseOfTheTestConversionAndOfFfprobe)
{
    testing_support::TestFolder folder;
    const std::string audioOnly = folder.Path() + "tone.mp3";
    MakeClip({"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2", audioOnly});
    const std::string pictureOnly = folder.Path() + "silent.mkv";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-c:v", "mpeg4", pictureOnly});
    for (const std::string& clip : {Clips().h264Aac, Clips().mpeg4Mp3, Clips().multiTrack, Clips().mpeg2Mp2,
                                    Clips().longClip, audioOnly, pictureOnly}) {
        SCOPED_TRACE(clip);
        RunResult identified = ProbeRun(folder.Path(), ProbeLine(clip));
        ASSERT_EQ(identified.resultCode, engine::kResultSuccess) << identified.log;
        EXPECT_TRUE(identified.progress.empty()) << "probe runs send no progress";
        RunResult converted = ProbeRun(folder.Path(), TestConversionLine(clip, folder.Path() + "test.mpg"));
        ASSERT_EQ(converted.resultCode, engine::kResultSuccess) << converted.log;
        ExpectSameFacts(identified.record, converted.record);
        if (clip != audioOnly && clip != pictureOnly) {
            ExpectFactsOfFfprobe(clip, identified.record);
        }
    }
}

// What the test conversion refused, identifying refuses, mostly for the
// same reason; a cut-off file read through a decode script is read.
TEST(AvmIdentify, FilesItCannotReadAreRefusedAsBefore)
{
    testing_support::TestFolder folder;
    std::string noise(4096, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    folder.Write("noise.avi", noise);
    const std::string subtitlesOnly = folder.Path() + "subtitles.mkv";
    MakeClip({"-i", Clips().subtitles, "-c:s", "srt", subtitlesOnly});
    const std::string cutOff = MakeCutOffClip(folder.Path());
    struct Case {
        std::string file;
        std::string reason;  // the start of identify's reason
        bool sameReason;     // as the test conversion's
    } cases[] = {
        {folder.Path() + "noise.avi", "cannot open " + folder.Path() + "noise.avi", true},
        {subtitlesOnly, subtitlesOnly + " holds neither picture nor sound", true},
        // An AVI whose picture is marked with a code no decoder knows ...
        {Patched(Clips().mpeg4Mp3, "FMP4", "ZZZZ", folder.Path() + "unknown.avi"), "no decoder for none", true},
        // ... or marked as H.264 while it holds MPEG-4 pictures.
        {Patched(Clips().mpeg4Mp3, "FMP4", "H264", folder.Path() + "mislabelled.avi"),
         "no picture could be decoded from " + folder.Path() + "mislabelled.avi", false},
        {cutOff, cutOff + " is damaged or cut off: it ends after 0 of its 3 seconds", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RunResult identified = ProbeRun(folder.Path(), ProbeLine(c.file));
        EXPECT_EQ(identified.resultCode, engine::kResultFailed) << identified.log;
        EXPECT_EQ(Reason(identified).rfind(c.reason, 0), 0u) << identified.log;
        RunResult converted = ProbeRun(folder.Path(), TestConversionLine(c.file, folder.Path() + "test.mpg"));
        EXPECT_EQ(converted.resultCode, engine::kResultFailed) << converted.log;
        if (c.sameReason) {
            EXPECT_EQ(Reason(identified), Reason(converted));
        }
    }

    AvmRunner runner(folder.Path());
    const std::string script = platform::PrivateTempFolder(runner.Name()) + "temp_0000_abcde.qvz";
    ASSERT_EQ(engine::WriteDecodeScript(cutOff, script), 1);
    runner.PrepareProbe();
    RunResult tolerant = runner.Run(ProbeLine(script));
    EXPECT_EQ(tolerant.resultCode, engine::kResultSuccess) << tolerant.log;
    EXPECT_EQ(tolerant.record.width, 160);
}

// Matroska stores no bit rate per stream; writers add statistics tags,
// "BPS" or the bytes over the duration, with or without a language.
TEST(AvmIdentify, MatroskaStatisticsTagsGiveTheBitRates)
{
    testing_support::TestFolder folder;
    const std::vector<std::string> sources = {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=3",
                                              "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3",
                                              "-c:v", "mpeg4", "-c:a", "flac"};
    struct Case {
        const char* name;
        std::vector<std::string> tags;
        std::int32_t videoKbits, audioKbits;
    } cases[] = {
        {"plain.mkv", {}, 0, 0},
        {"bps.mkv", {"-metadata:s:v:0", "BPS-eng=1234567", "-metadata:s:a:0", "BPS=96000"}, 1234, 96},
        {"bytes.mkv", {"-metadata:s:v:0", "NUMBER_OF_BYTES-eng=300000", "-metadata:s:a:0", "NUMBER_OF_BYTES=48000"},
         800, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = sources;
        args.insert(args.end(), c.tags.begin(), c.tags.end());
        args.push_back(folder.Path() + c.name);
        MakeClip(args);
        RunResult run = ProbeRun(folder.Path(), ProbeLine(folder.Path() + c.name));
        ASSERT_EQ(run.resultCode, engine::kResultSuccess) << run.log;
        EXPECT_EQ(run.record.video_bitrate, c.videoKbits);
        EXPECT_EQ(run.record.audio_bitrate, c.audioKbits);
    }
}

// A probe's script, named after its record, is read as a script: the
// source at the script's thirty frames per second.
TEST(AvmIdentify, AProbesDecodeScriptIsReadThroughItsSourceAtThirtyFrames)
{
    testing_support::TestFolder folder;
    const app::ApplicationValues saved = app::Application();
    for (const char* tool : {"avm", "savm"}) {
        AvmRunner runner(folder.Path());
        app::Application().appSharedName = runner.Name();
        const std::string script = engine::ProbeScriptPath(runner.Name());
        ASSERT_EQ(engine::WriteDecodeScript(Clips().mpeg4Mp3, script), 1);
        runner.PrepareProbe();
        RunResult run = runner.Run(ProbeLine(script), tool);
        ASSERT_EQ(run.resultCode, 0) << tool << ": " << run.log;
        EXPECT_EQ(run.record.frame_rate, 30.0f);
        EXPECT_STREQ(run.record.video_codec, "mpeg4");
        EXPECT_EQ(run.record.width, 160);
    }
    app::Application() = saved;
}

// libavfilter is loaded only when a conversion builds its filters: a probe
// runs where it cannot be loaded, and a conversion there fails saying so.
TEST(AvmIdentify, AProbeDoesNotLoadTheFilterLibrary)
{
    testing_support::TestFolder folder;
    const std::string clip = Clips().mpeg4Mp3;  // made with ffmpeg, which needs libavfilter
    folder.Write("lib/libavfilter.so." + std::to_string(LIBAVFILTER_VERSION_MAJOR), "not a library");
    const char* saved = std::getenv("LD_LIBRARY_PATH");
    const std::string savedPath = saved ? saved : "";
    ::setenv("LD_LIBRARY_PATH", (folder.Path() + "lib").c_str(), 1);

    RunResult probed = ProbeRun(folder.Path(), ProbeLine(clip));
    EXPECT_EQ(probed.resultCode, engine::kResultSuccess) << probed.log;
    EXPECT_EQ(probed.record.width, 160);
    AvmRunner runner(folder.Path());
    runner.PrepareConversion(1);
    RunResult converted =
        runner.Run(ConversionArgs(clip, "-ovc lavc -oac mp3lame -of mpeg", folder.Path() + "out.mpg"));
    EXPECT_EQ(converted.resultCode, engine::kResultFailed);
    EXPECT_EQ(Reason(converted).rfind("cannot load libavfilter.so.", 0), 0u) << converted.log;

    if (saved)
        ::setenv("LD_LIBRARY_PATH", savedPath.c_str(), 1);
    else
        ::unsetenv("LD_LIBRARY_PATH");
}
