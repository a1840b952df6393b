// Shipped profiles expanded by the program's own BuildEngineArguments and
// converted by the real avm: every output is what its line asks for, the
// profiles of today's formats write what their devices take, the video bit
// rate meets the profile's, letterbox bars are centred and disc files are as
// big as the ffmpeg program makes them.
#include "AvmRunner.h"
#include "TestClips.h"
#include "engine/CommandLine.h"
#include "engine/EngineArguments.h"
#include "engine/OutputNaming.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileMarkers.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

using namespace avm_test;

namespace {

// The value after `option` in args, or "".
std::string ValueOf(const std::vector<std::string>& args, const std::string& option)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option)
            return args[i + 1];
    return "";
}

// The value of key= inside a sub-option list, or "".
std::string SubValue(const std::string& list, const std::string& key)
{
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ':');)
        if (item.rfind(key + "=", 0) == 0)
            return item.substr(key.size() + 1);
    return "";
}

std::string ExpectedVideoCodec(const std::vector<std::string>& args)
{
    const std::string encoder = ValueOf(args, "-ovc");
    const std::string codec = SubValue(ValueOf(args, "-lavcopts"), "vcodec");
    return encoder == "x264" ? "h264" : encoder == "xvid" ? "mpeg4" : codec == "flv" ? "flv1" : codec;
}

std::string ExpectedAudioCodec(const std::vector<std::string>& args)
{
    return ValueOf(args, "-oac") == "mp3lame" ? "mp3" : SubValue(ValueOf(args, "-lavcopts"), "acodec");
}

// "WxH" of the last fixed size in -vf (expand= after scale=).
std::string ExpectedSize(const std::vector<std::string>& args)
{
    std::string filters = ValueOf(args, "-vf");
    auto expand = filters.find("expand=");
    std::string size = expand != std::string::npos ? filters.substr(expand + 7) : filters.substr(6);
    size = size.substr(0, size.find(','));
    auto colon = size.find(':');
    return size.substr(0, colon) + "x" + size.substr(colon + 1);
}

// "30000/1001", "16:9" or "25.000000" as a number.
double Ratio(const std::string& text)
{
    const auto at = text.find_first_of("/:");
    return at == std::string::npos ? std::stod(text) : std::stod(text.substr(0, at)) / std::stod(text.substr(at + 1));
}

// The container ffprobe reads in a file the ffmpeg program writes under a
// name with this extension: a picture, or sound only.
std::string ContainerFfmpegWrites(const std::string& extension, bool soundOnly)
{
    static std::map<std::string, std::string> known;
    if (!known.count(extension)) {
        testing_support::TestFolder folder;
        const std::string path = folder.Path() + "ffmpeg" + extension;
        if (soundOnly) {
            MakeClip({"-f", "lavfi", "-i", "sine=duration=0.2", path});
        } else {
            MakeClip({"-f", "lavfi", "-i", "testsrc=size=176x144:rate=25:duration=0.2", "-an", path});
        }
        known[extension] = Probe(path).format["format_name"];
    }
    return known[extension];
}

// Bits of the video packets after the first second over their playing
// time, in kbit/s. In the first second the rate control still learns the
// picture and spends up to twice the rate.
double SettledVideoKbitPerSecond(const std::string& path)
{
    const std::vector<double> sizes = PacketValues(path, "v", "size");
    const auto fps = static_cast<std::size_t>(std::lround(Ratio(Probe(path).First("video")["r_frame_rate"])));
    if (sizes.size() <= fps)
        return 0;
    const double bytes = std::accumulate(sizes.begin() + static_cast<std::ptrdiff_t>(fps), sizes.end(), 0.0);
    return bytes * 8 / 1000 / (static_cast<double>(sizes.size() - fps) / static_cast<double>(fps));
}

// Rows (or columns) of bars at each edge of a grey picture: lines whose
// mean is far below the mid-grey picture.
std::pair<int, int> BarsAtTheEdges(const std::string& picture, int width, int height, bool rows)
{
    const int lines = rows ? height : width;
    const int length = rows ? width : height;
    auto dark = [&](int line) {
        long sum = 0;
        for (int k = 0; k < length; ++k)
            sum += static_cast<unsigned char>(rows ? picture[line * width + k] : picture[k * width + line]);
        return sum / length < 60;
    };
    int first = 0, last = 0;
    while (first < lines && dark(first))
        ++first;
    while (last < lines && dark(lines - 1 - last))
        ++last;
    return {first, last};
}

