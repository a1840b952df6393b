#include "engine/EngineArguments.h"

#include "app/Application.h"
#include "engine/CommandLine.h"
#include "engine/DecodeScript.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

const std::string kInput = "/videos/my clip.avi";
const std::string kOutput = "/output/my clip.mpg";

profiles::OutputProfile TestProfile(const std::string& shortName, const std::string& command1)
{
    profiles::OutputProfile profile;
    profile.profile_shortname = shortName;
    profile.kind = profiles::ParseProfileKind(shortName);
    profile.command1 = command1;
    profile.command2 = "second";
    profile.video_codec.slots = {"XviD", "wmv8", "WMV8"};
    profile.video_bitrate.numbers = {500, 800};
    profile.video_qscale.numbers = {2, 4};
    profile.audio_bitrate.numbers = {128, 192};
    profile.audio_codec.slots = {"MP3LAME"};
    profile.audio_sample.slots = {"44100 Hz"};
    profile.video_aspect.slots = {"Auto", "4:3 (TV)", "16:9 (Wide)"};
    profile.video_frame.slots = {"Original", "29.97", "25", "14.985", "14.944", "14.943", "23.9765", "23.978"};
    return profile;
}

SourceItem TestSource()
{
    SourceItem source;
    source.path = kInput;
    source.duration = 100;
    source.trimEnd = 100;
    source.width = 640;
    source.height = 480;
    source.frameRate = 25;
    source.subtitleTextSize = 4;
    return source;
}

struct Expansion {
    SourceItem source = TestSource();
    profiles::OutputProfile profile = TestProfile("generic-mpg", "");
    profiles::ProfileChoice choice;
    app::DecodeEngine decoder = app::DecodeEngine::Auto;
    app::VolumeRow volume;
    std::string extension = ".mpg";
    std::optional<FrameSize> joinerFirstSource;

    std::string Arguments() const
    {
        return CommandText(
            BuildEngineArguments({source, profile, choice, decoder, volume, "Diziv_Test", kOutput, extension,
                                  joinerFirstSource}));
    }

    // The expanded template alone: the line of an untrimmed source without
    // tracks or subtitles, less what surrounds the template.
    std::string Template() const
    {
        const std::string head = " -sfm Diziv_Test \"" + kInput + "\" ";
        const std::string tail = " -o \"" + kOutput + "\"";
        std::string line = Arguments();
        EXPECT_EQ(line.substr(0, head.size()), head);
        EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
        return line.substr(head.size(), line.size() - head.size() - tail.size());
    }
};

}  // namespace

TEST(EngineArguments, TemplateIsChosenByShortNameAndChoice)
{
    struct Case {
        std::string shortName;
        std::int32_t videoCodec, tvType;
        std::string expected;
    };
    const Case cases[] = {
        {"generic-avi", 0, 1, "first"}, {"generic-avi", 1, 0, "second"}, {"disc-dvd", 1, 0, "first"},
        {"disc-svcd", 0, 2, "second"},  {"generic-mp4", 1, 1, "first"},
    };
    for (const Case& c : cases) {
        Expansion run;
        run.profile = TestProfile(c.shortName, "first");
        run.choice.video_codec = c.videoCodec;
        run.choice.video_tvtype = c.tvType;
        EXPECT_EQ(run.Template(), c.expected) << c.shortName;
    }
}

