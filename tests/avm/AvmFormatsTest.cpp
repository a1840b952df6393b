// Today's formats: HEVC, AV1 and VP9 at constant quality, Opus and FLAC,
// Matroska and WebM, MP4 with the index in front and the hvc1 tag,
// sound-only files, and 10-bit HDR pictures kept as they are.
#include "AvmRunner.h"
#include "TestClips.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <vector>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace avm_test;

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What ffprobe tells of the levels of the stream and its first two pictures.
std::string HdrLevelsOf(const std::string& path)
{
    std::string output;
    EXPECT_TRUE(RunProgram({"ffprobe", "-v", "error", "-select_streams", "v", "-read_intervals", "%+#2", "-show_streams",
                            "-show_frames", path},
                           &output));
    return output;
}

// The first "key=n" or "key=n/d" in ffprobe's output; -1 when missing.
double FirstValue(const std::string& text, const std::string& key)
{
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) {
        return -1;
    }
    const std::string value = text.substr(at + key.size() + 2, text.find('\n', at + 1) - at - key.size() - 2);
    const std::size_t slash = value.find('/');
    return slash == std::string::npos ? std::stod(value) : std::stod(value.substr(0, slash)) / std::stod(value.substr(slash + 1));
}

const std::string kAac = " -oac lavc -lavcopts acodec=aac:abitrate=96";

}  // namespace