// Today's profiles, each with a quick choice (the source's size where the
// profile offers it, else a small one of its sizes) and what its output
// must be. All of them write 48 kHz sound.
struct TodaysProfile {
    const char* shortName;
    profiles::ProfileChoice choice;
    const char* size;
    const char* video;
    const char* tag;        // "" where the container keeps no tag
    const char* audio;
    const char* container;  // "mp4", or the Matroska doc type: "matroska" or "webm"
    bool indexFirst;        // fast start: the MP4 index in front of the data
};
const TodaysProfile kTodaysProfiles[] = {
    {"generic-mkv-h264", {}, "160x120", "h264", "", "aac", "matroska", false},
    {"generic-mp4-hevc", {}, "160x120", "hevc", "hvc1", "aac", "mp4", false},
    {"generic-mkv-hevc", {}, "160x120", "hevc", "", "aac", "matroska", false},
    {"generic-webm-vp9", {}, "160x120", "vp9", "", "opus", "webm", false},
    {"generic-webm-av1", {}, "160x120", "av1", "", "opus", "webm", false},
    {"generic-mkv-av1", {}, "160x120", "av1", "", "opus", "matroska", false},
    {"apple-tv4k-hevc", {.video_size = 2}, "1280x720", "hevc", "hvc1", "aac", "mp4", false},
    {"apple-iphone-hevc", {.video_size = 1}, "1280x720", "hevc", "hvc1", "aac", "mp4", false},
    {"android-phone", {.video_size = 2}, "854x480", "h264", "avc1", "aac", "mp4", true},
    {"android-tablet", {.video_size = 1}, "1280x720", "h264", "avc1", "aac", "mp4", true},
    {"web-youtube-1080p", {.video_size = 1}, "1280x720", "h264", "avc1", "aac", "mp4", true},
    {"web-720p", {.video_size = 2}, "640x360", "h264", "avc1", "aac", "mp4", true},
    {"tvplayer-chromecast-4k-hevc", {.video_size = 2}, "1280x720", "hevc", "hvc1", "aac", "mp4", false},
};

bool IsTodays(const std::string& shortName)
{
    return std::any_of(std::begin(kTodaysProfiles), std::end(kTodaysProfiles),
                       [&shortName](const TodaysProfile& today) { return shortName == today.shortName; });
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The types of the top-level boxes of an MP4 file, in file order.
std::vector<std::string> TopLevelBoxes(const std::string& bytes)
{
    std::vector<std::string> types;
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        std::uint64_t size = 0;
        for (std::size_t i = 0; i < 4; ++i)
            size = size << 8 | static_cast<unsigned char>(bytes[at + i]);
        if (size == 1 && at + 16 <= bytes.size()) {
            size = 0;
            for (std::size_t i = 8; i < 16; ++i)
                size = size << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        types.push_back(bytes.substr(at + 4, 4));
        if (size < 8) {
            break;
        }
        at += size;
    }
    return types;
}

class AvmProfiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing_support::TestFolder folder;
        ASSERT_EQ(profiles::LoadProfileCatalogue(catalogue_, std::string(PROGRAM_DIR) + "dsp_data.dll",
                                                 folder.Path() + "profiles.ini"),
                  "");
    }

    static int Slot(const std::string& shortName)
    {
        for (int slot = 0; slot < catalogue_.Count(); ++slot)
            if (catalogue_.Profile(slot)->profile_shortname == shortName)
                return slot;
        ADD_FAILURE() << "no profile " << shortName;
        return 0;
    }

    // The program's line for source and choice, without the record option
    // (the runner names its own record), and the output it writes.
    std::pair<std::vector<std::string>, std::string> Line(int slot, const std::string& sourcePath,
                                                          const profiles::ProfileChoice& choice)
    {
        ProbeFacts facts = Probe(sourcePath);
        engine::SourceItem source;
        source.path = sourcePath;
        source.duration = source.trimEnd = static_cast<std::int32_t>(std::lround(std::stod(facts.format["duration"])));
        source.width = std::stoi(facts.First("video")["width"]);
        source.height = std::stoi(facts.First("video")["height"]);
        source.frameRate = Ratio(facts.First("video")["avg_frame_rate"]);
        const profiles::OutputProfile& profile = *catalogue_.Profile(slot);
        const std::string extension = engine::OutputExtension(profile, sourcePath);
        const std::string output = folder_.Path() + "out" + std::to_string(++outputs_) + extension;
        std::vector<std::string> args =
            engine::BuildEngineArguments({source, profile, choice, app::DecodeEngine::Auto, app::VolumeRow{},
                                          runner_.Name(), output, extension, std::nullopt});
        args.erase(args.begin(), args.begin() + 2);
        return {args, output};
    }

    static profiles::ProfileCatalogue catalogue_;
    testing_support::TestFolder folder_;
    AvmRunner runner_{folder_.Path()};
    int outputs_ = 0;
};