TEST(EngineArguments, PlaceholdersAreFilledFromTheChosenEntries)
{
    struct Case {
        std::string templateText;
        void (*adjust)(Expansion&);
        std::string expected;
    };
    const Case cases[] = {
        {"vcodec=__video_codec__", [](Expansion&) {}, "vcodec=xvid"},
        {"vcodec=__video_codec__", [](Expansion& r) { r.choice.video_codec = 1; }, "vcodec=wmv2"},
        {"vcodec=__video_codec__", [](Expansion& r) { r.choice.video_codec = 40; }, "vcodec="},
        {"b=__video_bitrate__ q=__vqscale__ a=__audio_bitrate__", [](Expansion& r) {
             r.choice.video_quality = 1;
             r.choice.audio_quality = 1;
             r.source.width = 1280;  // the nominal size of a profile that lists none
             r.source.height = 720;
         }, "b=800 q=4 a=192"},
        {"b=__video_bitrate__ q=__vqscale__ a=__audio_bitrate__", [](Expansion& r) {
             r.choice.video_quality = -1;
             r.choice.audio_quality = 99;
         }, "b=0 q=0 a=0"},
        {"-oac __audio_codec__ -srate __audio_sample__", [](Expansion&) {}, "-oac mp3lame -srate 44100"},
        {"volume=__volume__/__volume__", [](Expansion&) {}, "volume=0/0"},
        {"volume=__volume__", [](Expansion& r) { r.volume.row = 0; }, "volume=-16"},
        {"volume=__volume__", [](Expansion& r) { r.volume.row = 11; }, "volume=6"},
        {"vcodec=x:aspect=__video_aspect__:b=1", [](Expansion&) {}, "vcodec=x:b=1"},
        {"vcodec=x:aspect=__video_aspect__:b=1", [](Expansion& r) { r.choice.video_aspect = 1; }, "vcodec=x:aspect=4/3:b=1"},
        {"-ofps__video_frame__", [](Expansion& r) { r.choice.video_frame = 1; }, "-ofps 30000/1001"},
        {"-ofps__video_frame__", [](Expansion& r) { r.choice.video_frame = 2; }, "-ofps 25.000000"},
        {"-ofps__video_frame__", [](Expansion& r) { r.choice.video_frame = 4; }, "-ofps 15000/1001"},
        {"-ofps__video_frame__", [](Expansion& r) { r.choice.video_frame = 5; }, "-ofps 14.943000"},
        {"-ofps__video_frame__", [](Expansion& r) { r.source.frameRate = 23.976; }, "-ofps 24000/1001"},
        {"-ovc lavc__output_format__", [](Expansion&) {}, "-ovc lavc -of mpeg"},
        {"__unknown__ __video_codec", [](Expansion&) {}, "__unknown__ __video_codec"},
    };
    for (const Case& c : cases) {
        Expansion run;
        run.profile.command1 = c.templateText;
        c.adjust(run);
        EXPECT_EQ(run.Template(), c.expected) << c.templateText;
    }
}

TEST(EngineArguments, SizeRuleAndLetterBoxing)
{
    struct Case {
        std::string shortName;
        std::int32_t width, height, letterbox;
        std::int32_t sourceWidth, sourceHeight;
        std::string expectedSize;
        int subtitlePosition, subtitleWidth;
    };
    const Case cases[] = {
        {"generic-mpg", 320, 0, 1, 352, 288, "352:288", 100, 100},
        {"disc-dvd", 0, 0, 0, 640, 480, "0:0", 100, 100},
        {"generic-mpg", 720, 400, 0, 640, 480, "720:400", 100, 100},
        {"generic-mpg", 720, 400, 1, 640, 480, "-3:400,expand=720:400", 100, 74},
        {"generic-mpg", 640, 480, 1, 720, 304, "640:-3,expand=640:480", 78, 100},
        {"generic-mpg", 640, 480, 1, 640, 480, "-3:480,expand=640:480", 100, 100},
        {"generic-mpg", 640, 480, 1, 640, 0, "640:480", 100, 100},
    };
    for (const Case& c : cases) {
        Expansion run;
        run.profile = TestProfile(c.shortName, "-vf scale=__video_size__");
        run.profile.video_width.numbers = {c.width};
        run.profile.video_height.numbers = {c.height};
        run.choice.video_letterbox = c.letterbox;
        run.source.width = c.sourceWidth;
        run.source.height = c.sourceHeight;
        EXPECT_EQ(run.Template(), "-vf scale=" + c.expectedSize) << c.expectedSize;

        run.source.subtitleTrack = 0;
        const std::string placement =
            " -subpos " + std::to_string(c.subtitlePosition) + " -subwidth " + std::to_string(c.subtitleWidth) + " ";
        EXPECT_NE(run.Arguments().find(placement), std::string::npos) << run.Arguments();
    }
}

