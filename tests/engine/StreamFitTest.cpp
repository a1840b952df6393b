#include "engine/StreamFit.h"

#include "engine/StreamCopyArguments.h"

#include <gtest/gtest.h>

#include <functional>

using namespace engine;

namespace {

constexpr char kH264Template[] =
    "-ovc x264 -x264encopts bitrate=__video_bitrate__:profile=main:level_idc=31 -oac lavc "
    "-lavcopts acodec=__audio_codec__:abitrate=__audio_bitrate__ -vf scale=__video_size__,harddup "
    "-ofps __video_frame__ -af volume=__volume__ -srate __audio_sample__ -channels 2 __output_format__";

profiles::OutputProfile H264Profile(const std::string& shortName = "device-mp4-h264",
                                    const std::string& command = kH264Template)
{
    profiles::OutputProfile profile;
    profile.profile_shortname = shortName;
    profile.kind = profiles::ParseProfileKind(shortName);
    profile.file_extname = ".mp4";
    profile.command1 = command;
    profile.video_codec.slots = {"H.264"};
    profile.video_bitrate.numbers = {2000, 700, 300};
    profile.video_size.slots = {"Original", "Custom...", "640x360", "320x240"};
    profile.video_width.numbers = {0, 1, 640, 320};
    profile.video_height.numbers = {0, 1, 360, 240};
    profile.video_frame.slots = {"Original", "25", "29.97"};
    profile.video_aspect.slots = {"Auto", "16:9"};
    profile.audio_codec.slots = {"AAC", "MP3"};
    profile.audio_bitrate.numbers = {160, 128, 96};
    profile.audio_sample.slots = {"44100", "48000"};
    return profile;
}

// An H.264 Main 3.0 / AAC stereo source that fits H264Profile as chosen by Fit.
SourceItem FittingSource()
{
    SourceItem source;
    source.path = "/videos/clip.mp4";
    source.duration = 10;
    source.trimEnd = 10;
    source.videoCodec = "h264";
    source.videoProfile = "Main";
    source.videoLevel = 30;
    source.videoBitrate = 600;
    source.width = 640;
    source.height = 360;
    source.frameRate = 25;
    source.audioCodec = "aac";
    source.audioBitrate = 128;
    source.sampleRate = 44100;
    source.channels = 2;
    source.audioTrack = 0;
    return source;
}

struct Fit {
    SourceItem source = FittingSource();
    profiles::OutputProfile profile = H264Profile();
    profiles::ProfileChoice choice = [] {
        profiles::ProfileChoice fitting;
        fitting.video_quality = 1;  // 700 kbps
        fitting.audio_quality = 1;  // 128 kbps
        return fitting;
    }();
    app::JobSettings settings;
    bool joinerMode = false;

    StreamCopy Copy() const { return ChooseStreamCopy({source, profile, choice, settings, joinerMode}); }
};

struct FitCase {
    const char* what;
    std::function<void(Fit&)> change;
    StreamCopy expected;
};

constexpr StreamCopy kBoth{true, true};
constexpr StreamCopy kVideoOnly{true, false};
constexpr StreamCopy kAudioOnly{false, true};
constexpr StreamCopy kNeither{false, false};

void ExpectCases(const std::vector<FitCase>& cases)
{
    for (const FitCase& c : cases) {
        Fit fit;
        c.change(fit);
        const StreamCopy copy = fit.Copy();
        EXPECT_EQ(copy.video, c.expected.video) << c.what;
        EXPECT_EQ(copy.audio, c.expected.audio) << c.what;
    }
}

}  // namespace

TEST(StreamFit, JobAndRowConditionsDecideForBothStreams)
{
    ExpectCases({
        {"the fitting source", [](Fit&) {}, kBoth},
        {"setting off", [](Fit& f) { f.settings.copyFitting = false; }, kNeither},
        {"join", [](Fit& f) { f.joinerMode = true; }, kNeither},
        {"DVD profile", [](Fit& f) { f.profile = H264Profile("dvd-mpeg2"); }, kNeither},
        {"trimmed end", [](Fit& f) { f.source.trimEnd = 9; }, kNeither},
        {"trimmed start by milliseconds", [](Fit& f) { f.source.trimStartMs = 500; }, kNeither},
        {"decode script", [](Fit& f) { f.settings.decoder = app::DecodeEngine::Script; }, kNeither},
        {"probed through the script",
         [](Fit& f) { f.source.decodeViaDirectShow = 1; }, kNeither},
        {"built-in decoder", [](Fit& f) { f.settings.decoder = app::DecodeEngine::BuiltIn; }, kBoth},
    });
}

