// The container options the program derives from an output extension, and
// the probe's command line, as avm's own parser and FFmpeg read them. What
// the outputs really are is checked on real conversions in the avm tests.
#include "AvmOptions.h"
#include "OutputFormat.h"
#include "common/ToolError.h"
#include "engine/CommandLine.h"
#include "engine/EngineArguments.h"
#include "engine/MediaProbe.h"
#include "engine/OutputNaming.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileMarkers.h"
#include "support/TestFolder.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

avm::AvmOptions ReadByAvm(const engine::Arguments& line)
{
    return avm::ParseAvmOptions(line);
}

class OutputFormatProperties : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing_support::TestFolder folder;
        ASSERT_EQ(profiles::LoadProfileCatalogue(catalogue_, PROGRAM_DIR "dsp_data.dll", folder.Path() + "copy.bin"),
                  "");
    }

    // Every extension a shipped profile writes; the profile that keeps the
    // original format writes whichever of them its source has.
    static std::set<std::string> ShippedExtensions()
    {
        std::set<std::string> extensions;
        for (int slot = 0; slot < catalogue_.Count(); ++slot)
            if (!profiles::IsOriginal(*catalogue_.Profile(slot)))
                extensions.insert(catalogue_.Profile(slot)->file_extname);
        return extensions;
    }

    // The line the program builds for slot, a source with the given
    // extension and an output of the extension the profile writes for it.
    static engine::Arguments LineFor(int slot, const std::string& sourceExtension)
    {
        engine::SourceItem source;
        source.path = "/videos/clip" + sourceExtension;
        source.duration = source.trimEnd = 2;
        source.width = 320;
        source.height = 240;
        source.frameRate = 25;
        const profiles::OutputProfile& profile = *catalogue_.Profile(slot);
        const std::string extension = engine::OutputExtension(profile, source.path);
        return engine::BuildEngineArguments({source, profile, *catalogue_.Choice(slot), app::DecodeEngine::Auto,
                                             app::VolumeRow{}, "Rec", "/out/clip" + extension, extension,
                                             std::nullopt});
    }

    static profiles::ProfileCatalogue catalogue_;
};

profiles::ProfileCatalogue OutputFormatProperties::catalogue_;

}  // namespace

// A template may write the container option out to give the muxer more
// than its name (fast start); the line still names one container, and a
// FFmpeg muxer the one of its extension.
TEST_F(OutputFormatProperties, EveryShippedExtensionGetsAMuxerFfmpegKnows)
{
    const std::set<std::string> extensions = ShippedExtensions();
    ASSERT_GE(extensions.size(), 5u);
    for (int slot = 0; slot < catalogue_.Count(); ++slot) {
        // The source's extension matters to the profile that keeps the original format only.
        for (const std::string& sourceExtension : extensions) {
            const engine::Arguments line = LineFor(slot, sourceExtension);
            SCOPED_TRACE(engine::CommandText(line));
            EXPECT_LE(std::count(line.begin(), line.end(), "-of"), 1);
            EXPECT_LE(std::count(line.begin(), line.end(), "-lavfopts"), 1);
            const std::string extension =
                engine::OutputExtension(*catalogue_.Profile(slot), "/videos/clip" + sourceExtension);
            engine::Arguments plain = engine::SplitWords(
                "-sfm R in" + engine::OutputFormatOption("__output_format__", extension) + " -o out" + extension);
            engine::PinOutputFormat(plain, extension);
            try {
                const avm::OutputFormat format = avm::ChooseOutputFormat(ReadByAvm(line));
                EXPECT_NE(av_guess_format(format.muxer.c_str(), nullptr, nullptr), nullptr) << format.muxer;
                if (std::count(line.begin(), line.end(), "lavf") > 0) {
                    EXPECT_EQ(format.muxer, avm::ChooseOutputFormat(ReadByAvm(plain)).muxer);
                }
            } catch (const tools::ToolError& error) {
                ADD_FAILURE() << "avm refuses it: " << error.what();
            }
            if (!profiles::IsOriginal(*catalogue_.Profile(slot)))
                break;
        }
    }
}

TEST_F(OutputFormatProperties, SpellingOfTheExtensionDoesNotMatter)
{
    const std::string text = "a__output_format__ b__output_format__";
    for (const std::string& extension : ShippedExtensions()) {
        const std::string option = engine::OutputFormatOption(text, extension);
        EXPECT_EQ(option.find("__output_format__"), std::string::npos) << "every placeholder is filled";
        EXPECT_TRUE(option.starts_with("a ")) << option;
        EXPECT_NE(option.find(" b "), std::string::npos) << option;
        std::string upper = extension;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(engine::OutputFormatOption(text, upper), option) << upper;
        EXPECT_EQ(engine::OutputFormatOption(text, extension.substr(1)), option) << "without the dot";
        EXPECT_EQ(engine::OutputFormatOption(text, "." + extension), option) << "with two dots";
    }
}

TEST_F(OutputFormatProperties, AnExtensionNoContainerFitsIsRefusedByAvm)
{
    for (const char* extension : {".ogm", ".ts", ".xyz", ""}) {
        const engine::Arguments line = engine::SplitWords(
            "-sfm R in -ovc lavc -oac lavc" + engine::OutputFormatOption("__output_format__", extension) + " -o out");
        EXPECT_THROW(avm::ChooseOutputFormat(ReadByAvm(line)), tools::ToolError) << engine::CommandText(line);
    }
}

TEST(ProbeLine, AvmReadsItWithAnyPath)
{
    const std::string inputs[] = {"/v/a b.avi", "/v/say \"hi\".mkv", "/v/back\\slash.mp4", "/v/ü 日本.wmv",
                                  "/v/it's $HOME;.mpg"};
    for (const std::string& input : inputs) {
        const engine::Arguments line = engine::ProbeArguments("My_App", input);
        SCOPED_TRACE(engine::CommandText(line));
        const avm::AvmOptions options = ReadByAvm(line);
        EXPECT_EQ(options.recordName, "My_App");
        EXPECT_EQ(options.inputs, std::vector<std::string>{input});
        EXPECT_TRUE(options.identify) << "the facts and a first frame, no test output";
    }
}