TEST(EngineArguments, CustomAndJoinerSizes)
{
    Expansion run;
    run.profile.command1 = "__video_size__";
    run.profile.video_width.numbers = {0, 1};
    run.profile.video_height.numbers = {0, 1};
    run.joinerFirstSource = FrameSize{352, 120};
    EXPECT_EQ(run.Template(), "352:120") << "a joined part takes the first source's size";

    run.choice.video_size = 1;
    run.choice.custom_width = 800;
    run.choice.custom_height = 450;
    run.choice.video_letterbox = 0;
    EXPECT_EQ(run.Template(), "800:450");
    run.choice.video_letterbox = 1;
    EXPECT_EQ(run.Template(), "-3:450,expand=800:450") << "letter-boxed against the source, not the first source";
}

TEST(EngineArguments, RunOptionsWrapTheTemplate)
{
    testing_support::TestFolder folder;
    app::ApplicationValues saved = app::Application();
    app::Application().programDirectory = folder.Path() + "program/";
    const std::string subtitles = folder.Path() + "my \"subs\".srt";
    folder.Write("my \"subs\".srt", "1\n00:00:01,000 --> 00:00:02,000\nHello\n");
    const std::string font = folder.Path() + "program/system/fonts/cour.ttf";

    Expansion run;
    run.profile.command1 = "-ovc lavc";
    run.source.trimStart = 10;
    run.source.trimEnd = 70;
    run.source.audioTrack = 1;
    run.source.subtitleTrack = 2;
    run.source.subtitleFile = subtitles;
    run.source.subtitleCodePage = "CP1251";
    run.source.subtitleFont = "cour.ttf";
    run.source.subtitleTextSize = 5;
    const std::string rendering = " -subcp CP1251 -font " + font + " -subpos 100 -subwidth 100 -subfont-text-scale 5";
    EXPECT_EQ(run.Arguments(), " -sfm Diziv_Test \"/videos/my clip.avi\" -ss 10 -endpos 60 -ovc lavc -aid 1 -sid 2" +
                                   rendering + " -sub " + CommandText({subtitles}).substr(1) + rendering +
                                   " -o \"/output/my clip.mpg\"");

    run.source.subtitleFile = folder.Path() + "missing.srt";
    run.source.subtitleTrack = -1;
    run.source.trimStart = 0;
    run.source.trimEnd = 100;
    EXPECT_EQ(run.Arguments(), " -sfm Diziv_Test \"/videos/my clip.avi\" -ovc lavc -aid 1 -o \"/output/my clip.mpg\"");

    // Milliseconds of a trim reach the encoder as decimals of its seconds.
    run.source.trimStartMs = 50;
    EXPECT_NE(run.Arguments().find(" -ss 0.05 -endpos 99.95 "), std::string::npos) << run.Arguments();
    run.source.trimStart = 1;
    run.source.trimStartMs = 500;
    run.source.trimEnd = 99;
    run.source.trimEndMs = 750;
    EXPECT_NE(run.Arguments().find(" -ss 1.5 -endpos 98.25 "), std::string::npos) << run.Arguments();
    app::Application() = saved;
}