profiles::ProfileCatalogue AvmProfiles::catalogue_;

}  // namespace

TEST_F(AvmProfiles, EveryShippedProfileConvertsAClipIntoWhatItsLineAsks)
{
    // Every profile with the choices a new user has, and the choices that
    // take another encoder, codec or aspect; today's profiles have a test
    // of their own below.
    std::vector<std::pair<int, profiles::ProfileChoice>> runs;
    for (int slot = 0; slot < catalogue_.Count(); ++slot) {
        if (!IsTodays(catalogue_.Profile(slot)->profile_shortname)) {
            runs.push_back({slot, profiles::ProfileChoice{}});
        }
    }
    runs.push_back({Slot("generic-avi"), {.video_codec = 1, .video_aspect = 2}});
    runs.push_back({Slot("generic-3gp"), {.video_codec = 1}});
    runs.push_back({Slot("disc-dvd"), {.video_aspect = 1, .video_tvtype = 1}});

    for (const auto& [slot, choice] : runs) {
        SCOPED_TRACE(catalogue_.Profile(slot)->profile_shortname);
        const auto [args, output] = Line(slot, Clips().h264Aac, choice);
        runner_.PrepareConversion(2);
        RunResult run = runner_.Run(args);
        ASSERT_EQ(run.resultCode, 0) << ::testing::PrintToString(args) << "\n" << run.log;
        ASSERT_FALSE(run.progress.empty());
        for (std::size_t i = 1; i < run.progress.size(); ++i)
            EXPECT_LE(run.progress[i - 1].lParam, run.progress[i].lParam) << "progress never goes back";
        EXPECT_EQ(run.progress.back().message, engine::kProgressMessage);
        EXPECT_EQ(run.progress.back().lParam, 10000) << "the last message says 100 %";

        ProbeFacts facts = Probe(output);
        auto video = facts.First("video");
        auto audio = facts.First("audio");
        const bool soundOnly = profiles::IsSoundOnly(*catalogue_.Profile(slot));
        EXPECT_EQ(facts.format["format_name"], ContainerFfmpegWrites(engine::ExtensionOf(output), soundOnly));
        EXPECT_NEAR(std::stod(facts.format["duration"]), 2.0, 0.3);
        if (soundOnly) {
            ASSERT_EQ(facts.streams.size(), 1u);
            EXPECT_EQ(audio["codec_name"], ExpectedAudioCodec(args));
            EXPECT_EQ(audio["sample_rate"], ValueOf(args, "-srate"));
            EXPECT_EQ(audio["channels"], ValueOf(args, "-channels"));
            continue;
        }
        if (ValueOf(args, "-ovc") == "copy") {
            EXPECT_EQ(video["codec_name"], "h264");
            EXPECT_EQ(audio["codec_name"], "aac");
            continue;
        }
        EXPECT_EQ(video["codec_name"], ExpectedVideoCodec(args));
        EXPECT_EQ(audio["codec_name"], ExpectedAudioCodec(args));
        EXPECT_EQ(video["width"] + "x" + video["height"], ExpectedSize(args));
        EXPECT_NEAR(Ratio(video["r_frame_rate"]), Ratio(ValueOf(args, "-ofps")), 0.001);
        EXPECT_EQ(audio["sample_rate"], ValueOf(args, "-srate"));
        EXPECT_EQ(audio["channels"], ValueOf(args, "-channels"));
        if (!ValueOf(args, "-ffourcc").empty()) {
            EXPECT_EQ(video["codec_tag_string"], ValueOf(args, "-ffourcc"));
        }
        // The display aspect the encoder's aspect= asks for, if any.
        const std::string aspect =
            SubValue(ValueOf(args, "-lavcopts"), "aspect") + SubValue(ValueOf(args, "-xvidencopts"), "aspect");
        if (!aspect.empty()) {
            EXPECT_NEAR(Ratio(video["display_aspect_ratio"]), Ratio(aspect), 0.03);
        }
    }
}