TEST(StreamFit, PictureFitsOnlyAsItIs)
{
    ExpectCases({
        {"subtitle file", [](Fit& f) { f.source.subtitleFile = "/videos/clip.srt"; }, kAudioOnly},
        {"subtitle track", [](Fit& f) { f.source.subtitleTrack = 0; }, kAudioOnly},
        {"listed size equal to the source's", [](Fit& f) { f.choice.video_size = 2; }, kBoth},
        {"smaller listed size", [](Fit& f) { f.choice.video_size = 3; }, kAudioOnly},
        {"custom size equal",
         [](Fit& f) {
             f.choice.video_size = 1;
             f.choice.custom_width = 640;
             f.choice.custom_height = 360;
         },
         kBoth},
        {"custom size other",
         [](Fit& f) {
             f.choice.video_size = 1;
             f.choice.custom_width = 640;
             f.choice.custom_height = 480;
         },
         kAudioOnly},
        {"listed rate equal", [](Fit& f) { f.choice.video_frame = 1; }, kBoth},
        {"listed rate within 0.01", [](Fit& f) {
             f.choice.video_frame = 1;
             f.source.frameRate = 25.008;
         }, kBoth},
        {"other rate", [](Fit& f) { f.choice.video_frame = 2; }, kAudioOnly},
        {"aspect set", [](Fit& f) { f.choice.video_aspect = 1; }, kAudioOnly},
        {"other codec", [](Fit& f) { f.source.videoCodec = "hevc"; }, kAudioOnly},
        {"bit rate unknown", [](Fit& f) { f.source.videoBitrate = 0; }, kAudioOnly},
        {"bit rate at the chosen one", [](Fit& f) { f.source.videoBitrate = 700; }, kBoth},
        {"bit rate above the chosen one", [](Fit& f) { f.choice.video_quality = 2; }, kAudioOnly},
        {"template filter besides scaling",
         [](Fit& f) {
             f.profile.command1 = "-ovc x264 -oac lavc -lavcopts acodec=aac -vf crop=640:300,scale=__video_size__";
         },
         kAudioOnly},
    });
}

TEST(StreamFit, PictureStaysWithinTheProfileAndLevelTheTemplateNames)
{
    ExpectCases({
        {"constrained baseline within main", [](Fit& f) { f.source.videoProfile = "Constrained Baseline"; }, kBoth},
        {"high above main", [](Fit& f) { f.source.videoProfile = "High"; }, kAudioOnly},
        {"profile unknown", [](Fit& f) { f.source.videoProfile = ""; }, kAudioOnly},
        {"level at the limit", [](Fit& f) { f.source.videoLevel = 31; }, kBoth},
        {"level above", [](Fit& f) { f.source.videoLevel = 40; }, kAudioOnly},
        {"level unknown", [](Fit& f) { f.source.videoLevel = 0; }, kAudioOnly},
        {"no limits named",
         [](Fit& f) {
             f.profile.command1 = "-ovc x264 -x264encopts bitrate=700 -oac lavc -lavcopts acodec=aac -srate 44100";
             f.source.videoProfile = "High";
             f.source.videoLevel = 51;
         },
         kBoth},
        {"HEVC Main 10 level 4.1 within main10:level=4.1",
         [](Fit& f) {
             f.profile.command1 = "-ovc x265 -x265encopts crf=24:profile=main10:level=4.1 -oac lavc -lavcopts acodec=aac";
             f.source.videoCodec = "hevc";
             f.source.videoProfile = "Main 10";
             f.source.videoLevel = 123;
         },
         kBoth},
        {"HEVC level 5 above level=41",
         [](Fit& f) {
             f.profile.command1 = "-ovc x265 -x265encopts profile=main:level=41 -oac lavc -lavcopts acodec=aac";
             f.source.videoCodec = "hevc";
             f.source.videoLevel = 150;
         },
         kAudioOnly},
    });
}

TEST(StreamFit, SoundFitsWithItsCodecRateChannelsAndVolume)
{
    ExpectCases({
        {"other codec chosen", [](Fit& f) { f.choice.audio_codec = 1; }, kVideoOnly},
        {"other sample rate chosen", [](Fit& f) { f.choice.audio_sample = 1; }, kVideoOnly},
        {"mono source", [](Fit& f) { f.source.channels = 1; }, kVideoOnly},
        {"bit rate above the chosen one", [](Fit& f) { f.choice.audio_quality = 2; }, kVideoOnly},
        {"bit rate unknown", [](Fit& f) { f.source.audioBitrate = 0; }, kVideoOnly},
        {"louder", [](Fit& f) { f.settings.volume.row = 9; }, kVideoOnly},
        {"second track", [](Fit& f) { f.source.audioTrack = 1; }, kVideoOnly},
        {"FLAC at any bit rate",
         [](Fit& f) {
             f.profile.command1 = "-ovc x264 -oac lavc -lavcopts acodec=flac -srate __audio_sample__ -channels 2";
             f.source.audioCodec = "flac";
             f.source.audioBitrate = 0;
         },
         kBoth},
        {"MP3 through mp3lame",
         [](Fit& f) {
             f.profile.command1 = "-ovc lavc -lavcopts vcodec=mpeg4:vbitrate=__video_bitrate__ -ffourcc DX50 "
                                  "-oac mp3lame -lameopts cbr:br=__audio_bitrate__ -srate __audio_sample__";
             f.source.videoCodec = "mpeg4";
             f.source.audioCodec = "mp3";
         },
         kBoth},
    });
}

