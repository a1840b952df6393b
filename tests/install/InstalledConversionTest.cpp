// The installed command line converts with its installed tools, profiles
// and subtitle fonts, and writes nothing into its prefix.
#include "InstalledCopy.h"

#include "AvmRunner.h"

#include <cstdlib>

class InstalledConversion : public install_test::InstalledCopy {};

TEST_F(InstalledConversion, ConvertsAClipWithSubtitlesWithAShippedProfile)
{
    UseOwnAppName();
    ::setenv("XDG_CONFIG_HOME", (folder_.Path() + "config").c_str(), 1);
    const std::string clip = folder_.Path() + "clip.mp4", subtitles = folder_.Path() + "clip.srt";
    avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-f", "lavfi", "-i",
                        "sine=frequency=440:sample_rate=44100:duration=2", "-c:v", "libx264", "-preset", "ultrafast",
                        "-c:a", "aac", clip});
    folder_.Write("clip.srt", "1\n00:00:00,000 --> 00:00:02,000\nWWWWWWWW\n");
    const Snapshot before = TakeSnapshot();

    const install_test::ProgramRun run = Run({Prefix() + "bin/diziv-cli", "-p", "MP4 - H.264 Video", "-o",
                                              folder_.Path() + "out", "--subtitle", subtitles, clip});

    ASSERT_EQ(run.exitCode, 0) << run.output;
    const avm_test::ProbeFacts facts = avm_test::Probe(folder_.Path() + "out/clip.mp4");
    ASSERT_FALSE(facts.First("video").empty()) << run.output;
    EXPECT_EQ(facts.First("video").at("codec_name"), "h264");
    EXPECT_EQ(facts.First("audio").at("codec_name"), "aac");
    EXPECT_NEAR(std::stod(facts.format.at("duration")), 2.0, 0.3);
    EXPECT_EQ(ChangesSince(before), std::vector<std::string>{}) << "the program wrote into its install prefix";
}