TEST_F(AvmProfiles, TodaysProfilesWriteWhatTheirDevicesTake)
{
    // Ten pictures are enough, and HD sizes take long to encode.
    const std::string clip = folder_.Path() + "short.mp4";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=0.4", "-f", "lavfi", "-i",
              "sine=sample_rate=44100:duration=0.4", "-ac", "2", "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac",
              clip});
    for (const TodaysProfile& today : kTodaysProfiles) {
        SCOPED_TRACE(today.shortName);
        const auto [args, output] = Line(Slot(today.shortName), clip, today.choice);
        runner_.PrepareConversion(1);
        RunResult run = runner_.Run(args);
        ASSERT_EQ(run.resultCode, 0) << ::testing::PrintToString(args) << "\n" << run.log;

        ProbeFacts facts = Probe(output);
        auto video = facts.First("video");
        auto audio = facts.First("audio");
        EXPECT_EQ(video["codec_name"], today.video);
        if (*today.tag != '\0') {
            EXPECT_EQ(video["codec_tag_string"], today.tag);
        }
        EXPECT_EQ(video["width"] + "x" + video["height"], today.size);
        EXPECT_NEAR(Ratio(video["r_frame_rate"]), 25, 0.001);
        EXPECT_EQ(audio["codec_name"], today.audio);
        EXPECT_EQ(audio["sample_rate"], "48000");
        EXPECT_EQ(audio["channels"], "2");
        EXPECT_NEAR(std::stod(facts.format["duration"]), 0.4, 0.1);
        const std::string bytes = FileBytes(output);
        if (std::string(today.container) == "mp4") {
            EXPECT_EQ(facts.format["format_name"], ContainerFfmpegWrites(".mp4", false));
            const std::vector<std::string> boxes = TopLevelBoxes(bytes);
            const auto index = std::find(boxes.begin(), boxes.end(), "moov");
            const auto data = std::find(boxes.begin(), boxes.end(), "mdat");
            ASSERT_TRUE(index != boxes.end() && data != boxes.end()) << ::testing::PrintToString(boxes);
            EXPECT_EQ(index < data, today.indexFirst) << ::testing::PrintToString(boxes);
        } else {
            EXPECT_EQ(facts.format["format_name"], "matroska,webm");
            // The EBML header at the start names the doc type.
            EXPECT_NE(bytes.substr(0, 48).find(today.container), std::string::npos);
        }
    }
}

// The HEVC and AV1 profiles keep a 10-bit HDR source as it is.
TEST_F(AvmProfiles, TodaysProfilesKeepTenBitHdrPictures)
{
    const std::string hdr = MakeHdrClip(folder_.Path());
    for (const char* shortName : {"generic-mp4-hevc", "generic-mkv-av1"}) {
        SCOPED_TRACE(shortName);
        const auto [args, output] = Line(Slot(shortName), hdr, {});
        runner_.PrepareConversion(1);
        RunResult run = runner_.Run(args);
        ASSERT_EQ(run.resultCode, 0) << ::testing::PrintToString(args) << "\n" << run.log;
        auto video = Probe(output).First("video");
        EXPECT_EQ(video["pix_fmt"], "yuv420p10le");
        EXPECT_EQ(video["color_primaries"], "bt2020");
        EXPECT_EQ(video["color_transfer"], "smpte2084");
        EXPECT_EQ(video["color_space"], "bt2020nc");
    }
}

// Four seconds of a busy picture: after the first, the encoders hold the
// profile's rate within this share (MPEG-4 runs about 5 % over, MPEG-2 at
// DVD size about 7 % under).
constexpr double kBitRateTolerance = 0.12;

TEST_F(AvmProfiles, VideoBitRateMeetsTheProfiles)
{
    const std::string busy = folder_.Path() + "busy.mkv";
    MakeClip({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=4,noise=alls=6:allf=t", "-f", "lavfi",
              "-i", "sine=duration=4", "-c:v", "libx264", "-preset", "ultrafast", "-qp", "0", "-c:a", "aac", busy});
    const struct {
        const char* profile;
        profiles::ProfileChoice choice;
    } cases[] = {
        {"generic-avi", {.video_quality = 2, .video_size = 2, .video_frame = 2}},
        {"generic-avi", {.video_quality = 0, .video_codec = 1, .video_size = 2, .video_frame = 2}},
        {"generic-mp4-h264", {.video_quality = 2, .video_size = 2, .video_frame = 2}},
        {"disc-dvd", {}},
    };
    for (const auto& c : cases) {
        const int slot = Slot(c.profile);
        const auto [args, output] = Line(slot, busy, c.choice);
        SCOPED_TRACE(::testing::PrintToString(args));
        runner_.PrepareConversion(4);
        RunResult run = runner_.Run(args);
        ASSERT_EQ(run.resultCode, 0) << run.log;
        const double requested = catalogue_.Profile(slot)->video_bitrate.At(c.choice.video_quality);
        EXPECT_NEAR(SettledVideoKbitPerSecond(output), requested, requested * kBitRateTolerance);
    }
}