TEST(StreamFit, TemplatesThatCopyAlreadyAreLeftAlone)
{
    ExpectCases({
        {"original profile",
         [](Fit& f) { f.profile = H264Profile("generic-original", "-ovc copy -oac copy __output_format__"); }, kNeither},
        {"copy in a converting profile",
         [](Fit& f) { f.profile.command1 = "-ovc copy -oac lavc -lavcopts acodec=aac -srate 44100 -channels 2"; },
         kAudioOnly},
    });
}

TEST(StreamFit, TemplateEncodersNameTheCodecsTheProbeReports)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"-ovc x264 -oac mp3lame", "h264 mp3"},
        {"-ovc x265 -oac lavc -lavcopts acodec=opus", "hevc opus"},
        {"-ovc svtav1 -oac lavc -lavcopts acodec=libopus", "av1 opus"},
        {"-ovc vpx -oac lavc -lavcopts acodec=libvorbis", "vp9 vorbis"},
        {"-ovc xvid -oac copy", "mpeg4 copy"},
        {"-ovc lavc -oac lavc -lavcopts vcodec=flv:acodec=mp2", "flv1 mp2"},
        {"-ovc lavc -oac lavc -lavcopts vcodec=mpeg2video:vbitrate=800:acodec=ac3", "mpeg2video ac3"},
        {"-novideo -oac lavc -lavcopts acodec=aac", " aac"},
    };
    for (const auto& [line, codecs] : cases) {
        const TemplateStreams streams = ReadTemplateStreams(SplitWords(line));
        EXPECT_EQ(streams.videoCodec + " " + streams.audioCodec, codecs) << line;
    }
}

TEST(StreamCopyArguments, CopiedStreamsLoseTheirEncodingButKeepTheContainer)
{
    const std::string line =
        "-sfm Rec in.mp4 -ovc x264 -x264encopts bitrate=700:profile=main -oac lavc "
        "-lavcopts acodec=aac:abitrate=128 -vf scale=640:360,harddup -ofps 25.000000 -af volume=0 -srate 44100 "
        "-channels 2 -of lavf -lavfopts format=mp4:faststart -o out.mp4";
    struct Case {
        StreamCopy copy;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kNeither, line},
        {kVideoOnly,
         "-sfm Rec in.mp4 -ovc copy -oac lavc -lavcopts acodec=aac:abitrate=128 -af volume=0 -srate 44100 "
         "-channels 2 -of lavf -lavfopts format=mp4:faststart -o out.mp4"},
        {kAudioOnly,
         "-sfm Rec in.mp4 -ovc x264 -x264encopts bitrate=700:profile=main -oac copy -vf scale=640:360,harddup "
         "-ofps 25.000000 -of lavf -lavfopts format=mp4:faststart -o out.mp4"},
        {kBoth, "-sfm Rec in.mp4 -ovc copy -oac copy -of lavf -lavfopts format=mp4:faststart -o out.mp4"},
    };
    for (const Case& c : cases) {
        Arguments arguments = SplitWords(line);
        ApplyStreamCopy(arguments, c.copy);
        EXPECT_EQ(arguments, SplitWords(c.expected)) << c.copy.video << c.copy.audio;
    }
}

TEST(StreamCopyArguments, SharedLavcOptionsAndTagsSplitByStream)
{
    struct Case {
        std::string line;
        StreamCopy copy;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"-ovc lavc -oac lavc -lavcopts vcodec=mpeg4:vbitrate=800:aspect=4/3:acodec=mp2:abitrate=128 -ffourcc DX50",
         kVideoOnly, "-ovc copy -oac lavc -lavcopts acodec=mp2:abitrate=128 -ffourcc DX50"},
        {"-ovc lavc -oac lavc -lavcopts vcodec=mpeg4:vbitrate=800:acodec=mp2:abitrate=128 -ffourcc DX50", kAudioOnly,
         "-ovc lavc -oac copy -lavcopts vcodec=mpeg4:vbitrate=800 -ffourcc DX50"},
        {"-ovc x265 -x265encopts crf=24 -ffourcc hvc1 -oac mp3lame -lameopts cbr:br=128", kBoth,
         "-ovc copy -ffourcc hvc1 -oac copy"},
    };
    for (const Case& c : cases) {
        Arguments arguments = SplitWords(c.line);
        ApplyStreamCopy(arguments, c.copy);
        EXPECT_EQ(CommandText(arguments), CommandText(SplitWords(c.expected))) << c.line;
    }
}