TEST(AvmFormats, EncodersAndContainersWriteWhatTheyAreAskedFor)
{
    testing_support::TestFolder folder;
    struct Case {
        std::string file, options;
        std::string container, video, tag, audio, sampleRate;
    };
    const Case cases[] = {
        {"x265.mkv", "-ovc x265 -x265encopts crf=32:preset=ultrafast" + kAac + " -of lavf -lavfopts format=mkv",
         "matroska,webm", "hevc", "", "aac", "44100"},
        {"x265.mp4",
         "-ovc x265 -x265encopts bitrate=300:preset=ultrafast:profile=main -ffourcc hvc1" + kAac +
             " -of lavf -lavfopts format=mp4:faststart",
         "mov,mp4,m4a,3gp,3g2,mj2", "hevc", "hvc1", "aac", "44100"},
        {"x264.mp4", "-ovc x264 -x264encopts crf=30:preset=ultrafast" + kAac + " -of lavf -lavfopts format=mp4",
         "mov,mp4,m4a,3gp,3g2,mj2", "h264", "avc1", "aac", "44100"},
        {"vp9.webm",
         "-ovc vpx -vpxencopts crf=40:deadline=realtime:cpu-used=8 -oac lavc -lavcopts acodec=opus:abitrate=64 -of "
         "lavf -lavfopts format=webm",
         "matroska,webm", "vp9", "", "opus", "48000"},
        {"av1.mkv",
         "-ovc svtav1 -svtav1encopts crf=50:preset=12 -oac lavc -lavcopts acodec=flac -of lavf -lavfopts "
         "format=matroska",
         "matroska,webm", "av1", "", "flac", "44100"},
        {"sound.mp3", "-novideo -oac mp3lame -lameopts cbr:br=128 -of lavf -lavfopts format=mp3", "mp3", "", "",
         "mp3", "44100"},
        {"sound.m4a", "-novideo" + kAac + " -of lavf -lavfopts format=m4a:faststart", "mov,mp4,m4a,3gp,3g2,mj2", "",
         "", "aac", "44100"},
        {"sound.flac", "-novideo -oac lavc -lavcopts acodec=flac -of lavf -lavfopts format=flac", "flac", "", "",
         "flac", "44100"},
        // Opus knows no 44.1 kHz: asked for, it is resampled to 48 kHz.
        {"sound.opus", "-novideo -oac lavc -lavcopts acodec=opus:abitrate=96 -srate 44100 -of lavf -lavfopts format=opus",
         "ogg", "", "", "opus", "48000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        AvmRunner runner(folder.Path());
        const std::string output = folder.Path() + c.file;
        RunResult run = runner.Run(ConversionArgs(Clips().h264Aac, c.options, output));
        ASSERT_EQ(run.resultCode, 0) << run.log;
        EXPECT_EQ(run.log, "");
        ProbeFacts facts = Probe(output);
        EXPECT_EQ(facts.format["format_name"], c.container);
        EXPECT_NEAR(std::stod(facts.format["duration"]), 2.0, 0.15);
        EXPECT_EQ(facts.First("video")["codec_name"], c.video);
        if (!c.tag.empty()) {
            EXPECT_EQ(facts.First("video")["codec_tag_string"], c.tag);
        }
        EXPECT_EQ(facts.First("audio")["codec_name"], c.audio);
        EXPECT_EQ(facts.First("audio")["sample_rate"], c.sampleRate);
        if (c.options.find("faststart") != std::string::npos) {
            const std::string bytes = FileBytes(output);
            EXPECT_LT(bytes.find("moov"), bytes.find("mdat")) << "the index comes first";
        }
    }
}

// One stream copied and the other encoded, into each container a copy
// goes to: the copied packets stay as they were, the tag and the index in
// front are kept.
TEST(AvmFormats, OneStreamCopiedTheOtherEncoded)
{
    testing_support::TestFolder folder;
    const std::string hevc = folder.Path() + "hevc.mkv", vp9 = folder.Path() + "vp9.webm";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1", "-f", "lavfi", "-i",
              "sine=sample_rate=44100:duration=1", "-c:v", "libx265", "-preset", "ultrafast", "-x265-params",
              "log-level=error", "-c:a", "aac", hevc});
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1", "-f", "lavfi", "-i",
              "sine=sample_rate=48000:duration=1", "-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8",
              "-c:a", "libopus", vp9});
    struct Case {
        std::string source, file, options;
        const char* copied;  // "v" or "a"
        std::string video, tag, audio;
    };
    const Case cases[] = {
        {Clips().h264Aac, "video copied.mp4",
         "-ovc copy -oac lavc -lavcopts acodec=mp3:abitrate=96 -of lavf -lavfopts format=mp4:faststart", "v", "h264",
         "avc1", "mp3"},
        {Clips().h264Aac, "audio copied.mkv",
         "-ovc x264 -x264encopts crf=30:preset=ultrafast -vf scale=80:60 -oac copy -of lavf -lavfopts format=mkv", "a",
         "h264", "", "aac"},
        {hevc, "hvc1.mp4", "-ovc copy -ffourcc hvc1" + kAac + " -of lavf -lavfopts format=mp4:faststart", "v", "hevc",
         "hvc1", "aac"},
        {vp9, "vp9 copied.webm", "-ovc copy -oac lavc -lavcopts acodec=opus:abitrate=48 -of lavf -lavfopts format=webm", "v",
         "vp9", "", "opus"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        AvmRunner runner(folder.Path());
        const std::string output = folder.Path() + c.file;
        RunResult run = runner.Run(ConversionArgs(c.source, c.options, output));
        ASSERT_EQ(run.resultCode, 0) << run.log;
        ProbeFacts facts = Probe(output);
        EXPECT_EQ(facts.First("video")["codec_name"], c.video);
        EXPECT_EQ(facts.First("audio")["codec_name"], c.audio);
        if (!c.tag.empty()) {
            EXPECT_EQ(facts.First("video")["codec_tag_string"], c.tag);
        }
        EXPECT_NEAR(std::stod(facts.format["duration"]), std::stod(Probe(c.source).format["duration"]), 0.1);
        EXPECT_EQ(PacketHashes(output, c.copied), PacketHashes(c.source, c.copied));
        const char* encoded = std::string(c.copied) == "v" ? "a" : "v";
        EXPECT_NE(PacketHashes(output, encoded), PacketHashes(c.source, encoded));
        if (c.options.find("faststart") != std::string::npos) {
            const std::string bytes = FileBytes(output);
            EXPECT_LT(bytes.find("moov"), bytes.find("mdat")) << "the index comes first";
        }
    }
}