TEST_F(AvmProfiles, LetterBoxBarsAreCentred)
{
    const struct {
        const char* source;  // size of a mid-grey picture
        profiles::ProfileChoice choice;
        bool rows;      // bars above and below, else left and right
        int barTotal;   // the frame less the picture scaled to keep its aspect
    } cases[] = {
        {"640x272", {.video_size = 2}, true, 240 - 136},
        {"400x300", {.video_size = 1, .custom_width = 320, .custom_height = 180}, false, 320 - 240},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string source = folder_.Path() + "grey" + c.source + ".avi";
        MakeClip({"-f", "lavfi", "-i", std::string("color=c=0x909090:rate=25:duration=1:size=") + c.source, "-f",
                  "lavfi", "-i", "sine=duration=1", "-c:v", "mpeg4", "-q:v", "2", "-c:a", "libmp3lame", source});
        const auto [args, output] = Line(Slot("generic-avi"), source, c.choice);
        SCOPED_TRACE(::testing::PrintToString(args));
        runner_.PrepareConversion(1);
        ASSERT_EQ(runner_.Run(args).resultCode, 0);
        auto video = Probe(output).First("video");
        const int width = std::stoi(video["width"]), height = std::stoi(video["height"]);
        const std::vector<std::string> frames = GreyFrames(output);
        ASSERT_FALSE(frames.empty());
        const auto [before, after] = BarsAtTheEdges(frames[frames.size() / 2], width, height, c.rows);
        EXPECT_NEAR(before, after, 2) << "bars of " << before << " and " << after;
        EXPECT_NEAR(before + after, c.barTotal, 4);
    }
}

// A disc profile's file is as big as the ffmpeg program's -target output of
// the same rates. The program-stream muxer sizes its mux rate, and a VCD's
// padding, from each stream's maximum rate; handed only the lower average
// rate a profile asks for, it pads a VCD up to the full disc rate.
TEST_F(AvmProfiles, DiscProfilesAreAsBigAsTheFfmpegProgramsTargets)
{
    const std::string clip = folder_.Path() + "disc.mp4";
    MakeClip({"-f", "lavfi", "-i", "testsrc=size=352x288:rate=25:duration=3", "-f", "lavfi", "-i",
              "sine=sample_rate=44100:duration=3", "-ac", "2", "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac",
              clip});
    const struct {
        const char* profile;
        profiles::ProfileChoice choice;
        const char* target;
        const char* groupLength;  // avm's; the SVCD target's differs (15 PAL, 18 NTSC)
    } cases[] = {
        {"disc-vcd", {.video_tvtype = 1}, "pal-vcd", "15"},
        {"disc-vcd", {}, "ntsc-vcd", "18"},
        {"disc-svcd", {.video_tvtype = 1}, "pal-svcd", "12"},
        {"disc-dvd", {}, "ntsc-dvd", "18"},
    };
    for (const auto& c : cases) {
        const auto [args, output] = Line(Slot(c.profile), clip, c.choice);
        SCOPED_TRACE(::testing::PrintToString(args));
        runner_.PrepareConversion(3);
        RunResult run = runner_.Run(args);
        ASSERT_EQ(run.resultCode, 0) << run.log;

        const std::string codecs = ValueOf(args, "-lavcopts");
        const std::string reference = folder_.Path() + c.target + ".mpg";
        // The VCD target holds the video at its full rate; the profiles let
        // it fall below (-mpegopts format=xvcd), and so does the reference.
        MakeClip({"-i", clip, "-target", c.target, "-b:v", SubValue(codecs, "vbitrate") + "k", "-minrate:v", "0", "-g",
                  c.groupLength, "-c:a", SubValue(codecs, "acodec"), "-b:a", SubValue(codecs, "abitrate") + "k",
                  "-aspect", SubValue(codecs, "aspect"), reference});
        const auto ours = static_cast<double>(std::filesystem::file_size(output));
        const auto theirs = static_cast<double>(std::filesystem::file_size(reference));
        EXPECT_NEAR(ours / theirs, 1.0, 0.05) << ours << " bytes against " << theirs;
    }
}
