// Sound-only output and sources without a picture through diziv-cli, the
// probe and the real engine.
#include "CliProgram.h"

#include "AvmRunner.h"
#include "TestClips.h"

#include <gtest/gtest.h>

using avm_test::Clips;

namespace {

class CliSoundTest : public cli_test::CliProgram {
protected:
    // Two seconds of a tone with no picture, as a WAV file.
    std::string ToneClip(const std::string& relative)
    {
        const std::string path = folder_.Make(relative);
        avm_test::MakeClip({"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-ac", "2", path});
        return path;
    }

    // Fails unless the file holds exactly one stream, a sound in codec, in
    // a container ffprobe calls container; its length in seconds.
    static double ExpectSoundOnly(const std::string& path, const std::string& codec, const std::string& container)
    {
        const avm_test::ProbeFacts facts = avm_test::Probe(path);
        EXPECT_EQ(facts.streams.size(), 1u) << path;
        EXPECT_TRUE(facts.First("video").empty()) << path;
        EXPECT_EQ(facts.First("audio")["codec_name"], codec) << path;
        EXPECT_EQ(facts.format.count("format_name") ? facts.format.at("format_name") : "", container) << path;
        return facts.format.count("duration") ? std::stod(facts.format.at("duration")) : 0;
    }
};

struct SoundProfile {
    const char* shortName;
    const char* extension;
    const char* codec;
    const char* container;
};
constexpr SoundProfile kSoundProfiles[] = {
    {"generic-mp3", ".mp3", "mp3", "mp3"},
    {"generic-m4a", ".m4a", "aac", "mov,mp4,m4a,3gp,3g2,mj2"},
    {"generic-flac", ".flac", "flac", "flac"},
    {"generic-opus", ".opus", "opus", "ogg"},
};

}  // namespace

// A clip with a picture loses it; a tone, trimmed to its second 0.5 to 1.5,
// keeps that second only.
TEST_F(CliSoundTest, EverySoundProfileWritesOneSoundStreamFromAVideoAndFromASoundSource)
{
    const std::string video = Copy(Clips().h264Aac, "in/film.mp4"), tone = ToneClip("in/tone.wav");
    for (const SoundProfile& profile : kSoundProfiles) {
        SCOPED_TRACE(profile.shortName);
        const std::string out = Out() + profile.shortName + "/";
        cli_test::CliRun run = Run({"-q", "-p", profile.shortName, "-o", out, video, "--start", "0.5", "--end", "1.5", tone});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_NEAR(ExpectSoundOnly(out + "film" + profile.extension, profile.codec, profile.container), 2.0, 0.3);
        EXPECT_NEAR(ExpectSoundOnly(out + "tone" + profile.extension, profile.codec, profile.container), 1.0, 0.15);
    }
}

// The joined file plays through: its parts' timestamps follow each other.
TEST_F(CliSoundTest, SourcesJoinIntoOneSoundFileThatDecodesCleanly)
{
    const std::string tone = ToneClip("in/tone.wav"), video = Copy(Clips().mpeg4Mp3, "in/film.avi");
    for (const SoundProfile& profile : kSoundProfiles) {
        SCOPED_TRACE(profile.shortName);
        const std::string out = Out() + profile.shortName + "/", joined = out + "tone" + profile.extension;
        cli_test::CliRun run = Run({"-q", "-p", profile.shortName, "--join", "-o", out, tone, video});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(testing_support::FileNames(out), std::vector<std::string>{"tone" + std::string(profile.extension)});
        EXPECT_NEAR(ExpectSoundOnly(joined, profile.codec, profile.container), 4.0, 0.3);
        std::string complaints;
        EXPECT_TRUE(avm_test::RunProgram({"ffmpeg", "-nostdin", "-v", "warning", "-i", joined, "-f", "null", "-"},
                                         &complaints));
        EXPECT_EQ(complaints, "");
    }
}

// A profile with a picture refuses the sound file with the reason, and
// still converts the file beside it.
TEST_F(CliSoundTest, AVideoProfileRefusesASoundSourceAndConvertsTheOthers)
{
    const std::string tone = ToneClip("in/tone.wav"), video = Copy(Clips().h264Aac, "in/film.mp4");
    cli_test::CliRun run = Run({"-p", "generic-mp4-h264", "-o", Out(), tone, video});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(Outputs(), std::vector<std::string>{"film.mp4"});
    EXPECT_NE(run.err.find("diziv-cli: " + tone +
                           ": This file has no picture: choose a sound-only output profile such as MP3.\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("\n1 converted, 1 failed, 0 skipped; output in "), std::string::npos) << run.out;
}
