// Sources whose picture already fits the profile are copied, packet for
// packet; what breaks the fit (a trim, another size, a higher bit rate, the
// option turned off) encodes as before.
#include "CliProgram.h"

#include "AvmRunner.h"

#include <vector>
#include <string>

namespace {

class CliCopyFittingTest : public cli_test::CliProgram {
protected:
    // One second of 640x360 H.264 Main at 25 fps with AAC 44.1 kHz stereo
    // at 128 kbit/s; quantizer 40 keeps the picture cheap, 6 makes it costly.
    std::string MakeSource(const std::string& name, const std::string& quantizer)
    {
        const std::string path = folder_.Make("in/" + name);
        avm_test::MakeClip({"-f", "lavfi", "-i", "testsrc2=size=640x360:rate=25:duration=1", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=44100:duration=1", "-ac", "2", "-c:v", "libx264",
                            "-preset", "ultrafast", "-profile:v", "main", "-qp", quantizer, "-pix_fmt", "yuv420p",
                            "-c:a", "aac", "-b:a", "128k", path});
        return path;
    }

    static bool Has(const cli_test::CliRun& run, const std::string& line)
    {
        return run.out.find(line) != std::string::npos;
    }

    static std::string Kbits(const std::string& path)
    {
        return std::to_string(std::stol(avm_test::Probe(path).First("video").at("bit_rate")) / 1000);
    }
};

TEST_F(CliCopyFittingTest, AFittingPictureIsCopiedAndWhatBreaksTheFitEncodes)
{
    const std::string fits = MakeSource("fits.mp4", "40");
    const std::string trimmed = MakeSource("trimmed.mp4", "40");
    const std::string costly = MakeSource("costly.mp4", "6");
    ASSERT_GT(std::stol(Kbits(costly)), 2000) << "above the profile's highest video bit rate";
    ASSERT_LT(std::stol(Kbits(fits)), 700);

    cli_test::CliRun run =
        Run({"-p", "MP4 - H.264 Video", "-o", Out(), fits, "--start", "0.2", trimmed, costly});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(Has(run, fits + ": Done (copied)\n")) << run.out;
    EXPECT_TRUE(Has(run, trimmed + ": Done\n")) << run.out;
    EXPECT_TRUE(Has(run, costly + ": Done\n")) << run.out;
    EXPECT_TRUE(Has(run, "3 converted, 0 failed")) << "a copied row counts as converted\n" << run.out;
    EXPECT_EQ(avm_test::PacketHashes(Out() + "fits.mp4", "v"), avm_test::PacketHashes(fits, "v"));
    EXPECT_NE(avm_test::PacketHashes(Out() + "trimmed.mp4", "v"), avm_test::PacketHashes(trimmed, "v"));
    EXPECT_NE(avm_test::PacketHashes(Out() + "costly.mp4", "v"), avm_test::PacketHashes(costly, "v"));
    const auto audio = avm_test::Probe(Out() + "fits.mp4").First("audio");
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(audio.at("codec_name"), "aac");
}

TEST_F(CliCopyFittingTest, AnotherSizeOrTheOptionOffEncodes)
{
    const std::string fits = MakeSource("fits.mp4", "40");
    const std::vector<std::vector<std::string>> choices = {{"--size", "320x240"}, {"--no-copy-fitting"}};
    for (const std::vector<std::string>& choice : choices) {
        std::vector<std::string> arguments = {"-p", "MP4 - H.264 Video", "--overwrite", "-o", Out()};
        arguments.insert(arguments.end(), choice.begin(), choice.end());
        arguments.push_back(fits);
        cli_test::CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << choice.front() << run.out << run.err;
        EXPECT_TRUE(Has(run, fits + ": Done\n")) << choice.front() << run.out;
        EXPECT_NE(avm_test::PacketHashes(Out() + "fits.mp4", "v"), avm_test::PacketHashes(fits, "v")) << choice.front();
    }
}

}  // namespace