// A sound-only template keeps the trim and the audio track but takes no
// subtitles, which would be drawn on a picture; its sources may have none.
TEST(EngineArguments, SoundOnlyOutputTakesNoPictureOptions)
{
    testing_support::TestFolder folder;
    folder.Write("subs.srt", "1\n00:00:01,000 --> 00:00:02,000\nHello\n");
    Expansion run;
    run.profile = TestProfile("generic-mp3", "-novideo -oac mp3lame -lameopts cbr:br=__audio_bitrate__ "
                                             "-af volume=__volume__ -srate __audio_sample__ __output_format__");
    run.profile.flag_onlyaudio = 1;
    run.extension = ".mp3";
    run.choice.audio_quality = 1;
    run.source.trimStart = 2;
    run.source.trimEnd = 5;
    run.source.audioTrack = 1;
    run.source.subtitleTrack = 0;
    run.source.subtitleFile = folder.Path() + "subs.srt";
    const std::string expected = " -sfm Diziv_Test \"/videos/my clip.avi\" -ss 2 -endpos 3 -novideo -oac mp3lame "
                                 "-lameopts cbr:br=192 -af volume=0 -srate 44100 -of lavf -lavfopts format=mp3 "
                                 "-aid 1 -o \"/output/my clip.mpg\"";
    EXPECT_EQ(run.Arguments(), expected);

    // A source without a picture gives the same line: nothing reads its frame size or rate.
    run.source.width = run.source.height = 0;
    run.source.frameRate = 0;
    run.source.soundOnly = true;
    run.choice.video_letterbox = 1;
    EXPECT_EQ(run.Arguments(), expected);
}

TEST(EngineArguments, DecodeScriptReplacesTheInputWhenTheSettingAsks)
{
    using app::DecodeEngine;
    struct Case {
        DecodeEngine decoder;
        std::int32_t viaDirectShow;
        bool usesScript;
    };
    const Case cases[] = {{DecodeEngine::Auto, 0, false},
                          {DecodeEngine::Auto, 1, true},
                          {DecodeEngine::BuiltIn, 1, false},
                          {DecodeEngine::Script, 0, true}};
    for (const Case& c : cases) {
        Expansion run;
        run.source.decodeViaDirectShow = c.viaDirectShow;
        EXPECT_EQ(UsesDecodeScript(c.decoder, run.source), c.usesScript);
        const Arguments argv = BuildEngineArguments({run.source, run.profile, run.choice, c.decoder, run.volume,
                                                     "Diziv_Test", kOutput, run.extension, std::nullopt});
        ASSERT_GE(argv.size(), 3u);
        EXPECT_EQ(argv[2], c.usesScript ? DecodeScriptPath() : kInput) << c.viaDirectShow;
    }
    // The script is line-based: a name with a line break is read directly.
    for (const char* path : {"/videos/two\nlines.avi", "/videos/two\rlines.avi"}) {
        SourceItem source = TestSource();
        source.path = path;
        source.decodeViaDirectShow = 1;
        EXPECT_FALSE(UsesDecodeScript(DecodeEngine::Script, source)) << path;
        EXPECT_FALSE(UsesDecodeScript(DecodeEngine::Auto, source)) << path;
    }
}

// The encoder writes under a partial name, so a bare "-of lavf" is told the
// muxer the final name's extension stands for.
TEST(EngineArguments, ABareLavfOutputIsToldItsFormat)
{
    const struct {
        Arguments given;
        std::string extension;
        Arguments expected;
    } cases[] = {
        {{"-oac", "copy", "-of", "lavf", "-o", "x"}, ".FLV",
         {"-oac", "copy", "-of", "lavf", "-lavfopts", "format=flv", "-o", "x"}},
        {{"-of", "lavf", "-lavfopts", "format=mp4"}, ".flv", {"-of", "lavf", "-lavfopts", "format=mp4"}},
        {{"-of", "mpeg"}, ".flv", {"-of", "mpeg"}},
        {{"-idx"}, ".avi", {"-idx"}},
    };
    for (const auto& c : cases) {
        Arguments arguments = c.given;
        PinOutputFormat(arguments, c.extension);
        EXPECT_EQ(arguments, c.expected) << CommandText(c.given);
    }
    Expansion run;
    run.profile = TestProfile("generic-flv", "-ovc lavc __output_format__");
    run.extension = ".flv";
    EXPECT_EQ(run.Template(), "-ovc lavc -of lavf -lavfopts format=flv");
}