TEST(AvmFormats, TenBitHdrPicturesKeepDepthAndColour)
{
    testing_support::TestFolder folder;
    const std::string hdr = MakeHdrClip(folder.Path());
    struct Case {
        std::string file, options, pixelFormat, primaries, transfer;
    };
    const Case cases[] = {
        {"hevc.mkv", "-ovc x265 -x265encopts crf=32:preset=ultrafast", "yuv420p10le", "bt2020", "smpte2084"},
        {"av1.mkv", "-ovc svtav1 -svtav1encopts crf=50:preset=12", "yuv420p10le", "bt2020", "smpte2084"},
        {"vp9.webm", "-ovc vpx -vpxencopts crf=40:deadline=realtime:cpu-used=8", "yuv420p10le", "bt2020",
         "smpte2084"},
        {"main.mkv", "-ovc x265 -x265encopts crf=32:preset=ultrafast:profile=main", "yuv420p", "bt2020", "smpte2084"},
        // H.264 players expect 8 bits.
        {"h264.mkv", "-ovc x264 -x264encopts crf=30:preset=ultrafast", "yuv420p", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        AvmRunner runner(folder.Path());
        const std::string output = folder.Path() + c.file;
        const std::string format = c.file.ends_with(".webm") ? "webm" : "matroska";
        RunResult run = runner.Run(ConversionArgs(hdr, c.options + " -nosound -of lavf -lavfopts format=" + format, output));
        ASSERT_EQ(run.resultCode, 0) << run.log;
        std::map<std::string, std::string> video = Probe(output).First("video");
        EXPECT_EQ(video["pix_fmt"], c.pixelFormat);
        if (!c.primaries.empty()) {
            EXPECT_EQ(video["color_primaries"], c.primaries);
            EXPECT_EQ(video["color_transfer"], c.transfer);
            EXPECT_EQ(video["color_space"], "bt2020nc");
            // Each codec and container stores the levels in fixed point of its own.
            const std::string levels = HdrLevelsOf(output);
            EXPECT_NEAR(FirstValue(levels, "green_x"), 0.265, 0.0001) << levels;
            EXPECT_NEAR(FirstValue(levels, "max_luminance"), 1000, 0.01) << levels;
            EXPECT_EQ(FirstValue(levels, "max_content"), 1000) << levels;
        }
    }
}

TEST(AvmFormats, WhatAContainerOrEncoderCannotTakeIsRefused)
{
    testing_support::TestFolder folder;
    const std::string out = folder.Path() + "out.webm";
    const std::pair<std::string, std::string> cases[] = {
        {"-ovc x264 -x264encopts crf=30 -nosound -of lavf -lavfopts format=webm",
         "WebM holds only VP8, VP9 or AV1 video and Vorbis or Opus audio, not h264"},
        {"-ovc vpx -vpxencopts crf=40" + kAac + " -of lavf -lavfopts format=webm", "not aac"},
        {"-ovc copy -oac copy -of lavf -lavfopts format=webm", "not h264"},
        {"-ovc x265 -x265encopts crf=30:bitrate=500 -nosound -of lavf -lavfopts format=matroska",
         "-x265encopts takes crf= or bitrate=, not both"},
        {"-ovc x265 -x265encopts crf=30:nonsense=3 -nosound -of lavf -lavfopts format=matroska",
         "rejected one of its options"},
        {"-ovc svtav1 -svtav1encopts crf=99 -nosound -of lavf -lavfopts format=matroska",
         "-svtav1encopts crf=99 must lie between 1 and 63"},
        {"-ovc vpx -vpxencopts crf=40:speed=3 -nosound -of lavf -lavfopts format=webm",
         "unsupported -vpxencopts speed=3"},
        {"-ovc vpx -vpxencopts deadline=good -nosound -of lavf -lavfopts format=webm",
         "-vpxencopts needs crf= or bitrate="},
        {"-ovc lavc -oac lavc -of lavf -lavfopts format=matroska:faststart",
         "-lavfopts faststart needs an MP4, MOV, M4A or 3GP output, not matroska"},
    };
    for (const auto& [options, reason] : cases) {
        SCOPED_TRACE(options);
        AvmRunner runner(folder.Path());
        RunResult run = runner.Run(ConversionArgs(Clips().h264Aac, options, out));
        EXPECT_EQ(run.resultCode, engine::kResultFailed);
        EXPECT_NE(run.log.find(reason), std::string::npos) << run.log;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}
