// A picture that keeps the source's size gets a video bit rate sized to it:
// a small picture far less than the profile's rate, a 1080p one the rate
// the profile names for its largest size.
#include "CliProgram.h"

#include "AvmRunner.h"

#include <string>

namespace {

class CliVideoBitrateTest : public cli_test::CliProgram {
protected:
    // Seconds of H.264 at quantizer 10 with AAC; noise makes every bit count.
    std::string MakeSource(const std::string& name, const std::string& picture, const std::string& seconds)
    {
        const std::string path = folder_.Make("in/" + name);
        avm_test::MakeClip({"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100",
                            "-t", seconds, "-ac", "2", "-c:v", "libx264", "-preset", "ultrafast", "-qp", "10",
                            "-pix_fmt", "yuv420p", "-c:a", "aac", path});
        return path;
    }

    static long VideoKbits(const std::string& path)
    {
        return std::stol(avm_test::Probe(path).First("video").at("bit_rate")) / 1000;
    }
};

TEST_F(CliVideoBitrateTest, A320x240SourceGetsAProportionallyLowerRate)
{
    const std::string source =
        MakeSource("small.mp4", "nullsrc=size=320x240:rate=25,geq=lum='random(1)*255':cb=128:cr=128", "3");
    ASSERT_GT(VideoKbits(source), 3000) << "above the profile's rate, so that neither copy nor cap decides";

    cli_test::CliRun run = Run({"-p", "MP4 - H.264 Video", "--size", "Original", "-o", Out(), source});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    // The profile's High rate, 2000 kbit/s, is meant for 1280x720: 320x240
    // has a twelfth of its pixels and gets the H.264 floor of 250 kbit/s.
    const long kbits = VideoKbits(Out() + "small.mp4");
    EXPECT_LT(kbits, 500) << "the profile's rate would give about 2000";
    EXPECT_GT(kbits, 100);
}

TEST_F(CliVideoBitrateTest, A1080pSourceGetsTheProfilesFullRate)
{
    const std::string source = MakeSource("large.mp4", "testsrc2=size=1920x1080:rate=25", "1");
    ASSERT_GT(VideoKbits(source), 3000) << "above the profile's rate, so that neither copy nor cap decides";

    cli_test::CliRun run = Run({"-p", "MP4 - H.264 Video", "--size", "Original", "--verbose", "-o", Out(), source});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.err.find(" -x264encopts bitrate=2000 "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(" scale=1920:1080,harddup "), std::string::npos) << run.err;
}

}  // namespace
