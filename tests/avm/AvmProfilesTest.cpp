// Every shipped profile's template, expanded by the program's own
// BuildEngineArguments, converts a two-second clip into what it promises.
#include "AvmRunner.h"
#include "TestClips.h"
#include "app/SettingsStore.h"
#include "engine/CommandLine.h"
#include "engine/EngineArguments.h"
#include "engine/OutputNaming.h"
#include "profiles/ProfileCatalogue.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <map>

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
    std::string item;
    for (std::size_t begin = 0; begin <= list.size();) {
        auto end = std::min(list.find(':', begin), list.size());
        item = list.substr(begin, end - begin);
        if (item.rfind(key + "=", 0) == 0)
            return item.substr(key.size() + 1);
        begin = end + 1;
    }
    return "";
}

std::string ExpectedVideoCodec(const std::vector<std::string>& args)
{
    const std::string encoder = ValueOf(args, "-ovc");
    if (encoder == "x264")
        return "h264";
    if (encoder == "xvid")
        return "mpeg4";
    std::string codec = SubValue(ValueOf(args, "-lavcopts"), "vcodec");
    return codec == "flv" ? "flv1" : codec;
}

std::string ExpectedAudioCodec(const std::vector<std::string>& args)
{
    return ValueOf(args, "-oac") == "mp3lame" ? "mp3" : SubValue(ValueOf(args, "-lavcopts"), "acodec");
}

// "W:H" of -vf scale= when both are numbers, else the clip's own size.
std::string ExpectedSize(const std::vector<std::string>& args)
{
    std::string filters = ValueOf(args, "-vf");
    auto expand = filters.find("expand=");
    std::string size = expand != std::string::npos ? filters.substr(expand + 7) : filters.substr(6);
    size = size.substr(0, size.find(','));
    auto colon = size.find(':');
    return size.substr(0, colon) + "x" + size.substr(colon + 1);
}

std::string ExpectedRate(const std::string& ofps)
{
    static const std::map<std::string, std::string> decimals = {
        {"25.000000", "25/1"}, {"30.000000", "30/1"}, {"24.000000", "24/1"}, {"15.000000", "15/1"},
        {"25", "25/1"},        {"15", "15/1"},        {"50.000000", "50/1"}};
    auto found = decimals.find(ofps);
    return found != decimals.end() ? found->second : ofps;
}

}  // namespace

TEST(AvmProfiles, EveryShippedProfileConvertsAClip)
{
    testing_support::TestFolder folder;
    profiles::ProfileCatalogue catalogue;
    ASSERT_EQ(profiles::LoadProfileCatalogue(catalogue, std::string(PROGRAM_DIR) + "dsp_data.dll",
                                             folder.Path() + "profiles.ini"),
              profiles::UnscrambleStatus::Done);
    ASSERT_GT(catalogue.Count(), 0);

    engine::SourceItem source;
    source.path = Clips().h264Aac;
    source.duration = source.trimEnd = 2;
    source.width = 160;
    source.height = 120;
    source.frameRate = 25;
    source.videoCodec = "h264";
    source.audioCodec = "aac";
    source.sampleRate = 44100;
    source.channels = 2;

    AvmRunner runner(folder.Path());
    for (int slot = 0; slot < catalogue.Count(); ++slot) {
        const profiles::OutputProfile& profile = *catalogue.Profile(slot);
        SCOPED_TRACE(profile.profile_shortname);
        const std::string extension = engine::OutputExtension(profile, source.path);
        const std::string output = folder.Path() + "out" + std::to_string(slot) + extension;
        std::vector<std::string> args =
            engine::BuildEngineArguments({source, profile, *catalogue.Choice(slot), app::DecodeEngine::Auto,
                                          app::VolumeRow{}, runner.Name(), output, extension, std::nullopt});
        const std::string line = engine::CommandText(args);
        ASSERT_GE(args.size(), 2u);
        args.erase(args.begin(), args.begin() + 2);  // the runner names the record itself
        runner.PrepareConversion(2);
        RunResult run = runner.Run(args);
        ASSERT_EQ(run.resultCode, 0) << line << "\n" << run.log;
        ASSERT_FALSE(run.progress.empty());
        for (std::size_t i = 1; i < run.progress.size(); ++i)
            EXPECT_LE(run.progress[i - 1].lParam, run.progress[i].lParam) << "progress never goes back";
        EXPECT_EQ(run.progress.back().message, engine::kProgressMessage);
        EXPECT_EQ(run.progress.back().wParam, 0);
        EXPECT_EQ(run.progress.back().lParam, 10000) << "the last message says 100 %";

        ProbeFacts facts = Probe(output);
        auto video = facts.First("video");
        auto audio = facts.First("audio");
        if (ValueOf(args, "-ovc") == "copy") {
            EXPECT_EQ(video["codec_name"], "h264");
            EXPECT_EQ(audio["codec_name"], "aac");
            continue;
        }
        EXPECT_EQ(video["codec_name"], ExpectedVideoCodec(args)) << line;
        EXPECT_EQ(audio["codec_name"], ExpectedAudioCodec(args)) << line;
        EXPECT_EQ(video["width"] + "x" + video["height"], ExpectedSize(args)) << line;
        EXPECT_EQ(video["r_frame_rate"], ExpectedRate(ValueOf(args, "-ofps"))) << line;
        EXPECT_EQ(audio["sample_rate"], ValueOf(args, "-srate")) << line;
        std::string format = facts.format["format_name"];
        if (ValueOf(args, "-of") == "mpeg")
            EXPECT_EQ(format, "mpeg") << line;
        else if (ValueOf(args, "-of").empty())
            EXPECT_EQ(format, "avi") << line;
        else
            EXPECT_FALSE(format.empty()) << line;
    }
}
